#include "app/window/startup.h"
#include "chart/run_log.h"
#include "chart/spl_types.h"
#include "support/log_capture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

struct ClearedChartName {
    ClearedChartName() {
        ChartFileName.reset();
        ChartBaseName.reset();
    }
    ~ClearedChartName() {
        ChartFileName.reset();
        ChartBaseName.reset();
    }
};

} // namespace

TEST(AcceptArguments, FirstFileLoadsFurtherFilesFork) {
    LogCapture log;
    ClearedChartName clean;
    std::vector<std::string> forks;
    AcceptArguments({"a.spl", "dir with blank/b.spl", "c.spl"},
                    [&forks](const std::string& a) { forks.push_back(a); });
    ASSERT_TRUE(ChartFileName.has_value());
    EXPECT_EQ(*ChartFileName, "a.spl");
    // The load waits for the main window: no base name yet.
    EXPECT_FALSE(ChartBaseName.has_value());
    EXPECT_EQ(forks, (std::vector<std::string>{"dir with blank/b.spl", "c.spl"}));
    EXPECT_TRUE(log.Has("a.spl: Load"));
    EXPECT_TRUE(log.Has("c.spl: Fork"));

    ChartFileName.reset();
    forks.clear();
    AcceptArguments({"", ""}, [&forks](const std::string& a) { forks.push_back(a); });
    EXPECT_FALSE(ChartFileName.has_value());
    EXPECT_TRUE(forks.empty());
}

TEST(AcceptArguments, FurtherArgumentOf516IsRefused) {
    LogCapture log;
    ClearedChartName clean;
    std::vector<std::string> forks;
    const std::string longFirst(2000, 'f');
    const std::string ok(515, 'x');
    const std::string tooLong(516, 'y');
    AcceptArguments({longFirst, ok, tooLong},
                    [&forks](const std::string& a) { forks.push_back(a); });
    // The first file has no length limit, and its log line is not cut.
    ASSERT_TRUE(ChartFileName.has_value());
    EXPECT_EQ(ChartFileName->size(), 2000u);
    EXPECT_TRUE(log.Has(longFirst + ": Load"));
    ASSERT_EQ(forks.size(), 1u);
    EXPECT_EQ(forks[0], ok);
    EXPECT_TRUE(log.Has("Too long path: Can't accept."));
    EXPECT_FALSE(log.Has(tooLong + ": Fork"));
}

TEST(HelpPathFor, ReplacesFromTheLastDot) {
    EXPECT_EQ(HelpPathFor("C:\\Tools\\VORTAN.EXE"),
              std::optional<std::string>("C:\\Tools\\VORTAN.HLP"));
    EXPECT_EQ(HelpPathFor("/opt/vortan.d/bin/vortan"),
              std::optional<std::string>("/opt/vortan.HLP"));
    EXPECT_EQ(HelpPathFor("/usr/bin/vortan"), std::nullopt);
}

TEST(SettingsFilePath, BesideTheProgramWhenWritableElseOverride) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(DefaultSettingsFilePath(dir.path()),
              PathToCore(QDir(dir.path()).filePath(QStringLiteral("VORTAN.INI"))));
    SetSettingsFilePath("/somewhere/test.ini");
    EXPECT_EQ(SettingsFilePath(), "/somewhere/test.ini");
    SetSettingsFilePath("");
    EXPECT_NE(SettingsFilePath(), "/somewhere/test.ini");
}

TEST(PathToCore, RoundTripsNonAsciiNames) {
    const QString name = QStringLiteral("charts/チャート 1.spl");
    EXPECT_EQ(PathFromCore(PathToCore(name)), name);
}

TEST(InstallQtJapanese, StandardButtonsAndFileDialogsSpeakJapanese) {
    QTranslator* translator = InstallQtJapanese(QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translations (qtbase_ja.qm) are missing";
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vortan"), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
    QCoreApplication::removeTranslator(translator);
    delete translator;
}
