// The program against unlucky files and hostile settings: charts cut short, names that are not
// UTF-8, saves that fail or cannot be made, windows placed from any numbers.
#include "app/panels/cursor_pad.h"
#include "app/panels/panels.h"
#include "app/window/command_table.h"
#include "app/window/screen_fit.h"
#include "support/app_test_support.h"
#include "support/files.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <fstream>

#include <sys/stat.h>

using apptest::Pump;

namespace {

class FileSafetyTest : public apptest::AppTest {};

TEST_F(FileSafetyTest, ChartCutShortSaysWhereAndSavingOverItAsksFirst) {
    Open();
    // A blank line before row 1000 of the example.
    std::string text = Slurp(chart);
    const size_t at = text.find("\n    1000,") + 1;
    const long long stopLine = std::count(text.begin(), text.begin() + at, '\n') + 1;
    text = text.substr(0, at) + "\r\n" + text.substr(at);
    std::ofstream(chart, std::ios::binary) << text;

    auto told = Answer(QMessageBox::Ok);
    ASSERT_EQ(LoadChart(window, chart), 1);
    EXPECT_EQ(told->count, 1);
    EXPECT_TRUE(told->text.contains(QStringLiteral("%1 行目").arg(stopLine)));
    EXPECT_TRUE(told->text.contains(QStringLiteral("%1 行です").arg(1000)));
    EXPECT_EQ(window->view()->Chart()->sampleCount, 1000);

    // Ctrl+S over the same file asks; No leaves the file whole.
    auto no = Answer(QMessageBox::No);
    DispatchCommand(window, 40002);
    EXPECT_EQ(no->count, 1);
    EXPECT_TRUE(no->text.contains(QStringLiteral("途中までしか読み込まれていません")));
    EXPECT_EQ(Slurp(chart), text);
    auto yes = Answer(QMessageBox::Yes);
    DispatchCommand(window, 40002);
    EXPECT_EQ(yes->count, 1);
    EXPECT_NE(Slurp(chart), text);

    // A file that is no chart at all (no header line, no row) is a failed load with its reason.
    const std::string binary = Path("binary.spl");
    std::ofstream(binary, std::ios::binary) << std::string("\x7f"
                                                           "ELF\x02\x01\x01\x00",
                                                           8);
    auto failed = Answer(QMessageBox::Ok);
    EXPECT_EQ(LoadChart(window, binary), 0);
    EXPECT_TRUE(
        failed->text.contains(QStringLiteral("理由: line 1: neither a header line nor a row")))
        << failed->text.toStdString();
    EXPECT_EQ(*ChartFileName, chart);
    // A chart read whole that the viewer refuses (a peak is being set) is said so, not dropped
    // silently; the chart on screen stays.
    ASSERT_EQ(SetHeight(window->view()), 1);
    const CHARTBLOCK* shown = window->view()->Chart();
    auto refused = Answer(QMessageBox::Ok);
    EXPECT_EQ(LoadChart(window, chart), 0);
    EXPECT_EQ(refused->count, 1);
    EXPECT_TRUE(refused->text.contains(QStringLiteral("チャートを表示できませんでした")));
    EXPECT_EQ(window->view()->Chart(), shown);
    EXPECT_EQ(CancelPeak(window->view()), 1);

    // Written over once, the file holds the chart: no more questions.
    auto none = Answer(QMessageBox::Yes);
    DispatchCommand(window, 40002);
    EXPECT_EQ(none->count, 0);
}

TEST_F(FileSafetyTest, NamesThatAreNotUtf8OpenFromTheDialogAndTheCommandLine) {
    // "テスト.spl" in Shift-JIS: not UTF-8, so Qt shows it with replacement characters.
    const std::string name = Path("\x83\x65\x83\x58\x83\x67.spl");
    std::ofstream(name, std::ios::binary) << Slurp(chart);
    const QString shown = QFile::decodeName(QByteArray::fromStdString(name));
    EXPECT_EQ(PathToCore(shown), name);
    EXPECT_EQ(PathToCore(QString::fromStdString(chart)), chart);

    char program[] = "vortan";
    std::string file = name;
    char shot[] = "--screenshot=x.png";
    char* argv[] = {program, file.data(), shot, nullptr};
    QString screenshot;
    EXPECT_EQ(CommandLineFiles(3, argv, &screenshot), std::vector<std::string>{name});
    EXPECT_EQ(screenshot, QStringLiteral("x.png"));

    Open();
    SetFileDialogHook(
        [&shown](QWidget*, bool, const QString&) -> std::optional<QString> { return shown; });
    DispatchCommand(window, 40001);
    Pump();
    ASSERT_TRUE(ChartFileName.has_value());
    EXPECT_EQ(*ChartFileName, name);
    EXPECT_EQ(window->view()->Chart()->sampleCount, 6000);
}

TEST_F(FileSafetyTest, EveryFailedSaveSaysWhy) {
    LoadExample();
    const std::string fifo = Path("pipe.spl");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    SetFileDialogHook([&fifo](QWidget*, bool, const QString&) -> std::optional<QString> {
        return QString::fromStdString(fifo);
    });
    auto refused = Answer(QMessageBox::Yes, 2); // "replace it?" and the failure
    DispatchCommand(window, 40003);
    EXPECT_TRUE(refused->text.contains(QStringLiteral("理由: not a regular file")))
        << refused->text.toStdString();
    EXPECT_EQ(*ChartFileName, chart);

    // Nothing to save while a peak is being set: said, not silent.
    DispatchCommand(window, 40005);
    ASSERT_NE(GetChartMode(window->view()), CHART_MODE_VIEW);
    auto busy = Answer(QMessageBox::Ok);
    DispatchCommand(window, 40002);
    EXPECT_EQ(busy->count, 1);
    EXPECT_TRUE(busy->text.contains(QStringLiteral("ピークの設定中は保存できません")));
    CancelPeak(window->view());

    // The settings file cannot be written at the end of the run: said, with the reason. (Opening
    // a chart has written it already, for the recent charts.)
    QFile::remove(dir.filePath(QStringLiteral("VORTAN.INI")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("VORTAN.INI")));
    auto settings = Answer(QMessageBox::Ok);
    window->MarkChartSaved();
    window->close();
    EXPECT_EQ(settings->count, 1);
    EXPECT_TRUE(settings->text.contains(QStringLiteral("理由: Is a directory")))
        << settings->text.toStdString();
}

TEST_F(FileSafetyTest, WindowsAndPanelsFromHostileSettingsStayOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        int x, y, width, height;
    } cases[] = {{CW_USEDEFAULT, CW_USEDEFAULT, INT_MAX, INT_MAX},
                 {CW_USEDEFAULT + 1, INT_MAX, INT_MAX, -5},
                 {-50000, -50000, 300, 200},
                 {100000, 100000, 640, 400}};
    for (const Case& c : cases) {
        Settings.savePosition = true;
        Settings.savePanelPositions = true;
        Settings.windowX = c.x;
        Settings.windowY = c.y;
        Settings.windowWidth = c.width;
        Settings.windowHeight = c.height;
        Settings.cursorPadX = c.x;
        Settings.cursorPadY = c.width;
        Open();
        EXPECT_TRUE(screen.contains(window->geometry())) << c.x << " " << c.width;
        CursorPadCommand(window, 0, nullptr);
        Pump();
        ASSERT_NE(PadWindow(), nullptr);
        EXPECT_TRUE(screen.contains(QRect(PadWindow()->pos(), PadWindow()->sizeHint())))
            << c.x << " " << c.width;
        CursorPadCommand(window, 0, nullptr);
        delete window;
        window = nullptr;
    }
    EXPECT_EQ(FitOnScreen(screen.x() + 10, screen.y() + 20, 100, 50),
              QRect(screen.x() + 10, screen.y() + 20, 100, 50));
}

} // namespace
