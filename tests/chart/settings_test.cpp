#include "chart/ini_file.h"
#include "chart/settings.h"
#include "support/files.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

// A settings file in a folder of its own; Settings is reset to its defaults.
class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override { Settings = SettingsRecord{}; }
    void TearDown() override { Settings = SettingsRecord{}; }
    void WriteFile(const std::string& text) { dir.File("VORTAN.INI", text); }

    TempDir dir;
    const std::string path_ = dir.Name("VORTAN.INI");
};

} // namespace

TEST_F(SettingsFile, MissingFileKeepsDefaultsAndSaveWritesUnconditionalKeys) {
    LogCapture log;
    EXPECT_EQ(LoadSetup(path_), 1);
    EXPECT_EQ(log.Last(), "LoadSetup: Ini file is not found.");
    EXPECT_EQ(Settings.windowX, static_cast<int32_t>(0x80000000u));
    // The defaults saved.
    ASSERT_EQ(SaveSetup(path_), 1);
    EXPECT_EQ(Slurp(path_), "[general]\r\nvortan=TRUE\r\ncursorpad=FALSE\r\ndetail=FALSE\r\n"
                            "savepos=FALSE\r\nxspl=TRUE\r\nmaximize=FALSE\r\nuniformzone=FALSE\r\n"
                            "[smooth]\r\noptimize=FALSE\r\nwidth=7\r\nmaxwidth=0\r\nminwidth=0\r\n"
                            "[vortan]\r\nthreshold=5.000000E-003\r\n"
                            "[print]\r\nroll=4\r\nprtflags=309\r\nmagnification=0.000000E+000\r\n"
                            "range=0.000000E+000\r\n[cursorpad]\r\nsave=FALSE\r\n");
}

TEST_F(SettingsFile, ValuesOfTheWrongFormKeepTheFieldOrReadFalse) {
    WriteFile("[general]\nxspl=1\nvortan=true\n[smooth]\nwidth=abc\nmaxwidth=-3\n"
              "minwidth=12px\n[vortan]\nthreshold=.01\n[print]\nprtflags=+5\nroll=+2\n"
              "magnification=-inf\n");
    EXPECT_EQ(LoadSetup(path_), 1);
    EXPECT_FALSE(Settings.extendedSpl);
    EXPECT_TRUE(Settings.detectPeaks);
    EXPECT_EQ(Settings.smoothWidth, 7);
    EXPECT_EQ(Settings.smoothMaxWidth, -3);
    EXPECT_EQ(Settings.smoothMinWidth, 12);
    EXPECT_DOUBLE_EQ(Settings.threshold, 0.01);
    EXPECT_EQ(Settings.printFlags, 309u);
    EXPECT_EQ(Settings.printRoll, 2);
    EXPECT_EQ(Settings.printMagnification, 0.0);
}

TEST_F(SettingsFile, EmptyValueStopsReadingWithEarlierKeysInEffect) {
    WriteFile("[general]\nvortan=FALSE\nxspl=\nmaximize=TRUE\n[smooth]\nwidth=3\n");
    EXPECT_EQ(LoadSetup(path_), 0);
    EXPECT_FALSE(Settings.detectPeaks);
    EXPECT_TRUE(Settings.extendedSpl);
    EXPECT_FALSE(Settings.maximize);
    EXPECT_EQ(Settings.smoothWidth, 7);
    // Saving afterwards repairs the file.
    ASSERT_EQ(SaveSetup(path_), 1);
    IniFile ini;
    ASSERT_TRUE(ini.Load(path_));
    EXPECT_EQ(ini.Get("general", "xspl"), "TRUE");
    EXPECT_EQ(ini.Get("smooth", "width"), "7");
}

TEST_F(SettingsFile, ConditionalKeysFollowTheirSwitch) {
    WriteFile("[general]\nsavepos=FALSE\nx=10\ny=20\nwidth=300\nheight=200\n"
              "uniformzone=TRUE\nnzone=0\n[cursorpad]\nsave=TRUE\npktopy=-7\n");
    EXPECT_EQ(LoadSetup(path_), 1);
    EXPECT_EQ(Settings.windowX, CW_USEDEFAULT);
    EXPECT_EQ(Settings.windowWidth, 640);
    EXPECT_EQ(Settings.zoneCount, 1); // a zone count below 1 never reaches the register
    EXPECT_EQ(Settings.crossAdjustY, -7);

    Settings.windowX = 55;
    ASSERT_EQ(SaveSetup(path_), 1);
    IniFile ini;
    ASSERT_TRUE(ini.Load(path_));
    EXPECT_EQ(ini.Get("general", "x"), "10"); // not rewritten while savepos is FALSE
    EXPECT_EQ(ini.Get("general", "nzone"), "1");

    Settings = SettingsRecord{};
    WriteFile("[general]\nsavepos=true\nx=-4\nwidth=300\n");
    EXPECT_EQ(LoadSetup(path_), 1);
    EXPECT_EQ(Settings.windowX, -4);
    EXPECT_EQ(Settings.windowY, CW_USEDEFAULT);
    EXPECT_EQ(Settings.windowWidth, 300);
}

TEST_F(SettingsFile, RoundTripKeepsEveryValue) {
    Settings.threshold = -1.0;
    Settings.printFlags = 4294967295u;
    Settings.printMagnification = 0.125;
    Settings.savePosition = true;
    Settings.windowX = CW_USEDEFAULT;
    Settings.savePanelPositions = true;
    Settings.barAdjustX = -12;
    ASSERT_EQ(SaveSetup(path_), 1);
    Settings = SettingsRecord{};
    ASSERT_EQ(LoadSetup(path_), 1);
    EXPECT_EQ(Settings.threshold, -1.0);
    EXPECT_EQ(Settings.printFlags, 4294967295u);
    EXPECT_EQ(Settings.printMagnification, 0.125);
    EXPECT_EQ(Settings.windowX, CW_USEDEFAULT);
    EXPECT_EQ(Settings.barAdjustX, -12);
}

TEST_F(SettingsFile, FailuresAreReportedAndTypedReadersTellPresentButEmpty) {
    LogCapture log;
    EXPECT_EQ(LoadSetup(""), 0);
    EXPECT_EQ(log.Last(), "LoadSetup: Can't retrive module name.");
    EXPECT_EQ(SaveSetup(""), 0);
    EXPECT_EQ(log.Last(), "SaveSetup: Can't retrive module name.");
    const std::string missing = dir.Name("missing/VORTAN.INI");
    std::string reason;
    EXPECT_EQ(SaveSetup(missing, &reason), 0);
    EXPECT_EQ(reason, std::strerror(ENOENT));
    EXPECT_FALSE(WriteBoolSetting(missing, "smooth", "optimize", true));

    WriteFile("[smooth]\nwidth=\noptimize=TRUE\n");
    bool failed = false;
    EXPECT_TRUE(ReadBoolSetting(path_, "smooth", "width", true, &failed));
    EXPECT_TRUE(failed);
    failed = false;
    EXPECT_TRUE(ReadBoolSetting(path_, "smooth", "maxwidth", true, &failed));
    EXPECT_TRUE(ReadBoolSetting(path_, "SMOOTH", "OPTIMIZE", false, &failed));
    EXPECT_FALSE(failed);
}

TEST(SettingValue, TextRules) {
    int32_t i = 0;
    EXPECT_FALSE(ParseIntSetting("+", &i));
    EXPECT_FALSE(ParseIntSetting("99999999999", &i));
    EXPECT_TRUE(ParseIntSetting("-2147483648", &i));
    EXPECT_EQ(i, INT32_MIN);
    uint32_t u = 0;
    EXPECT_FALSE(ParseFlagsSetting("-1", &u));
    EXPECT_TRUE(ParseFlagsSetting("0x10", &u));
    EXPECT_EQ(u, 0u);
    double d = 0.0;
    EXPECT_FALSE(ParseRealSetting(".", &d));
    EXPECT_FALSE(ParseRealSetting("nan", &d));
    EXPECT_FALSE(ParseRealSetting("--1", &d));
    EXPECT_TRUE(ParseBoolSetting("tRuE"));
    EXPECT_FALSE(ParseBoolSetting("TRUE "));
    EXPECT_FALSE(ParseBoolSetting("yes"));
}
