// Settings and the program's two languages: the detection options and general settings dialogs,
// the window's place from the settings file (hostile numbers included), the language stored in
// the settings file, the complete English translation, switching with a chart loaded, and the
// help pages of the language in use.
#include "app/commands/data_dialogs.h"
#include "app/commands/edit_commands.h"
#include "app/dialogs/detection_dialog.h"
#include "app/dialogs/general_settings_dialog.h"
#include "app/panels/cursor_pad.h"
#include "app/panels/help_window.h"
#include "app/panels/panels.h"
#include "app/window/command_table.h"
#include "app/window/language.h"
#include "app/window/status_parts.h"
#include "app/window/tooltips.h"
#include "support/app_test_support.h"
#include "support/files.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>
#include <QXmlStreamReader>

#include <climits>
#include <tuple>

using apptest::Child;
using apptest::Pump;

namespace {

const QRegularExpression JAPANESE(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));

class SettingsTest : public apptest::AppTest {
  protected:
    void TearDown() override {
        ApplyLanguage(Language::Japanese);
        AppTest::TearDown();
    }
    // Runs the detection options with the threshold text and the check box, pressing OK or
    // Cancel; returns what the edit showed on opening.
    QString Detection(const QString& text, bool detect, bool ok) {
        QString shown;
        OnDialog<DetectionDialog>([&](DetectionDialog* d) {
            auto* edit = Child<QLineEdit>(d, "thresholdEdit");
            shown = edit->text();
            edit->setText(text);
            Child<QCheckBox>(d, "detectBox")->setChecked(detect);
            Child<QPushButton>(d, ok ? "okButton" : "cancelButton")->click();
            return true;
        });
        EXPECT_EQ(DetectionOptions(window, 0, nullptr), ok ? 1 : 0);
        return shown;
    }
    // Runs the general settings with act, then its Close button.
    void General(std::function<void(GeneralSettingsDialog*)> act) {
        OnDialog<GeneralSettingsDialog>([act](GeneralSettingsDialog* d) {
            act(d);
            Child<QPushButton>(d, "closeButton")->click();
            return true;
        });
        EXPECT_EQ(GeneralSettings(window, 0, nullptr), 1);
        Pump();
    }
    // Whether the settings ask for detection, and whether the viewer has the detector.
    std::pair<bool, bool> Detecting() const {
        return {Settings.detectPeaks, PeakDetectorInstalled()};
    }
};

} // namespace

TEST_F(SettingsTest, DetectionTakesOnlyAPositiveThresholdAndChoosesTheDetector) {
    Open();
    ASSERT_FALSE(PeakDetectorInstalled());
    EXPECT_EQ(Detection(QStringLiteral("0.5"), true, false), QStringLiteral("0.005000"));
    EXPECT_EQ(Detecting(), std::pair(false, false));
    const struct {
        const char* text;
        double kept;
    } cases[] = {{"0.01", 0.01}, {"-1", 0.01}, {"abc", 0.01}, {"0", 0.01}, {" 2.5e-3V", 0.0025}};
    for (const auto& c : cases) {
        Detection(QString::fromLatin1(c.text), true, true);
        EXPECT_DOUBLE_EQ(Settings.threshold, c.kept) << c.text;
    }
    EXPECT_EQ(Detecting(), std::pair(true, true));
    EXPECT_EQ(Detection(QStringLiteral("0.002"), false, true), QStringLiteral("0.002500"));
    EXPECT_EQ(Detecting(), std::pair(false, false));

    // While a peak is being set the viewer keeps its detector; the settings take the choice.
    ASSERT_EQ(LoadChart(window, chart), 1);
    ASSERT_EQ(SetHeight(window->view()), 1);
    Detection(QStringLiteral("0.02"), true, true);
    EXPECT_EQ(Detecting(), std::pair(true, false));
    EXPECT_DOUBLE_EQ(Settings.threshold, 0.02);
    CancelPeak(window->view());

    // A new window takes the detector from the settings; plain charts load as extended SPL
    // when the settings say so.
    Settings.extendedSpl = false;
    Open();
    EXPECT_TRUE(PeakDetectorInstalled());
    SetPeakDetector(window->view(), nullptr, nullptr);
    const std::string plain = Path("run3.spl");
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(VORTAN_EXAMPLES "/run3.spl"), QString::fromStdString(plain)));
    ASSERT_EQ(LoadChart(window, plain), 1);
    EXPECT_EQ(CurrentChart.version, 0);
    Settings.extendedSpl = true;
    ASSERT_EQ(LoadChart(window, plain), 1);
    EXPECT_EQ(CurrentChart.version, 2);
}

TEST_F(SettingsTest, GeneralSettingsKeepAZoneCountOfOneOrMoreAndCloseOnlyThroughClose) {
    Open();
    Settings.extendedSpl = true;
    std::vector<bool> open;
    General([&](GeneralSettingsDialog* d) {
        EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        EXPECT_TRUE(Child<QCheckBox>(d, "extendedSplBox")->isChecked());
        auto* count = Child<QLineEdit>(d, "zoneCountEdit");
        EXPECT_FALSE(count->isEnabled());
        Child<QCheckBox>(d, "uniformZoneBox")->click();
        EXPECT_TRUE(count->isEnabled());
        count->setText(QStringLiteral("0"));
        Child<QCheckBox>(d, "extendedSplBox")->click();
        Child<QCheckBox>(d, "maximizeBox")->click();
        Child<QCheckBox>(d, "savePositionBox")->click();
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(count, static_cast<Qt::Key>(key));
            QTest::keyClick(d, static_cast<Qt::Key>(key));
            open.push_back(d->isVisible());
        }
        d->close();
        open.push_back(d->isVisible());
        EXPECT_FALSE(Settings.savePosition); // stored on Close only
    });
    EXPECT_EQ(open, (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(std::tuple(Settings.uniformZone, Settings.zoneCount, Settings.extendedSpl,
                         Settings.maximize, Settings.savePosition),
              std::tuple(true, 1, false, true, true));

    const std::pair<const char*, int> counts[] = {
        {"", 1}, {"abc", 1}, {"-4", 1}, {"7 zones", 7}, {"99999999999", INT_MAX}};
    for (const auto& [text, count] : counts) {
        General([text](GeneralSettingsDialog* d) {
            Child<QLineEdit>(d, "zoneCountEdit")->setText(QString::fromLatin1(text));
        });
        EXPECT_EQ(Settings.zoneCount, count) << text;
    }
    // Unchecking keeps the count and only clears the flag.
    General([](GeneralSettingsDialog* d) {
        Child<QCheckBox>(d, "uniformZoneBox")->click();
        EXPECT_FALSE(Child<QLineEdit>(d, "zoneCountEdit")->isEnabled());
        Child<QLineEdit>(d, "zoneCountEdit")->setText(QStringLiteral("5"));
    });
    EXPECT_FALSE(Settings.uniformZone);
    EXPECT_EQ(Settings.zoneCount, INT_MAX);
}

TEST_F(SettingsTest, WindowPlaceIsSavedAndHostileNumbersStayOnTheScreen) {
    Settings.savePosition = true;
    Open();
    window->move(50, 77); // on the test screen (800 x 600), frame included
    window->resize(700, 450);
    Pump();
    const QPoint where = window->pos();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(QPoint(Settings.windowX, Settings.windowY), where);
    Open();
    EXPECT_EQ(window->pos(), where);
    EXPECT_EQ(window->size(), QSize(700, 450));

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    Settings.savePanelPositions = true;
    const struct {
        int x, y, width, height;
    } cases[] = {{CW_USEDEFAULT, CW_USEDEFAULT, INT_MAX, INT_MAX},
                 {CW_USEDEFAULT + 1, INT_MAX, INT_MAX, -5},
                 {-50000, -50000, 300, 200},
                 {100000, 100000, 640, 400}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        std::tie(Settings.windowX, Settings.windowY, Settings.windowWidth, Settings.windowHeight,
                 Settings.cursorPadX, Settings.cursorPadY) =
            std::tuple(c.x, c.y, c.width, c.height, c.x, c.width);
        Open();
        EXPECT_TRUE(screen.contains(window->geometry()));
        CursorPadCommand(window, 0, nullptr);
        Pump();
        ASSERT_NE(PadWindow(), nullptr);
        EXPECT_TRUE(screen.contains(QRect(PadWindow()->pos(), PadWindow()->sizeHint())));
        CursorPadCommand(window, 0, nullptr);
    }
}

TEST_F(SettingsTest, LanguageIsTheStoredChoiceElseTheSystemLocale) {
    const std::string ini = Path("VORTAN.INI");
    const QLocale japan(QLocale::Japanese, QLocale::Japan),
        us(QLocale::English, QLocale::UnitedStates);
    const struct {
        const char* file; // null: no settings file
        QLocale locale;
        Language expected;
    } cases[] = {
        {nullptr, japan, Language::Japanese},
        {nullptr, us, Language::English},
        {nullptr, QLocale::c(), Language::English},
        {"[general]\r\nlanguage=en\r\n", japan, Language::English},
        {"[general]\r\nlanguage=ja\r\n", us, Language::Japanese},
        {"[general]\r\nlanguage=EN\r\n", japan, Language::English},
        {"[general]\r\nlanguage=fr\r\n", japan, Language::Japanese},
        {"[general]\r\nlanguage=\r\n", us, Language::English},
    };
    for (const auto& c : cases) {
        QFile::remove(QString::fromStdString(ini));
        if (c.file) std::ofstream(ini, std::ios::binary) << c.file;
        EXPECT_EQ(StoredLanguage(ini, c.locale), c.expected) << (c.file ? c.file : "no file");
    }
    // Storing keeps the other keys of the file.
    std::ofstream(ini, std::ios::binary)
        << "[general]\r\nvortan=FALSE\r\n[recent]\r\nfile1=\"a.spl\"\r\n";
    ASSERT_TRUE(StoreLanguage(ini, Language::English));
    EXPECT_EQ(StoredLanguage(ini, japan), Language::English);
    EXPECT_FALSE(ReadBoolSetting(ini, "general", "vortan", true));
    EXPECT_NE(Slurp(ini).find("file1=\"a.spl\""), std::string::npos);
}

#ifdef VORTAN_LUPDATE
// lupdate reads the sources into a copy of the English .ts: every text marked for translation
// must have a finished English text without Japanese in it.
TEST(EnglishTranslation, EveryTextOfTheSourcesIsTranslated) {
    QTemporaryDir dir;
    const QString ts = dir.filePath(QStringLiteral("vortan_en.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VORTAN_SOURCE_DIR "/translations/vortan_en.ts"), ts));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(VORTAN_SOURCE_DIR));
    lupdate.start(QStringLiteral(VORTAN_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                   QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("app"),
                   QStringLiteral("views"), QStringLiteral("resources"), QStringLiteral("-ts"),
                   ts});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    QFile file(ts);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString source;
    int messages = 0;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("source")) source = xml.readElementText();
        if (xml.name() != QLatin1String("translation")) continue;
        ++messages;
        const bool unfinished = xml.attributes().value(QLatin1String("type")).size() > 0;
        const QString english = xml.readElementText();
        EXPECT_FALSE(unfinished || english.isEmpty() || english.contains(JAPANESE))
            << source.toStdString() << " -> " << english.toStdString();
    }
    EXPECT_GT(messages, 250);
}
#endif

TEST_F(SettingsTest, GeneralSettingsSwitchTheLanguageKeepingTheChartAndHelpFollows) {
    LoadExample();
    Key(Qt::Key_Right, Qt::ControlModifier); // a page forward
    const QString status = window->statusText(1);
    ASSERT_NE(status, QStringLiteral("0"));
    [[maybe_unused]] static ToolTipInstaller* tips = ToolTipInstaller::Install(qApp);
    CursorPadCommand(window, 0, nullptr);
    ASSERT_NE(PadWindow(), nullptr);
    // One help window: the contents, the keys page (printable), a search finding nothing, the
    // main topic.
    HelpContentsCommand(window, 0, nullptr);
    HelpWindow* help = HelpWindowShown();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("Vortan ヘルプ 目次"));
    DispatchCommand(window, CMD_KEYMAP);
    EXPECT_EQ(help->browser()->source().path(), QStringLiteral("/help/ja/keys.html"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Ctrl+Z")));
    EXPECT_TRUE(help->findChild<QPushButton*>(QStringLiteral("printButton")));
    help->Search(QStringLiteral("zzqqxx"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Nothing found")));
    HelpTopicCommand(window, 0, nullptr);
    EXPECT_EQ(HelpWindowShown(), help);
    EXPECT_EQ(help->browser()->source().path(), QStringLiteral("/help/ja/usage.html"));
    const auto choose = [&](int row) {
        General([row](GeneralSettingsDialog* d) {
            if (row == 0) {
                EXPECT_EQ(d->windowTitle(), QStringLiteral("General Settings"));
            }
            Child<QComboBox>(d, "languageCombo")->setCurrentIndex(row);
        });
    };
    choose(1);
    EXPECT_EQ(CurrentLanguage(), Language::English);
    EXPECT_EQ(StoredLanguage(Path("VORTAN.INI"), QLocale::c()), Language::English);
    for (QAction* action : window->findChildren<QAction*>())
        EXPECT_FALSE(action->text().contains(JAPANESE)) << action->text().toStdString();
    // Open windows put up their texts and tooltips again.
    EXPECT_EQ(PadWindow()->findChild<QPushButton*>(QStringLiteral("mem"))->toolTip(),
              QStringLiteral("Stores the position shown (Ctrl+R)"));
    EXPECT_EQ(
        window->statusParts()->label(4)->toolTip(),
        QStringLiteral("Sample number at the centre (while setting a peak, the point being set)"));
    // The chart, its position and the title stay as they were.
    EXPECT_EQ(Samples(), 6000);
    EXPECT_EQ(window->statusText(1), status);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
    // The help page shown turns English, and so do the pages opened from now on.
    EXPECT_EQ(help->browser()->source().path(), QStringLiteral("/help/en/usage.html"));
    HelpSearchCommand(window, 0, nullptr);
    EXPECT_EQ(help->browser()->source().path(), QStringLiteral("/help/en/search.html"));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Vortan Help"));
    // A search lists the pages of the language in use before the others.
    help->Search(QStringLiteral("SPL"));
    const QString results = help->browser()->toHtml();
    EXPECT_LT(results.indexOf(QLatin1String("help/en/")),
              results.indexOf(QLatin1String("help/ja/")));

    choose(0);
    EXPECT_EQ(CurrentLanguage(), Language::Japanese);
    EXPECT_EQ(StoredLanguage(Path("VORTAN.INI"), QLocale::c()), Language::Japanese);
    EXPECT_EQ(help->browser()->source().path(), QStringLiteral("/help/ja/search.html"));
    EXPECT_EQ(window->actionFor(40001)->text(), QStringLiteral("チャートを開く(&O)\tCtrl+O"));
    CloseHelp();
    EXPECT_EQ(HelpWindowShown(), nullptr);
}
