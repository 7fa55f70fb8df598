// The real main window, offscreen: loading by command 107 and by a drop, keys through the
// application key filter, the status bar, saving, and the questions before changes are lost.
#include "app/commands/chart_commands.h"
#include "app/window/command_table.h"
#include "app/window/key_filter.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "app_test_support.h"
#include "chart/settings.h"
#include "chart/spl_io.h"
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"
#include "views/chart_viewer_widget.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

namespace {

using apptest::Pump;

int PeakRows(const ChartStore& rows) {
    int n = 0;
    for (const RowMark& row : rows.Marks())
        if (row.flags & SAMPLE_HAS_PEAK) ++n;
    return n;
}

class MainWindowTest : public apptest::AppTest {
  protected:
    void SetUp() override {
        static AppKeyFilter* filter = AppKeyFilter::Install(qApp);
        (void)filter;
        AppTest::SetUp();
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // Where a keyboard sends it: the focused widget, else the window.
        QWidget* target = QApplication::focusWidget();
        if (!target) target = window;
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &press);
        Pump();
    }

    // A drag entering the window and dropping the data on it.
    void Drop(QMimeData* mime) {
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        Pump();
    }

    void CommitPeak() {
        Key(Qt::Key_Return);
        Key(Qt::Key_Return);
        Key(Qt::Key_Enter, Qt::KeypadModifier);
    }
};

int ViewStart(VortanMain* w) {
    int start = 0;
    double top = 0;
    GetCursor(w->view(), &start, &top, nullptr, nullptr);
    return start;
}

} // namespace

TEST_F(MainWindowTest, StartsEmptyAndLoadsTheCommandLineFile) {
    Open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: No data"));
    EXPECT_EQ(window->statusText(0), QStringLiteral("No Data"));
    EXPECT_EQ(window->statusPartCount(), 9);
    EXPECT_EQ(window->centralWidget(), window->viewer());
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(MainWindow, window);
    delete window;
    window = nullptr;
    EXPECT_EQ(MainWindow, nullptr);

    LoadExample();
    ASSERT_TRUE(ChartBaseName.has_value());
    EXPECT_EQ(*ChartBaseName, "run3-peaks.spl");
    EXPECT_EQ(window->checkedRange, RANGE_FULL_HEIGHT);
    EXPECT_TRUE(window->actionFor(40027)->isChecked());
    EXPECT_TRUE(window->actionFor(40036)->isChecked());
    EXPECT_FALSE(window->chartModified());
}

TEST_F(MainWindowTest, StatusBarShowsTheThreeSamples) {
    LoadExample();
    const QRegularExpression volts(QStringLiteral("^-?\\d\\.\\d{6}E[+-]\\d{3}$"));
    for (int row = 0; row < 3; ++row) {
        EXPECT_FALSE(window->statusText(row * 3).isEmpty());
        bool ok = false;
        window->statusText(row * 3 + 1).toInt(&ok);
        EXPECT_TRUE(ok) << window->statusText(row * 3 + 1).toStdString();
        EXPECT_TRUE(volts.match(window->statusText(row * 3 + 2)).hasMatch())
            << window->statusText(row * 3 + 2).toStdString();
    }
    EXPECT_EQ(window->statusText(1), QString::number(ViewStart(window)));
    EXPECT_EQ(window->statusText(0), QStringLiteral("BG"));
    EXPECT_EQ(window->statusText(2), QStringLiteral("1.846472E-003"));
    Key(Qt::Key_Right);
    EXPECT_EQ(ViewStart(window), 1);
    EXPECT_EQ(window->statusText(1), QStringLiteral("1"));
    Key(Qt::Key_Left);
    EXPECT_EQ(ViewStart(window), 0);
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_GT(ViewStart(window), 1);
    EXPECT_EQ(window->statusText(1), QString::number(ViewStart(window)));
    Key(Qt::Key_End, Qt::ControlModifier);
    int start = 0, width = 0;
    double top = 0, range = 0;
    ASSERT_TRUE(GetCursor(window->view(), &start, &top, &width, &range));
    EXPECT_GT(start, 5000);
    EXPECT_EQ(window->statusText(1), QString::number(start));
    EXPECT_EQ(window->statusText(7), QString::number(start + width));
}

TEST_F(MainWindowTest, DropOfOneFileLoadsIt) {
    Open();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(chart))});
    Drop(&mime);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
    ASSERT_TRUE(ChartFileName.has_value());
    EXPECT_EQ(*ChartFileName, chart);
}

TEST_F(MainWindowTest, DropOfTwoFilesLoadsNothing) {
    Open();
    QMimeData mime;
    const QString file = QString::fromStdString(chart);
    mime.setUrls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(file)});
    auto box = Answer(QMessageBox::Ok);
    Drop(&mime);
    EXPECT_TRUE(box->count > 0);
    EXPECT_EQ(box->text, QStringLiteral("ドロップできるファイルは一度に1個のみです。"));
    EXPECT_EQ(box->title, QStringLiteral("Vortan"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: No data"));
    EXPECT_FALSE(ChartFileName.has_value());
}

TEST_F(MainWindowTest, RangeKeysMoveTheSingleCheckMark) {
    LoadExample();
    const double full = GetRange(window->view());
    Key(Qt::Key_PageDown);
    ASSERT_NE(window->checkedRange, RANGE_FULL_HEIGHT);
    EXPECT_LT(GetRange(window->view()), full);
    int checked = 0;
    for (const RangeRow* row = RangeTable; row->command != 0; ++row)
        if (window->actionFor(row->command)->isChecked()) ++checked;
    EXPECT_EQ(checked, 1);
    EXPECT_FALSE(window->actionFor(40027)->isChecked());
    EXPECT_TRUE(window->actionFor(window->checkedRange)->isChecked());
    const unsigned lower = window->checkedRange;
    Key(Qt::Key_PageUp);
    EXPECT_LT(window->checkedRange, lower == 40020 ? 40018u : lower);
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(window->checkedRange, RANGE_FULL_HEIGHT);
    EXPECT_TRUE(window->actionFor(40027)->isChecked());
    EXPECT_DOUBLE_EQ(GetRange(window->view()), full);
}

TEST_F(MainWindowTest, MenuClickCannotUncheckTheRange) {
    LoadExample();
    window->actionFor(40027)->trigger();
    EXPECT_TRUE(window->actionFor(40027)->isChecked());
    window->actionFor(40013)->trigger();
    EXPECT_EQ(window->checkedRange, 40013u);
    EXPECT_TRUE(window->actionFor(40013)->isChecked());
    EXPECT_FALSE(window->actionFor(40027)->isChecked());
}

TEST_F(MainWindowTest, MagnificationKeys) {
    LoadExample();
    const double before = GetMagnification(window->view());
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(GetMagnification(window->view()), before * 5.0);
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(GetMagnification(window->view()), 1.0);
}

TEST_F(MainWindowTest, EnterThriceCommitsAPeakAndCtrlSSavesIt) {
    LoadExample();
    const int before = PeakRows(*ReadSplData(chart, *std::make_unique<SplChart>()));
    CommitPeak();
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
    EXPECT_TRUE(window->chartModified());
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window->chartModified());
    SplChart header;
    std::optional<ChartStore> rows = ReadSplData(chart, header);
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->size(), 6000u);
    EXPECT_EQ(PeakRows(*rows), before + 1);
    EXPECT_EQ(header.tagCount(), CurrentChart.tagCount());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
}

TEST_F(MainWindowTest, EscCancelsThePeakBeingSet) {
    LoadExample();
    Key(Qt::Key_Return);
    EXPECT_NE(GetChartMode(window->view()), CHART_MODE_VIEW);
    Key(Qt::Key_Escape);
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
    EXPECT_FALSE(window->chartModified());
}

TEST_F(MainWindowTest, PeakModeCheckMarkFollowsSuccess) {
    Open();
    // Without a chart the mode cannot change, and the mark stays.
    DispatchCommand(window, 40037);
    window->SyncCheckMarks();
    EXPECT_EQ(window->checkedPeakMode, GetPeakMode(window->view()));
    delete window;
    window = nullptr;
    LoadExample();
    DispatchCommand(window, 40037);
    EXPECT_EQ(window->checkedPeakMode, 1);
    EXPECT_TRUE(window->actionFor(40037)->isChecked());
    EXPECT_FALSE(window->actionFor(40036)->isChecked());
}

TEST_F(MainWindowTest, CloseAsksBeforeChangedPeaksAreLost) {
    LoadExample();
    CommitPeak();
    auto cancel = Answer(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(cancel->count > 0);
    EXPECT_EQ(cancel->text, QStringLiteral("チャートが変更されています。保存しますか？"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(MainWindow, window);

    const int before = PeakRows(*ReadSplData(chart, *std::make_unique<SplChart>()));
    auto yes = Answer(QMessageBox::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(yes->count > 0);
    EXPECT_EQ(MainWindow, nullptr);
    EXPECT_EQ(PeakRows(*ReadSplData(chart, *std::make_unique<SplChart>())), before + 1);
    // The settings were written to the test's own file.
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("VORTAN.INI"))));
}

TEST_F(MainWindowTest, QuitWithoutSavingKeepsTheFile) {
    LoadExample();
    QFile file(QString::fromStdString(chart));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    file.close();
    CommitPeak();
    auto no = Answer(QMessageBox::No);
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(no->count > 0);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), original);
}

TEST_F(MainWindowTest, OpenAsksFirstAndCancelKeepsEverything) {
    LoadExample();
    CommitPeak();
    bool dialogShown = false;
    SetFileDialogHook([&dialogShown](QWidget*, bool, const QString&) -> std::optional<QString> {
        dialogShown = true;
        return std::nullopt;
    });
    auto cancel = Answer(QMessageBox::Cancel);
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(cancel->count > 0);
    EXPECT_FALSE(dialogShown);
    EXPECT_TRUE(window->chartModified());
}

TEST_F(MainWindowTest, FailedLoadKeepsThePreviousChartAndHeader) {
    LoadExample();
    const int tags = CurrentChart.tagCount();
    const int version = CurrentChart.version;
    const int samples = window->view()->chart->sampleCount;
    auto box = Answer(QMessageBox::Ok);
    EXPECT_EQ(LoadChart(window, Path("missing.spl")), 0);
    EXPECT_TRUE(box->count > 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
    ASSERT_TRUE(ChartFileName.has_value());
    EXPECT_EQ(*ChartFileName, chart);
    EXPECT_EQ(CurrentChart.tagCount(), tags);
    EXPECT_EQ(CurrentChart.version, version);
    EXPECT_EQ(window->view()->chart->sampleCount, samples);
}

TEST_F(MainWindowTest, ChartWithoutRowsLoadsAndShowsNoData) {
    LoadExample();
    const std::string empty = Path("empty.spl");
    {
        QFile f(QString::fromStdString(empty));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"Comment:\",\"blank run\"\r\n"
                "\"Number\",\"Time(S)\",\"Data(Volt)\"     ,\"Isotope name\"\r\n");
    }
    EXPECT_EQ(LoadChart(window, empty), 1);
    Pump();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: empty.spl"));
    EXPECT_EQ(window->view()->chart->sampleCount, 0);
    ASSERT_EQ(CurrentChart.tagCount(), 1);
    EXPECT_EQ(CurrentChart.tags[0].value, "blank run");
    // Keys on an empty chart change nothing and never fail.
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
}

TEST_F(MainWindowTest, CommandLineFileThatCannotBeReadLeavesNoData) {
    ChartFileName = Path("missing.spl");
    auto box = Answer(QMessageBox::Ok);
    Open();
    EXPECT_TRUE(box->count > 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: No data"));
    EXPECT_FALSE(ChartBaseName.has_value());
}

TEST_F(MainWindowTest, UnwritableSaveIsReported) {
    LoadExample();
    const std::string nowhere = Path("no-such-folder/chart.spl");
    SetFileDialogHook([&nowhere](QWidget*, bool save, const QString&) -> std::optional<QString> {
        EXPECT_TRUE(save);
        return QString::fromStdString(nowhere);
    });
    auto box = Answer(QMessageBox::Ok);
    DispatchCommand(window, 40003);
    EXPECT_TRUE(box->count > 0);
    EXPECT_TRUE(box->text.startsWith(QStringLiteral("ファイルを保存できませんでした。")));
    EXPECT_EQ(box->title, QStringLiteral("Vortan"));
    EXPECT_EQ(*ChartFileName, chart);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
}

TEST_F(MainWindowTest, SaveAsAsksBeforeReplacingAnotherFile) {
    LoadExample();
    const std::string other = Path("other.spl");
    {
        QFile file(QString::fromStdString(other));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me\n");
    }
    SetFileDialogHook([&other](QWidget*, bool, const QString& proposed) -> std::optional<QString> {
        EXPECT_TRUE(proposed.endsWith(QStringLiteral("run3-peaks.spl")));
        return QString::fromStdString(other);
    });
    auto no = Answer(QMessageBox::No);
    DispatchCommand(window, 40003);
    EXPECT_TRUE(no->count > 0);
    QFile file(QString::fromStdString(other));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("keep me\n"));
    EXPECT_EQ(*ChartFileName, chart);

    auto yes = Answer(QMessageBox::Yes);
    DispatchCommand(window, 40003);
    EXPECT_TRUE(yes->count > 0);
    EXPECT_EQ(*ChartFileName, other);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: other.spl"));
}

TEST_F(MainWindowTest, SavedPositionIsWhereTheNextWindowOpens) {
    Settings.savePosition = true;
    Open();
    window->move(50, 77); // on the test screen (800 x 600), frame included
    window->resize(700, 450);
    Pump();
    const QPoint where = window->pos();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(Settings.windowX, where.x());
    EXPECT_EQ(Settings.windowY, where.y());
    EXPECT_EQ(Settings.windowWidth, 700);
    EXPECT_EQ(Settings.windowHeight, 450);
    delete window;
    window = nullptr;
    Open();
    EXPECT_EQ(window->pos(), where);
    EXPECT_EQ(window->size(), QSize(700, 450));
}

TEST_F(MainWindowTest, DetectorFollowsTheSetting) {
    Settings.detectPeaks = true;
    Open();
    EXPECT_TRUE(PeakDetectorInstalled());
    SetPeakDetector(window->view(), nullptr, nullptr);
}

TEST_F(MainWindowTest, ExtendedSplSettingRaisesThePlainLayout) {
    const std::string plain = Path("run3.spl");
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(VORTAN_EXAMPLES "/run3.spl"), QString::fromStdString(plain)));
    Settings.extendedSpl = false;
    Open();
    ASSERT_EQ(LoadChart(window, plain), 1);
    EXPECT_EQ(CurrentChart.version, 0);
    Settings.extendedSpl = true;
    ASSERT_EQ(LoadChart(window, plain), 1);
    EXPECT_EQ(CurrentChart.version, 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3.spl"));
}

TEST_F(MainWindowTest, SaveWithoutAFileAsksForOne) {
    Open();
    bool asked = false;
    SetFileDialogHook([&asked](QWidget*, bool save, const QString& proposed) {
        asked = save && proposed.isEmpty();
        return std::optional<QString>();
    });
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(ChartFileName.has_value());
}

TEST_F(MainWindowTest, QuitWhileAPeakIsBeingSetSavesTheCommittedPeaks) {
    LoadExample();
    const int before = PeakRows(*ReadSplData(chart, *std::make_unique<SplChart>()));
    CommitPeak();
    Key(Qt::Key_Right, Qt::ControlModifier);
    Key(Qt::Key_Return);
    ASSERT_NE(GetChartMode(window->view()), CHART_MODE_VIEW);
    auto yes = Answer(QMessageBox::Yes);
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(yes->count, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(PeakRows(*ReadSplData(chart, *std::make_unique<SplChart>())), before + 1);
}
