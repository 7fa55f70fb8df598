// The real main window, offscreen: loading from the command line, by a drop and by the open
// command, keys through the application key filter, the status bar, saving, and the questions
// before changes are lost.
#include "app/commands/chart_commands.h"
#include "app/window/command_table.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/settings.h"
#include "chart/spl_io.h"
#include "chart/spl_types.h"
#include "support/app_test_support.h"
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

} // namespace

TEST_F(MainWindowTest, LoadsFromTheCommandLineAndByADropAndKeepsTheChartWhenALoadFails) {
    ChartFileName = Path("missing.spl");
    auto unreadable = Answer(QMessageBox::Ok);
    Open();
    EXPECT_TRUE(unreadable->count > 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: No data"));
    EXPECT_EQ(window->statusText(0), QStringLiteral("No Data"));
    EXPECT_FALSE(ChartBaseName.has_value());
    EXPECT_EQ(MainWindow, window);

    QMimeData two;
    const QString file = QString::fromStdString(chart);
    two.setUrls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(file)});
    auto box = Answer(QMessageBox::Ok);
    Drop(&two);
    EXPECT_EQ(box->text, QStringLiteral("ドロップできるファイルは一度に1個のみです。"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: No data"));
    QMimeData one;
    one.setUrls({QUrl::fromLocalFile(file)});
    Drop(&one);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
    ASSERT_TRUE(ChartFileName.has_value());
    EXPECT_EQ(*ChartFileName, chart);
    EXPECT_EQ(window->checkedRange, RANGE_FULL_HEIGHT);
    EXPECT_FALSE(window->chartModified());

    const int tags = CurrentChart.tagCount();
    const int samples = window->view()->Chart()->sampleCount;
    auto failed = Answer(QMessageBox::Ok);
    EXPECT_EQ(LoadChart(window, Path("missing.spl")), 0);
    EXPECT_TRUE(failed->count > 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
    EXPECT_EQ(*ChartFileName, chart);
    EXPECT_EQ(CurrentChart.tagCount(), tags);
    EXPECT_EQ(window->view()->Chart()->sampleCount, samples);

    // A chart without rows loads, and keys on it change nothing.
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
    EXPECT_EQ(window->view()->Chart()->sampleCount, 0);
    EXPECT_EQ(CurrentChart.tags[0].value, "blank run");
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
    delete window;
    window = nullptr;
    EXPECT_EQ(MainWindow, nullptr);
}

TEST_F(MainWindowTest, ViewKeysMoveTheViewAndTheStatusBarAndRangeChecksFollow) {
    LoadExample();
    EXPECT_EQ(window->statusText(0), QStringLiteral("BG"));
    EXPECT_EQ(window->statusText(1), QStringLiteral("0"));
    EXPECT_EQ(window->statusText(2), QStringLiteral("1.846472E-003"));
    Key(Qt::Key_Right);
    EXPECT_EQ(window->statusText(1), QStringLiteral("1"));
    Key(Qt::Key_End, Qt::ControlModifier);
    int start = 0, width = 0;
    double top = 0, range = 0;
    ASSERT_TRUE(GetCursor(window->view(), &start, &top, &width, &range));
    EXPECT_GT(start, 5000);
    EXPECT_EQ(window->statusText(1), QString::number(start));
    EXPECT_EQ(window->statusText(7), QString::number(start + width));

    const double full = GetRange(window->view());
    Key(Qt::Key_PageDown);
    EXPECT_LT(GetRange(window->view()), full);
    int checked = 0;
    for (const RangeRow* row = RangeTable; row->command != 0; ++row)
        checked += window->actionFor(row->command)->isChecked();
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(window->actionFor(window->checkedRange)->isChecked());
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(window->checkedRange, RANGE_FULL_HEIGHT);
    EXPECT_DOUBLE_EQ(GetRange(window->view()), full);
    window->actionFor(40027)->trigger(); // a click cannot uncheck the range
    EXPECT_TRUE(window->actionFor(40027)->isChecked());
    window->actionFor(40013)->trigger();
    EXPECT_EQ(window->checkedRange, 40013u);
    EXPECT_FALSE(window->actionFor(40027)->isChecked());

    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(GetMagnification(window->view()), 5.0);
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(GetMagnification(window->view()), 1.0);
    DispatchCommand(window, 40037);
    EXPECT_EQ(window->checkedPeakMode, 1);
    EXPECT_TRUE(window->actionFor(40037)->isChecked());
    EXPECT_FALSE(window->actionFor(40036)->isChecked());
}

TEST_F(MainWindowTest, EnterThriceCommitsAPeakEscCancelsAndCtrlSSavesIt) {
    LoadExample();
    const int before = PeakRows(*ReadSplData(chart, *std::make_unique<SplChart>()));
    Key(Qt::Key_Return);
    EXPECT_NE(GetChartMode(window->view()), CHART_MODE_VIEW);
    Key(Qt::Key_Escape);
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
    EXPECT_FALSE(window->chartModified());
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
}

TEST_F(MainWindowTest, ClosingAsksBeforeChangedPeaksAreLost) {
    LoadExample();
    QFile file(QString::fromStdString(chart));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    file.close();
    CommitPeak();
    // Open asks first; Cancel keeps everything.
    bool dialogShown = false;
    SetFileDialogHook([&dialogShown](QWidget*, bool, const QString&) -> std::optional<QString> {
        dialogShown = true;
        return std::nullopt;
    });
    auto cancel = Answer(QMessageBox::Cancel, 2);
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(dialogShown);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(cancel->count, 2);
    EXPECT_EQ(cancel->text, QStringLiteral("チャートが変更されています。保存しますか？"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->chartModified());

    auto no = Answer(QMessageBox::No);
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(no->count > 0);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), original);
    file.close();
    // The settings were written to the test's own file.
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("VORTAN.INI"))));
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
    EXPECT_EQ(MainWindow, nullptr);
    EXPECT_EQ(PeakRows(*ReadSplData(chart, *std::make_unique<SplChart>())), before + 1);
}

TEST_F(MainWindowTest, SaveAsAsksForAFileAndBeforeReplacingAnotherOne) {
    Open();
    bool asked = false;
    SetFileDialogHook([&asked](QWidget*, bool save, const QString& proposed) {
        asked = save && proposed.isEmpty();
        return std::optional<QString>();
    });
    Key(Qt::Key_S, Qt::ControlModifier); // no chart file yet: asks for one
    EXPECT_TRUE(asked);
    EXPECT_FALSE(ChartFileName.has_value());
    delete window;
    window = nullptr;

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
    delete window;
    window = nullptr;
    Open();
    EXPECT_EQ(window->pos(), where);
    EXPECT_EQ(window->size(), QSize(700, 450));
}

TEST_F(MainWindowTest, SettingsChooseTheDetectorAndTheLayoutOfPlainCharts) {
    Settings.detectPeaks = true;
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
