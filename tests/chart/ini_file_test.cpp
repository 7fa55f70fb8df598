#include "chart/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

TEST(IniFileGet, TellsMissingFromEmptyAndIgnoresCase) {
    IniFile ini;
    ini.Parse("; settings\r\n[General]\r\nVortan = TRUE \r\nempty=\r\n\r\n[smooth]\nwidth=9\n");
    EXPECT_EQ(ini.Get("general", "vortan"), "TRUE");
    EXPECT_EQ(ini.Get("GENERAL", "VORTAN"), "TRUE");
    EXPECT_EQ(ini.Get("general", "empty"), "");
    EXPECT_FALSE(ini.Get("general", "absent").has_value());
    EXPECT_FALSE(ini.Get("print", "vortan").has_value());
    // A key of another section is not seen.
    EXPECT_FALSE(ini.Get("general", "width").has_value());
    EXPECT_EQ(ini.Get("smooth", "width"), "9");
}

TEST(IniFileGet, FirstKeyWinsAndKeysBeforeAnySectionAreIgnored) {
    IniFile ini;
    ini.Parse("width=1\n[smooth]\nwidth=2\nwidth=3\n;width=4\nname=\"a b\"\nq=\"\n");
    EXPECT_EQ(ini.Get("smooth", "width"), "2");
    EXPECT_EQ(ini.Get("smooth", "name"), "a b");
    EXPECT_EQ(ini.Get("smooth", "q"), "\"");
}

TEST(IniFileSet, ReplacesInPlaceAndKeepsOtherLines) {
    IniFile ini;
    ini.Parse("; comment\n[general]\nvortan=TRUE\nxspl=FALSE\n\n[smooth]\nwidth=7\n");
    ini.Set("GENERAL", "xspl", "TRUE");
    EXPECT_EQ(ini.Text(), "; comment\r\n[general]\r\nvortan=TRUE\r\nxspl=TRUE\r\n\r\n"
                          "[smooth]\r\nwidth=7\r\n");
}

TEST(IniFileSet, AppendsKeysToTheirSectionInOrderAndSectionsAtTheEnd) {
    IniFile ini;
    ini.Parse("[general]\nvortan=TRUE\n\n[smooth]\nwidth=7\n");
    ini.Set("general", "cursorpad", "FALSE");
    ini.Set("general", "detail", "FALSE");
    ini.Set("print", "roll", "4");
    EXPECT_EQ(ini.Text(), "[general]\r\nvortan=TRUE\r\ncursorpad=FALSE\r\ndetail=FALSE\r\n\r\n"
                          "[smooth]\r\nwidth=7\r\n[print]\r\nroll=4\r\n");
}

TEST(IniFileSave, WritesAndReadsBack) {
    auto dir = std::filesystem::temp_directory_path() / "vortan_ini_file_test";
    std::filesystem::create_directories(dir);
    std::string path = (dir / "VORTAN.INI").string();
    std::filesystem::remove(path);
    IniFile ini;
    EXPECT_FALSE(ini.Load(path));
    EXPECT_FALSE(IniFileExists(path));
    ini.Set("general", "vortan", "TRUE");
    ASSERT_TRUE(ini.Save(path));
    IniFile back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.Get("general", "vortan"), "TRUE");
    std::filesystem::remove_all(dir);
}

TEST(IniFileSave, FailsInAMissingFolder) {
    IniFile ini;
    ini.Set("general", "vortan", "TRUE");
    std::string error;
    auto path = std::filesystem::temp_directory_path() / "vortan_no_such_folder" / "VORTAN.INI";
    EXPECT_FALSE(ini.Save(path.string(), &error));
    EXPECT_FALSE(error.empty());
}
