#include "support/log_capture.h"
#include "support/mouse.h"
#include "support/paint_fixture.h"
#include "support/viewer_test_support.h"
#include "views/chart_pane.h"
#include "views/chart_viewer_widget.h"
#include "views/gdi_lines.h"
#include "views/index_image.h"
#include "views/index_pane.h"

#include <QCoreApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A 400 x 400 viewer: chart pane 400 x 300, separator row 300, index pane 400 x 99 at row 301
// (client 398 x 97 inside its border). 3980 samples give 10 samples per index column.
struct ViewerFixture {
    ChartViewerWidget widget;
    ChartView* view = widget.view();

    explicit ViewerFixture(int samples = 3980) {
        widget.setDesktopWidth(1000);
        widget.resize(400, 400);
        widget.show();
        SetPeakDetector(view, nullptr, nullptr); // the program may have installed one
        if (samples > 0)
            SetChart(view, samples, MakeSamples(samples, [](int) { return 1.0; }).data(), 0, 2);
    }
    IndexPane* index() { return widget.indexPane(); }
    ChartPane* chart() { return widget.chartPane(); }
};

void Click(ChartPane* pane, QPoint at, Qt::KeyboardModifiers modifiers) {
    SendMouse(pane, QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
    SendMouse(pane, QEvent::MouseButtonRelease, at, Qt::LeftButton, modifiers);
}

} // namespace

TEST(ComputePaneLayout, ChartAboveSeparatorAboveIndexAndMinimisedWindowsKeepTheirPanes) {
    ViewerFixture f;
    ChartViewerWidget& w = f.widget;
    EXPECT_EQ(f.chart()->geometry(), QRect(0, 0, 400, 300));
    EXPECT_EQ(f.index()->geometry(), QRect(0, 301, 400, 99));
    // The separator row shows the viewer's own background.
    EXPECT_EQ(w.grab().toImage().pixel(200, 300), w.palette().color(QPalette::Dark).rgb());
    w.resize(300, 4);
    EXPECT_EQ(f.chart()->geometry(), QRect(0, 0, 300, 3));
    EXPECT_EQ(f.index()->geometry(), QRect(0, 4, 300, 0));
    w.resize(400, 400);
    w.setWindowState(Qt::WindowMinimized);
    w.resize(500, 200);
    EXPECT_EQ(f.chart()->geometry(), QRect(0, 0, 400, 300));
    w.setWindowState(Qt::WindowNoState); // restoring lays out the size it was given
    EXPECT_EQ(f.chart()->geometry(), QRect(0, 0, 500, 150));
    EXPECT_EQ(f.view->Chart()->viewWidth, 500);
}

TEST(ChartViewerWidget, NotificationsArriveQueuedInPostingOrder) {
    ViewerFixture f(0);
    std::vector<int> codes;
    QObject::connect(&f.widget, &ChartViewerWidget::notify,
                     [&](int code) { codes.push_back(code); });
    ASSERT_EQ(SetChart(f.view, 3980, std::vector<SplSample>(3980).data(), 0, 2), 1);
    EXPECT_TRUE(codes.empty()); // nothing runs inside the operation
    QCoreApplication::processEvents();
    EXPECT_EQ(codes, (std::vector<int>{VN_RESET, VN_MODE, VN_INDEX, VN_BOX, VN_CHART}));
}

TEST(PaintIndexPane, OverviewColumnsShowTheirLargestSampleAndTheBoxARedBorder) {
    std::vector<double> rows(40, -3.0);
    rows[13] = 5.0; // column 3 of step 4
    MaxPyramid data;
    data.Build(rows.data(), 40);
    QImage image = DrawIndexOverview(data, 4, 10.0, 10, 60);
    EXPECT_EQ(image.pixel(3, 10), BLACK); // 60 - 5 * 10
    EXPECT_NE(image.pixel(5, 10), BLACK);
    EXPECT_TRUE(DrawIndexOverview(data, 4, 10.0, 0, 60).isNull());
    // Measured from a base below 0 V: -3 V on the bottom row, -1.8 V above it.
    rows[13] = -1.8;
    data.Build(rows.data(), 40);
    image = DrawIndexOverview(data, 4, 10.0, 10, 60, -3.0);
    EXPECT_EQ(image.pixel(3, 48), BLACK); // 60 - 1.2 * 10

    ViewerFixture none(0);
    image = none.index()->grab().toImage();
    // No size yet: the red outline runs round the client area.
    EXPECT_EQ(image.pixel(1, 1), RED);
    EXPECT_EQ(image.pixel(398, 97), RED);
    EXPECT_EQ(image.pixel(200, 50), WHITE);

    ViewerFixture f;
    image = f.index()->grab().toImage();
    // A 1 V chart under a full range of 1 / 0.9 V lies on row 97 - trunc(97 * 0.9) of the client.
    EXPECT_EQ(image.pixel(200, 97 - PixelOf(97 / f.view->Chart()->defaultRange) + 1), BLACK);
    const QRect r = CursorBoxRect(f.view->IndexPane(), 398, 97).translated(1, 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            bool border = r.contains(x, y) &&
                          (x == r.left() || x == r.right() || y == r.top() || y == r.bottom());
            ASSERT_EQ(image.pixel(x, y) == RED, border) << x << "," << y;
        }
}

// Pointer positions are widget pixels, one more than the client's inside the border.
TEST(IndexPane, DraggingTheBoxMovesTheViewOnRelease) {
    ViewerFixture f;
    SendMouse(f.index(), QEvent::MouseButtonPress, QPoint(6, 6));
    SendMouse(f.index(), QEvent::MouseMove, QPoint(101, 11));
    EXPECT_TRUE(f.index()->boxDragging());
    EXPECT_EQ(f.view->IndexPane().boxLeft, 100);
    EXPECT_EQ(f.view->Chart()->viewStart, 0); // the view waits for the release
    SendMouse(f.index(), QEvent::MouseButtonRelease, QPoint(101, 11));
    EXPECT_FALSE(f.index()->boxDragging());
    EXPECT_EQ(f.view->Chart()->viewStart, 1000); // 100 * 3980 / 398

    // A press with a modifier or another button starts no drag.
    SendMouse(f.index(), QEvent::MouseButtonPress, QPoint(20, 6), Qt::LeftButton,
              Qt::ShiftModifier);
    EXPECT_FALSE(f.index()->boxDragging());
    SendMouse(f.index(), QEvent::MouseButtonPress, QPoint(20, 6), Qt::RightButton);
    EXPECT_FALSE(f.index()->boxDragging());
}

TEST(StartSet, CtrlClickStartsAPeakAtTheClickedPoint) {
    ViewerFixture f;
    SetViewPosition(f.view, 1000, f.view->Chart()->viewTop);
    const CHARTBLOCK& c = *f.view->Chart();
    const double volts = c.viewTop - 60 * c.range / 300;
    Click(f.chart(), QPoint(150, 60), Qt::NoModifier); // a plain click does nothing
    EXPECT_EQ(f.view->ChartMode(), CHART_MODE_VIEW);
    Click(f.chart(), QPoint(150, 60), Qt::ControlModifier);
    ASSERT_EQ(f.view->ChartMode(), CHART_MODE_BASE);
    const PeakSet& list = *f.view->CurrentPeakSet();
    EXPECT_EQ(list.cursor, 1150);
    EXPECT_DOUBLE_EQ(list.topLevel, volts);
    LogCapture log;
    Click(f.chart(), QPoint(10, 10), Qt::ControlModifier); // refused while a peak is being set
    EXPECT_EQ(log.Count("StartSet(PKVIEW): Peak detecting mode."), 1);
    EXPECT_EQ(list.cursor, 1150);
}
