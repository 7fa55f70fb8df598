// The program's two languages: the choice in the settings file, the complete English translation,
// switching with a chart loaded, and the help pages of the language in use.
#include "app/commands/data_dialogs.h"
#include "app/dialogs/general_settings_dialog.h"
#include "app/panels/cursor_pad.h"
#include "app/panels/help_window.h"
#include "app/panels/panels.h"
#include "app/window/command_table.h"
#include "app/window/language.h"
#include "app/window/status_parts.h"
#include "app/window/tooltips.h"
#include "support/app_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QXmlStreamReader>

using apptest::AppTest;
using apptest::Pump;

namespace {

const QRegularExpression JAPANESE(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));

void WriteFile(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class LanguageTest : public AppTest {
  protected:
    void TearDown() override {
        CloseHelp();
        ApplyLanguage(Language::Japanese);
        AppTest::TearDown();
        ForgetPanelPlaces();
    }
    QString Menu(unsigned command) const { return window->actionFor(command)->text(); }
};

} // namespace

TEST_F(LanguageTest, StoredChoiceElseTheSystemLocale) {
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
        if (c.file) WriteFile(ini, c.file);
        EXPECT_EQ(StoredLanguage(ini, c.locale), c.expected) << (c.file ? c.file : "no file");
    }
    // Storing keeps the other keys of the file.
    WriteFile(ini, "[general]\r\nvortan=FALSE\r\n[recent]\r\nfile1=\"a.spl\"\r\n");
    ASSERT_TRUE(StoreLanguage(ini, Language::English));
    EXPECT_EQ(StoredLanguage(ini, japan), Language::English);
    EXPECT_FALSE(ReadBoolSetting(ini, "general", "vortan", true));
    QFile file(QString::fromStdString(ini));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("file1=\"a.spl\""));
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

TEST_F(LanguageTest, SwitchingKeepsTheChartAndRenamesTheMenus) {
    LoadExample();
    ChartView* view = window->view();
    const auto samples = view->Chart()->sampleCount;
    DispatchCommand(window, 40029); // a page forward
    Pump();
    const QString status = window->statusText(1);
    ASSERT_NE(status, QStringLiteral("0"));
    static ToolTipInstaller* tips = ToolTipInstaller::Install(qApp);
    (void)tips;
    CursorPadCommand(window, 0, nullptr);
    ASSERT_NE(PadWindow(), nullptr);

    ASSERT_TRUE(ApplyLanguage(Language::English));
    Pump();
    const struct {
        unsigned command;
        const char* english;
    } menus[] = {{40001, "&Open\tCtrl+O"},
                 {40002, "&Save Chart\tCtrl+S"},
                 {40004, "Save &Peaks\tCtrl+P"},
                 {40036, "&measure a peak height"},
                 {40049, "&Vortan"},
                 {40027, "&Full Height\tCtrl+F"},
                 {40050, "&About Vortan"}};
    for (const auto& m : menus)
        EXPECT_EQ(Menu(m.command), QString::fromUtf8(m.english));
    for (QAction* action : window->findChildren<QAction*>())
        EXPECT_FALSE(action->text().contains(JAPANESE)) << action->text().toStdString();
    // Open windows put up their texts and tooltips again.
    EXPECT_EQ(PadWindow()->windowTitle(), QStringLiteral("Control Pad"));
    EXPECT_EQ(PadWindow()->findChild<QPushButton*>(QStringLiteral("mem"))->toolTip(),
              QStringLiteral("Stores the position shown (Ctrl+R)"));
    EXPECT_EQ(
        window->statusParts()->label(4)->toolTip(),
        QStringLiteral("Sample number at the centre (while setting a peak, the point being set)"));

    // The chart, its position and the title stay as they were.
    EXPECT_EQ(window->view(), view);
    EXPECT_EQ(view->Chart()->sampleCount, samples);
    EXPECT_EQ(window->statusText(1), status);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));

    ASSERT_TRUE(ApplyLanguage(Language::Japanese));
    Pump();
    EXPECT_EQ(Menu(40001), QStringLiteral("チャートを開く(&O)\tCtrl+O"));
    EXPECT_EQ(Menu(40061), QStringLiteral("一般的な設定"));
}

TEST_F(LanguageTest, GeneralSettingsChoosesTheLanguageAndHelpFollows) {
    Open();
    HelpTopicCommand(window, 0, nullptr);
    EXPECT_TRUE(
        HelpWindowShown()->browser()->source().path().startsWith(QLatin1String("/help/ja/")));
    const auto choose = [this](int row, QString* title) {
        OnDialog<GeneralSettingsDialog>([row, title](GeneralSettingsDialog* d) {
            *title = d->windowTitle();
            d->findChild<QComboBox*>(QStringLiteral("languageCombo"))->setCurrentIndex(row);
            d->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
            return true;
        });
        GeneralSettings(window, 0, nullptr);
        Pump();
    };
    QString title;
    choose(1, &title);
    EXPECT_EQ(title, QStringLiteral("一般的な設定"));
    EXPECT_EQ(CurrentLanguage(), Language::English);
    EXPECT_EQ(StoredLanguage(Path("VORTAN.INI"), QLocale::c()), Language::English);
    // The help page shown turns English, and so do the pages opened from now on.
    EXPECT_EQ(HelpWindowShown()->browser()->source().path(), QStringLiteral("/help/en/usage.html"));
    HelpSearchCommand(window, 0, nullptr);
    EXPECT_EQ(HelpWindowShown()->browser()->source().path(),
              QStringLiteral("/help/en/search.html"));
    EXPECT_EQ(HelpWindowShown()->windowTitle(), QStringLiteral("Vortan Help"));
    // A search lists the pages of the language in use before the others.
    HelpWindowShown()->Search(QStringLiteral("SPL"));
    const QString results = HelpWindowShown()->browser()->toHtml();
    EXPECT_LT(results.indexOf(QLatin1String("help/en/")),
              results.indexOf(QLatin1String("help/ja/")));

    choose(0, &title);
    EXPECT_EQ(title, QStringLiteral("General Settings"));
    EXPECT_EQ(CurrentLanguage(), Language::Japanese);
    EXPECT_EQ(StoredLanguage(Path("VORTAN.INI"), QLocale::c()), Language::Japanese);
    EXPECT_EQ(HelpWindowShown()->browser()->source().path(),
              QStringLiteral("/help/ja/search.html"));
}
