// Peak tables as CSV, and the recent-charts list in the settings file.
#include "chart/peak_csv.h"
#include "chart/recent_files.h"
#include "support/files.h"
#include "support/spl_test_support.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

using namespace spltest;

TEST(PeakCsv, KnownTextUnderACommaLocale) {
    // A locale with ',' as decimal point, when the machine has one, must not change the file.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    std::vector<SplSample> rows(10);
    rows[7] = Row(70, 0.0, "", 0.0, SAMPLE_HAS_REVISED, 0.0, 0.0, 1.0 / 3.0, -2.5e-7);
    rows[2] = Row(0, 0.0, "", 0.0, SAMPLE_HAS_REVISED, 0.0, 0.0, 0.125);
    const PeakEntry peaks[] = {Peak(7, 0.1, "Co-60, \"B\"", 3.0), Peak(2, 0.125, "Cs-137"),
                               Peak(40, 0.0, "Xe\"133")}; // beyond the rows: no time or levels
    const std::string text = PeakCsvText(PeakCsvRows(peaks, 3, ChartStore(rows.data(), 10), 1));
    std::setlocale(LC_NUMERIC, "C");
    // Sorted by position; numbers as short as read back exactly; fields quoted as RFC 4180 says.
    EXPECT_EQ(text, "position,time,height,top,base,name\n"
                    "2,0,0.125,0.125,0,Cs-137\n"
                    "7,70,0.30000000000000004,0.3333333333333333,-2.5e-07,\"Co-60, \"\"B\"\"\"\n"
                    "40,0,0,0,0,\"Xe\"\"133\"\n");
}

TEST(RecentFiles, NewestFirstEightAtMostKeptInTheSettingsFile) {
    std::vector<std::string> list;
    for (int i = 0; i < 9; ++i) // one more than the list holds
        list = PushRecentFile(list, "/c/" + std::to_string(i) + ".spl");
    ASSERT_EQ(list.size(), 8u);
    list = PushRecentFile(list, "/c/5.spl");
    list = PushRecentFile(list, "/c/bad\nname.spl");
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0], "/c/5.spl");
    EXPECT_EQ(list[1], "/c/8.spl");
    EXPECT_EQ(list[7], "/c/1.spl");
    list = DropRecentFile(list, "/c/8.spl");
    list[1] = " /c/blank ends.spl ";

    TempDir dir;
    const fs::path ini = dir.path / "VORTAN.INI";
    ASSERT_TRUE(SaveRecentFiles(ini.string(), list));
    EXPECT_EQ(LoadRecentFiles(ini.string()), list);
    EXPECT_FALSE(LoadReopenLast(ini.string()));
    ASSERT_TRUE(SaveReopenLast(ini.string(), true));
    EXPECT_TRUE(LoadReopenLast(ini.string()));
    ASSERT_TRUE(SaveRecentFiles(ini.string(), {}));
    EXPECT_TRUE(LoadRecentFiles(ini.string()).empty());
    EXPECT_TRUE(LoadReopenLast(ini.string()));
}
