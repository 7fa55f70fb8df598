#include "support/paint_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Rows = std::vector<int>;

// A chart at 2 V (row 80 of 100) that steps up to 7 V (row 30) at sample 50.
struct StepChart : PaintFixture {
    StepChart() : PaintFixture(400, 200, 2.0) {
        for (int i = 50; i < 400; ++i)
            rows.Data()[i] = 7.0;
    }
};

Rows Span(int from, int to) {
    Rows r;
    for (int i = from; i <= to; ++i)
        r.push_back(i);
    return r;
}

} // namespace

TEST(PaintPeakView, NothingWithoutChartOrScaleAndMagnifiedCurvesFollowTheSamplesInWholePixels) {
    StepChart f;
    EXPECT_EQ(CountOf(f.Render(200, 100), WHITE), 200 * 100); // nothing without a chart
    f.rows.Data()[20] = 100.0;                                // far above the top: row 0
    f.rows.Data()[120] = -100.0;                              // far below: row 100, off the image
    f.flags = HASSM;
    f.rows.SetSmoothedColumn(std::vector<double>(400, 3.0));
    f.Zoom(1.0, 200, 0, 10.0, 0.0); // nor with no vertical scale, as a chart of zeros has
    EXPECT_EQ(CountOf(f.Render(200, 100), WHITE), 200 * 100);
    f.Zoom(1.0, 200); // curves clamped to the window
    QImage image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 10, BLACK), Rows{80});
    EXPECT_EQ(RowsOf(image, 60, BLACK), Rows{30});
    EXPECT_EQ(RowsOf(image, 10, RED), Rows{70});
    // The rise is one stroke between the two columns; its first pixel may be the flat line's.
    const Rows a = RowsOf(image, 49, BLACK), b = RowsOf(image, 50, BLACK);
    EXPECT_EQ(std::min(a.front(), b.front()), 30);
    EXPECT_NEAR(std::max(a.back(), b.back()), 79.5, 0.5);
    EXPECT_EQ(RowsOf(image, 20, BLACK).front(), 0);
    EXPECT_EQ(RowsOf(image, 120, BLACK).back(), 99);

    f.Zoom(2.5, 200); // two pixels per sample: the step lies at column 100
    image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 97, BLACK), Rows{80});
    EXPECT_EQ(RowsOf(image, 101, BLACK), Rows{30});
}

TEST(DrawPeak, CrossAtTopAndBarAtBaseInTheListsColour) {
    StepChart f;
    f.Mark(40, 0, 6.0, 1.0);   // top row 40, base row 90
    f.Mark(120, 1, 9.0, 4.0);  // list 1: top row 10, base row 60
    f.Mark(70, 0, 12.0, 1.0);  // top above the window: bar only
    f.Mark(100, 0, 5.0, -1.0); // base below the window: cross only
    f.Mark(160, 0, 0.0, 10.0); // top on the bottom edge (left out), base on the top edge (row 0)
    f.Mark(5, 0, 5.0, 1.0);    // arms cut at the pane's edges
    f.Mark(197, 0, 6.0, 1.0);
    f.Zoom(1.0, 200);
    QImage image = f.Render(200, 100);
    // Cross: rows 29 .. 51 at the column, columns 27 .. 53 on the top's row; the bar crosses the
    // column on row 90.
    Rows vertical = Span(29, 51);
    vertical.push_back(90);
    EXPECT_EQ(RowsOf(image, 40, BLUE), vertical);
    EXPECT_EQ(ColumnsOf(image.copy(20, 0, 40, 100), 40, BLUE).front(), 7); // the rise crosses it
    EXPECT_EQ(ColumnsOf(image.copy(20, 0, 40, 100), 40, BLUE).back(), 33);
    EXPECT_EQ(ColumnsOf(image.copy(20, 0, 36, 100), 90, BLUE), Span(7, 33));
    EXPECT_EQ(image.pixel(120, 10), GREEN);
    EXPECT_EQ(ColumnsOf(image.copy(100, 0, 40, 100), 60, GREEN), Span(7, 33));
    EXPECT_EQ(RowsOf(image, 70, BLUE), Rows{90});
    EXPECT_EQ(RowsOf(image, 100, BLUE).back(), 61); // only the cross's vertical stroke
    EXPECT_EQ(RowsOf(image, 160, BLUE), Rows{0});
    EXPECT_EQ(ColumnsOf(image.copy(0, 0, 19, 100), 50, BLUE), Span(0, 18));
    EXPECT_EQ(ColumnsOf(image.copy(184, 0, 16, 100), 40, BLUE), Span(0, 15));
}

// The base's guide spans the pane, tilted it is clipped at top and bottom; the top's cross draws
// its vertical line only while the cursor is in the pane.
TEST(PeakGuides, BarGuideSpansThePaneClippedWhenTiltedAndTheCrossFollowsTheCursor) {
    PaintFixture f(2000, 200, 2.0);
    f.Zoom(1.0, 200);
    f.Guide(0, CHART_MODE_BASE, 100, 9.0, 5.0);
    EXPECT_EQ(ColumnsOf(f.Render(200, 100), 50, BLUE).size(), 200u);
    f.Guide(1, CHART_MODE_BASE, 100, 9.0, 5.0); // the current list 1 draws its guide green
    EXPECT_EQ(ColumnsOf(f.Render(200, 100), 50, GREEN).size(), 200u);

    // Row 50 at the cursor; two coarse tilt steps over a view 100 samples wide make atan(0.1):
    // 10 V per 100 samples, one row per column, rising.
    f.Zoom(1.0, 100);
    f.Guide(0, CHART_MODE_BASE, 100, 9.0, 5.0, 2);
    f.Zoom(1.0, 200);
    QImage image = f.Render(200, 100);
    EXPECT_EQ(image.pixel(100, 50), BLUE);
    EXPECT_EQ(image.pixel(60, 90), BLUE);
    EXPECT_EQ(image.pixel(140, 10), BLUE);
    // It meets the bottom at column 50 and the top at column 150, and stops there.
    EXPECT_EQ(CountOf(image.copy(0, 0, 50, 100), BLUE), 0);
    EXPECT_EQ(CountOf(image.copy(151, 0, 49, 100), BLUE), 0);

    f.Guide(0, CHART_MODE_TOP, 100, 5.0);
    image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 100, BLUE).size(), 100u);
    EXPECT_EQ(ColumnsOf(image, 50, BLUE).size(), 200u);
    f.Guide(0, CHART_MODE_TOP, 300, 5.0); // scrolled out of view: the level line stays
    image = f.Render(200, 100);
    EXPECT_EQ(ColumnsOf(image, 50, BLUE).size(), 200u);
    EXPECT_EQ(RowsOf(image, 100, BLUE), Rows{50});
    f.Guide(0, CHART_MODE_TOP, 100, 15.0); // above the window: only the vertical line
    EXPECT_EQ(CountOf(f.Render(200, 100), BLUE), 100);

    // Reduced: no guide at all for a cursor out of view (one in view: the reference painter's
    // test).
    f.Zoom(0.5, 200);
    f.Guide(0, CHART_MODE_TOP, 1000, 5.0);
    EXPECT_EQ(CountOf(f.Render(200, 100), BLUE), 0);
}
