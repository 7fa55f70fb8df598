// The File menu on the real main window: loading from the command line, by a drop and by Ctrl+O;
// loads that fail or are cancelled keep the chart; saves ask before a file is replaced or a chart
// read only in part is written over, and say why they failed; the view's picture, the peak table
// and the recent charts; the program's arguments at start. (Open and Quit with unsaved peaks: the
// peak tests.)
#include "app/commands/background_job.h"
#include "app/commands/file_extras.h"
#include "app/window/command_table.h"
#include "chart/recent_files.h"
#include "chart/spl_io.h"
#include "support/app_test_support.h"
#include "support/files.h"
#include "support/log_capture.h"
#include "viewer/measuring.h"
#include "views/chart_pane.h"
#include "views/index_pane.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QProgressDialog>
#include <QTranslator>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include <sys/stat.h>

using apptest::Pump;

namespace {

// Holds a worker until done() or five seconds have passed.
void WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

QImage Grab(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class FileCommandsTest : public apptest::AppTest {
  protected:
    void TearDown() override {
        SetBackgroundJobHook(nullptr);
        SetProgressDelay(500);
        AppTest::TearDown();
    }
    // A drag entering the window and dropping these files on it.
    void Drop(const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        Pump();
    }
    void ChooseFile(const std::string& path) {
        SetFileDialogHook([path](QWidget*, bool, const QString&) -> std::optional<QString> {
            return QString::fromStdString(path);
        });
    }
};

} // namespace

TEST_F(FileCommandsTest, LoadsFromTheCommandLineADropAndCtrlOAndKeepsTheChartWhenALoadFails) {
    ChartFileName = Path("missing.spl");
    EXPECT_FALSE(Asked(QMessageBox::Ok, [this] { Open(); }).isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: No data"));
    EXPECT_EQ(window->statusText(0), QStringLiteral("No Data"));
    EXPECT_FALSE(ChartBaseName.has_value());

    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(chart));
    const QList<QUrl> two{url, url};
    EXPECT_EQ(Asked(QMessageBox::Ok, [&] { Drop(two); }),
              QStringLiteral("ドロップできるファイルは一度に1個のみです。"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: No data"));
    Drop({url});
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
    EXPECT_EQ(ChartFileName, chart);

    // Loads that fail keep the chart on screen and say why: a missing file, a file that is no
    // chart at all, a chart the viewer refuses while a peak is being set.
    const int tags = CurrentChart.tagCount();
    const ChartStore* shown = Rows();
    const std::string binary = Path("binary.spl");
    std::ofstream(binary, std::ios::binary) << std::string("\x7f\x45LF\2\1\1", 8);
    const struct {
        std::string file;
        bool peakBeingSet;
        const char* says;
    } failures[] = {{Path("missing.spl"), false, ""},
                    {binary, false, "理由: line 1: neither a header line nor a row"},
                    {chart, true, "チャートを表示できませんでした"}};
    for (const auto& f : failures) {
        if (f.peakBeingSet) {
            ASSERT_EQ(SetHeight(window->view()), 1);
        }
        const QString said =
            Asked(QMessageBox::Ok, [&] { EXPECT_EQ(LoadChart(window, f.file), 0) << f.file; });
        EXPECT_FALSE(said.isNull());
        EXPECT_TRUE(said.contains(QString::fromUtf8(f.says))) << said.toStdString();
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
        EXPECT_EQ(ChartFileName, chart);
        EXPECT_EQ(CurrentChart.tagCount(), tags);
    }
    EXPECT_EQ(CancelPeak(window->view()), 1);
    EXPECT_EQ(Rows(), shown);

    // A chart without rows loads, and keys on it change nothing.
    const std::string empty = Path("empty.spl");
    std::ofstream(empty, std::ios::binary)
        << "\"Comment:\",\"blank run\"\r\n"
           "\"Number\",\"Time(S)\",\"Data(Volt)\"     ,\"Isotope name\"\r\n";
    EXPECT_EQ(LoadChart(window, empty), 1);
    Pump();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: empty.spl"));
    EXPECT_EQ(Samples(), 0);
    EXPECT_EQ(CurrentChart.tags[0].value, "blank run");
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);

    // "テスト.spl" in Shift-JIS is not UTF-8: Qt shows it with replacement characters, and the
    // file chosen in the dialog still opens.
    const std::string name = Path("\x83\x65\x83\x58\x83\x67.spl");
    std::ofstream(name, std::ios::binary) << Slurp(chart);
    const QString decoded = QFile::decodeName(QByteArray::fromStdString(name));
    EXPECT_EQ(PathToCore(decoded), name);
    SetFileDialogHook(
        [&decoded](QWidget*, bool, const QString&) -> std::optional<QString> { return decoded; });
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(ChartFileName, name);
    EXPECT_EQ(Samples(), 6000);
}

TEST_F(FileCommandsTest, SavesAskBeforeReplacingAFileOrWritingOverAChartReadInPart) {
    Open();
    bool asked = false;
    SetFileDialogHook([&asked](QWidget*, bool save, const QString& proposed) {
        asked = save && proposed.isEmpty();
        return std::optional<QString>();
    });
    Key(Qt::Key_S, Qt::ControlModifier); // no chart file yet: asks for one
    EXPECT_TRUE(asked);
    EXPECT_FALSE(ChartFileName.has_value());

    // A blank line before row 1000 of the example: the load stops there and says where.
    std::string text = Slurp(chart);
    const size_t at = text.find("\n    1000,") + 1;
    const long long stopLine = std::count(text.begin(), text.begin() + at, '\n') + 1;
    text = text.substr(0, at) + "\r\n" + text.substr(at);
    std::ofstream(chart, std::ios::binary) << text;
    const QString told = Asked(QMessageBox::Ok, [this] { EXPECT_EQ(LoadChart(window, chart), 1); });
    EXPECT_TRUE(told.contains(QStringLiteral("%1 行目").arg(stopLine)));
    EXPECT_TRUE(told.contains(QStringLiteral("%1 行です").arg(1000)));
    EXPECT_EQ(Samples(), 1000);

    // Ctrl+S over the same file asks; No leaves the file whole, Yes writes it, and then no more
    // questions.
    const auto save = [this] { Key(Qt::Key_S, Qt::ControlModifier); };
    EXPECT_TRUE(
        Asked(QMessageBox::No, save).contains(QStringLiteral("途中までしか読み込まれていません")));
    EXPECT_TRUE(Slurp(chart) == text);
    EXPECT_FALSE(Asked(QMessageBox::Yes, save).isNull());
    EXPECT_TRUE(Slurp(chart) != text);
    EXPECT_TRUE(Asked(QMessageBox::Yes, save).isNull());

    // Save As onto another file asks before replacing it.
    const std::string other = Path("other.spl");
    std::ofstream(other, std::ios::binary) << "keep me\n";
    ChooseFile(other);
    const auto saveAs = [this] { DispatchCommand(window, 40003); };
    EXPECT_FALSE(Asked(QMessageBox::No, saveAs).isNull());
    EXPECT_TRUE(Slurp(other) == "keep me\n");
    EXPECT_EQ(ChartFileName, chart);
    EXPECT_FALSE(Asked(QMessageBox::Yes, saveAs).isNull());
    EXPECT_EQ(ChartFileName, other);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: other.spl"));

    // Every failed save says why: a FIFO, a peak being set, a settings file that is a folder.
    const std::string fifo = Path("pipe.spl");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    ChooseFile(fifo);
    const QString refused = Asked(QMessageBox::Yes, saveAs, 2); // "replace it?", the failure
    EXPECT_TRUE(refused.contains(QStringLiteral("理由: not a regular file")))
        << refused.toStdString();
    EXPECT_EQ(ChartFileName, other);
    Key(Qt::Key_Return);
    ASSERT_NE(GetChartMode(window->view()), CHART_MODE_VIEW);
    EXPECT_TRUE(Asked(QMessageBox::Ok, [this] {
                    DispatchCommand(window, 40002);
                }).contains(QStringLiteral("ピークの設定中は保存できません")));
    Key(Qt::Key_Escape);
    QFile::remove(dir.filePath(QStringLiteral("VORTAN.INI")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("VORTAN.INI")));
    window->MarkChartSaved();
    const QString settings = Asked(QMessageBox::Ok, [this] { window->close(); });
    EXPECT_TRUE(settings.contains(QStringLiteral("理由: Is a directory")))
        << settings.toStdString();
}

TEST_F(FileCommandsTest, EscOrCancelStopsALoadAndCloseDuringASaveWaitsForTheWholeFile) {
    enum Stop { EscInWindow, CancelButton, EscInDialog };
    for (Stop how : {EscInWindow, CancelButton, EscInDialog}) {
        SCOPED_TRACE(how);
        SetBackgroundJobHook(nullptr);
        SetProgressDelay(500);
        LoadExample();
        const ChartStore* shown = Rows();
        SetProgressDelay(how == EscInWindow ? 500 : 0);
        SetBackgroundJobHook([](SplProgress& p) { WaitFor([&p] { return p.cancel.load(); }); });
        if (how == EscInWindow) {
            QTimer::singleShot(10, window, [this] {
                QWidget* target = QApplication::focusWidget(); // no active window offscreen
                QTest::keyClick(target ? target : window->viewer(), Qt::Key_Escape);
            });
        } else {
            WhenModal<QProgressDialog>([how](QProgressDialog* dialog) {
                if (how == CancelButton) dialog->findChild<QPushButton*>()->click();
                if (how == EscInDialog) QTest::keyClick(dialog, Qt::Key_Escape);
            });
        }
        EXPECT_EQ(LoadChart(window, std::string(VORTAN_EXAMPLES "/run3.spl")), 0);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
        EXPECT_EQ(ChartFileName, chart);
        EXPECT_EQ(Rows(), shown);
        EXPECT_EQ(window->findChild<QProgressDialog*>(), nullptr);
    }

    const std::string target = Path("saved.spl");
    std::atomic<bool> closeAsked{false};
    SetBackgroundJobHook(
        [&closeAsked](SplProgress&) { WaitFor([&] { return closeAsked.load(); }); });
    QTimer::singleShot(0, [this, &closeAsked] {
        window->close();
        closeAsked = true;
    });
    ASSERT_EQ(StoreChart(window, target), SAVE_DONE);
    EXPECT_TRUE(window->isVisible()); // the close waited for the save
    Pump();
    EXPECT_FALSE(window->isVisible());
    SplChart header;
    auto rows = ReadSplData(target, header);
    ASSERT_TRUE(rows);
    EXPECT_EQ(static_cast<int>(rows->size()), Samples());
}

TEST_F(FileCommandsTest, ViewPictureIsWhatTheScreenShowsAndThePeakTableReadsBack) {
    LoadExample();
    // With the axes and both measuring cursors on view.
    window->viewer()->setAxesShown(true);
    SetMeasureMark(window->view(), MEASURE_A, 100);
    SetMeasureMark(window->view(), MEASURE_B, 300);
    Pump();
    const QString png = QString::fromStdString(Path("view.png"));
    QString error;
    PictureRequest request;
    request.overview = true;
    ASSERT_TRUE(ExportChartPicture(window, request, png, &error)) << error.toStdString();
    const QImage picture = QImage(png).convertToFormat(QImage::Format_RGB32);
    const QImage pane = Grab(window->viewer()->chartPane());
    const QImage index = Grab(window->viewer()->indexPane());
    ASSERT_EQ(picture.size(), QSize(pane.width(), pane.height() + 1 + index.height()));
    EXPECT_EQ(picture.copy(0, 0, pane.width(), pane.height()), pane);
    EXPECT_EQ(picture.copy(0, pane.height() + 1, index.width(), index.height()), index);
    request.stretch = true;
    request.from = 600;
    request.to = 799;
    request.width = 400;
    ASSERT_TRUE(ExportChartPicture(window, request, png, &error)) << error.toStdString();
    EXPECT_EQ(QImage(png).width(), 400);

    const std::string csv = Path("peaks.csv");
    ASSERT_TRUE(ExportPeakTableCsv(window, QString::fromStdString(csv), &error))
        << error.toStdString();
    const QStringList lines = QString::fromStdString(Slurp(csv)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",Cs-137"))) << lines[1].toStdString();
}

TEST_F(FileCommandsTest, RecentChartsListTheLoadedAndSavedAndDropTheMissing) {
    LoadExample();
    const std::string ini = SettingsFilePath();
    auto absolute = [](const std::string& path) {
        return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
    };
    ASSERT_EQ(StoreChart(window, Path("copy.spl")), SAVE_DONE);
    const std::string copy = absolute(Path("copy.spl"));
    ASSERT_EQ(LoadRecentFiles(ini), (std::vector<std::string>{copy, absolute(chart)}));

    // Reopening at start takes the newest chart when no file was given.
    ChartFileName.reset();
    SaveReopenLast(ini, true);
    ChooseStartChart();
    EXPECT_EQ(ChartFileName, copy);

    QFile::remove(QString::fromStdString(copy));
    auto* menu = window->findChild<QMenu*>(QStringLiteral("recentCharts"));
    ASSERT_TRUE(menu);
    emit menu->aboutToShow();
    ASSERT_TRUE(menu->actions().value(0));
    EXPECT_TRUE(Asked(QMessageBox::Ok, [menu] {
                    menu->actions().value(0)->trigger();
                }).contains(QString::fromStdString(copy)));
    EXPECT_EQ(LoadRecentFiles(ini), std::vector<std::string>{absolute(chart)});
}

TEST(Startup, ArgumentsLoadTheFirstFileAndForkTheRestUpToTheirLimit) {
    LogCapture log;
    ChartFileName.reset();
    ChartBaseName.reset();
    std::vector<std::string> forks;
    const auto fork = [&forks](const std::string& a) { forks.push_back(a); };
    AcceptArguments({"", ""}, fork);
    EXPECT_FALSE(ChartFileName.has_value());
    EXPECT_TRUE(forks.empty());
    // The first file has no length limit, and its log line is not cut; a further one of 516 is
    // refused.
    const std::string longFirst(2000, 'f'), ok(515, 'x'), tooLong(516, 'y');
    AcceptArguments({longFirst, "dir with blank/b.spl", ok, tooLong}, fork);
    EXPECT_EQ(ChartFileName, longFirst);
    EXPECT_FALSE(ChartBaseName.has_value()); // the load waits for the main window
    EXPECT_EQ(forks, (std::vector<std::string>{"dir with blank/b.spl", ok}));
    EXPECT_TRUE(log.Has(longFirst + ": Load"));
    EXPECT_TRUE(log.Has("dir with blank/b.spl: Fork"));
    EXPECT_TRUE(log.Has("Too long path: Can't accept."));
    EXPECT_FALSE(log.Has(tooLong + ": Fork"));
    ChartFileName.reset();

    char program[] = "vortan", file[] = "a b.spl", shot[] = "--screenshot=x.png";
    char* argv[] = {program, file, shot, nullptr};
    QString screenshot;
    EXPECT_EQ(CommandLineFiles(3, argv, &screenshot), std::vector<std::string>{"a b.spl"});
    EXPECT_EQ(screenshot, QStringLiteral("x.png"));

    EXPECT_EQ(HelpPathFor("C:\\Tools\\VORTAN.EXE").value_or(""), "C:\\Tools\\VORTAN.HLP");
    EXPECT_EQ(HelpPathFor("/opt/vortan.d/bin/vortan").value_or(""), "/opt/vortan.HLP");
    EXPECT_EQ(HelpPathFor("/usr/bin/vortan"), std::nullopt);
    const QString name = QStringLiteral("charts/チャート 1.spl");
    EXPECT_EQ(PathFromCore(PathToCore(name)), name);
    QTemporaryDir dir;
    EXPECT_EQ(DefaultSettingsFilePath(dir.path()),
              PathToCore(QDir(dir.path()).filePath(QStringLiteral("VORTAN.INI"))));
}

TEST(Startup, StandardButtonsAndFileDialogsSpeakJapanese) {
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
