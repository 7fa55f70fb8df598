// The File menu's additions on the real main window: the view's picture is the screen's, the peak
// table as CSV, and the recent charts.
#include "app/commands/file_extras.h"
#include "chart/recent_files.h"
#include "support/app_test_support.h"
#include "viewer/measuring.h"
#include "views/chart_pane.h"
#include "views/index_pane.h"
#include "views/pane_overlay.h"

#include <QFileInfo>
#include <QMenu>
#include <QTextStream>

using apptest::AppTest;

namespace {

class FileExtras : public AppTest {};

QImage Grab(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST_F(FileExtras, ViewPictureIsWhatTheScreenShows) {
    LoadExample();
    // With the axes and both measuring cursors on view.
    window->viewer()->setAxesShown(true);
    SetMeasureMark(window->view(), MEASURE_A, 100);
    SetMeasureMark(window->view(), MEASURE_B, 300);
    apptest::Pump();
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
    bool cursorA = false; // its line at sample 100, one pixel a sample
    for (int y = 0; y < pane.height(); ++y)
        cursorA |= picture.pixel(100, y) == MEASURE_A_COLOR.rgb();
    EXPECT_TRUE(cursorA);
    EXPECT_EQ(picture.copy(0, pane.height() + 1, index.width(), index.height()), index);

    request.stretch = true;
    request.from = 600;
    request.to = 799;
    request.width = 400;
    ASSERT_TRUE(ExportChartPicture(window, request, png, &error)) << error.toStdString();
    EXPECT_EQ(QImage(png).width(), 400);
}

TEST_F(FileExtras, PeakTableCsvReadsBack) {
    LoadExample();
    const QString csv = QString::fromStdString(Path("peaks.csv"));
    QString error;
    ASSERT_TRUE(ExportPeakTableCsv(window, csv, &error)) << error.toStdString();
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("position,time,height,top,base,name"));
    EXPECT_EQ(lines[1].section(',', 0, 1), QStringLiteral("700,700"));
    EXPECT_EQ(lines[1].section(',', 5), QStringLiteral("Cs-137"));
    EXPECT_NEAR(lines[1].section(',', 2, 2).toDouble(), 0.35195987 - 0.002, 1e-12);
}

TEST_F(FileExtras, RecentChartsListTheLoadedAndSavedAndDropTheMissing) {
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
    auto seen = Answer(QMessageBox::Ok);
    menu->actions().value(0)->trigger();
    EXPECT_EQ(seen->count, 1);
    EXPECT_TRUE(seen->text.contains(QString::fromStdString(copy)));
    EXPECT_EQ(LoadRecentFiles(ini), std::vector<std::string>{absolute(chart)});
}
