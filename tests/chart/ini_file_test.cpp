#include "chart/ini_file.h"

#include <gtest/gtest.h>

#include <string>

TEST(IniFileGet, TellsMissingFromEmptyIgnoresCaseAndTakesTheFirstKey) {
    IniFile ini;
    ini.Parse("width=1\n; settings\r\n[General]\r\nVortan = TRUE \r\nempty=\r\n\r\n[smooth]\n"
              "width=9\nwidth=3\n;width=4\nname=\"a b\"\nq=\"\n");
    EXPECT_EQ(ini.Get("general", "vortan"), "TRUE");
    EXPECT_EQ(ini.Get("GENERAL", "VORTAN"), "TRUE");
    EXPECT_EQ(ini.Get("general", "empty"), "");
    EXPECT_FALSE(ini.Get("general", "absent").has_value());
    EXPECT_FALSE(ini.Get("print", "vortan").has_value());
    // Keys of another section, or before any section, are not seen.
    EXPECT_FALSE(ini.Get("general", "width").has_value());
    EXPECT_EQ(ini.Get("smooth", "width"), "9");
    EXPECT_EQ(ini.Get("smooth", "name"), "a b");
    EXPECT_EQ(ini.Get("smooth", "q"), "\"");
}

TEST(IniFileSet, ReplacesInPlaceAppendsToTheSectionAndAddsSectionsAtTheEnd) {
    IniFile ini;
    ini.Parse("; comment\n[general]\nvortan=TRUE\nxspl=FALSE\n\n[smooth]\nwidth=7\n");
    ini.Set("GENERAL", "xspl", "TRUE");
    ini.Set("general", "cursorpad", "FALSE");
    ini.Set("general", "detail", "FALSE");
    ini.Set("print", "roll", "4");
    EXPECT_EQ(ini.Text(),
              "; comment\r\n[general]\r\nvortan=TRUE\r\nxspl=TRUE\r\ncursorpad=FALSE\r\n"
              "detail=FALSE\r\n\r\n[smooth]\r\nwidth=7\r\n[print]\r\nroll=4\r\n");
}
