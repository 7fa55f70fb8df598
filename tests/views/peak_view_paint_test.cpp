#include "support/log_capture.h"
#include "support/paint_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using Rows = std::vector<int>;

// A chart at 2 V (row 80 of 100) that steps up to 7 V (row 30) at sample 50.
std::unique_ptr<PaintFixture> StepChart(int n = 400) {
    auto owner = std::make_unique<PaintFixture>(n, 200, 2.0);
    PaintFixture& f = *owner;
    for (int i = 50; i < n; ++i)
        f.rows.Data()[i] = 7.0;
    return owner;
}

} // namespace

TEST(MagnifiedPaint, DataCurveRowsFollowTheSamples) {
    auto owner = StepChart();
    PaintFixture& f = *owner;
    f.Zoom(1.0, 200);
    QImage image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 20, BLACK), Rows{80});
    EXPECT_EQ(RowsOf(image, 60, BLACK), Rows{30});
    EXPECT_EQ(RowsOf(image, 199, BLACK), Rows{30});
    // The rise is one stroke between the two columns.
    Rows rise = RowsOf(image, 49, BLACK);
    Rows rise2 = RowsOf(image, 50, BLACK);
    rise.insert(rise.end(), rise2.begin(), rise2.end());
    std::sort(rise.begin(), rise.end());
    EXPECT_EQ(rise.front(), 30);
    EXPECT_GE(rise.back(), 79); // the stroke's first pixel may be the flat line's
    EXPECT_LE(rise.back(), 80);
    EXPECT_EQ(CountOf(image, RED), 0); // no smoothed data
}

TEST(MagnifiedPaint, WholePixelsPerSampleDropTheFraction) {
    auto owner = StepChart();
    PaintFixture& f = *owner;
    f.Zoom(2.5, 200); // two pixels per sample: the step lies at column 100
    QImage image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 97, BLACK), Rows{80});
    EXPECT_EQ(RowsOf(image, 101, BLACK), Rows{30});
}

TEST(MagnifiedPaint, LevelsOutsideTheWindowClampToTheEdges) {
    PaintFixture f(400, 100, 5.0);
    f.rows.Data()[50] = 100.0;   // far above the top: row 0
    f.rows.Data()[120] = -100.0; // far below: row 100, off the image
    f.Zoom(1.0, 200);
    QImage image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 50, BLACK).front(), 0);
    Rows down = RowsOf(image, 120, BLACK);
    EXPECT_EQ(down.back(), 99);
}

TEST(MagnifiedPaint, SmoothedCurveIsRed) {
    auto owner = StepChart();
    PaintFixture& f = *owner;
    f.flags = HASSM;
    f.rows.SetSmoothedColumn(std::vector<double>(400, 3.0));
    f.Zoom(1.0, 200);
    QImage image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 20, RED), Rows{70});
    EXPECT_EQ(RowsOf(image, 20, BLACK), Rows{80});
}

TEST(DrawPeak, CrossAtTopAndBarAtBase) {
    auto owner = StepChart();
    PaintFixture& f = *owner;
    f.Mark(40, 0, 6.0, 1.0);  // top row 40, base row 90
    f.Mark(120, 1, 9.0, 4.0); // list 1: top row 10, base row 60
    f.Zoom(1.0, 200);
    QImage image = f.Render(200, 100);
    // Cross: rows 29 .. 51 at the column, columns 27 .. 53 on the top's row; the bar crosses the
    // column on row 90.
    Rows vertical = RowsOf(image, 40, BLUE);
    Rows expected;
    for (int y = 29; y <= 51; ++y)
        expected.push_back(y);
    expected.push_back(90);
    EXPECT_EQ(vertical, expected);
    Rows arm = ColumnsOf(image, 40, BLUE);
    EXPECT_EQ(arm.front(), 27);
    EXPECT_EQ(arm.back(), 53);
    Rows bar = ColumnsOf(image, 90, BLUE);
    EXPECT_EQ(bar, [] {
        Rows r;
        for (int x = 27; x <= 53; ++x)
            r.push_back(x);
        return r;
    }());
    // The other list's mark is green.
    EXPECT_EQ(image.pixel(120, 10), GREEN);
    EXPECT_EQ(ColumnsOf(image, 60, GREEN).front(), 107);
    EXPECT_EQ(ColumnsOf(image, 60, GREEN).back(), 133);
}

TEST(DrawPeak, MarksOutsideTheVoltageWindowAreLeftOut) {
    auto owner = StepChart();
    PaintFixture& f = *owner;
    f.Mark(40, 0, 12.0, 1.0);  // top above the window: bar only
    f.Mark(100, 0, 5.0, -1.0); // base below the window: cross only
    f.Mark(160, 0, 0.0, 10.0); // top on the bottom edge (left out), base on the top edge (row 0)
    f.Zoom(1.0, 200);
    QImage image = f.Render(200, 100);
    EXPECT_TRUE(RowsOf(image, 40, BLUE) == Rows{90});
    EXPECT_EQ(ColumnsOf(image, 50, BLUE).front(), 87);
    EXPECT_EQ(RowsOf(image, 100, BLUE).back(), 61); // only the cross's vertical stroke
    EXPECT_EQ(RowsOf(image, 160, BLUE), Rows{0});
}

TEST(DrawPeak, ArmsAreCutAtThePaneEdges) {
    PaintFixture f(400, 100, 2.0);
    f.Mark(5, 0, 5.0, 1.0);
    f.Mark(197, 0, 6.0, 1.0);
    f.Zoom(1.0, 200);
    QImage image = f.Render(200, 100);
    Rows left = ColumnsOf(image.copy(0, 0, 100, 100), 50, BLUE);
    EXPECT_EQ(left.front(), 0);
    EXPECT_EQ(left.back(), 18);
    Rows right = ColumnsOf(image, 40, BLUE);
    right.erase(right.begin(), std::find(right.begin(), right.end(), 184));
    EXPECT_EQ(right.size(), 16u); // 184 .. 199
    EXPECT_EQ(right.back(), 199);
}

TEST(ReducedPaint, ColumnDrawsTheMarksOfFivePeakSamples) {
    LogCapture log;
    PaintFixture f(2000, 500, 1.0);
    // Seven peaks in column 3 (samples 30 .. 39), each top on its own row.
    for (int j = 0; j < 7; ++j)
        f.Mark(31 + j, 0, 9.0 - j, 0.5);
    f.Zoom(0.1, 200);
    QImage image = f.Render(200, 100);
    EXPECT_EQ(std::count_if(log.lines.begin(), log.lines.end(),
                            [](const std::string& l) {
                                return l.rfind("ReducedPaint: Too many peaks", 0) == 0;
                            }),
              2);
    for (int j = 0; j < 5; ++j)
        EXPECT_EQ(image.pixel(3 + 10, 10 + 10 * j), BLUE) << j;
    EXPECT_NE(image.pixel(3 + 10, 60), BLUE);
    EXPECT_NE(image.pixel(3 + 10, 70), BLUE);
}

TEST(ReducedPaint, NegativeViewStartDrawsNothing) {
    PaintFixture f(600, 300, 1.0);
    f.Zoom(0.5, 200, -3);
    QImage image = f.Render(200, 100);
    EXPECT_EQ(CountOf(image, WHITE), 200 * 100);
}

TEST(DrawBarGuide, LevelGuideSpansThePane) {
    auto owner = StepChart();
    PaintFixture& f = *owner;
    f.Zoom(1.0, 200);
    f.Guide(0, CHART_MODE_BASE, 100, 9.0, 5.0);
    QImage image = f.Render(200, 100);
    EXPECT_EQ(ColumnsOf(image, 50, BLUE).size(), 200u);
    // The current list 1 draws its guide green.
    f.Guide(1, CHART_MODE_BASE, 100, 9.0, 5.0);
    image = f.Render(200, 100);
    EXPECT_EQ(ColumnsOf(image, 50, GREEN).size(), 200u);
}

TEST(DrawBarGuide, TiltedGuideIsClippedAtTopAndBottom) {
    PaintFixture f(400, 200, 2.0);
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
    for (int x = 0; x < 50; ++x)
        EXPECT_TRUE(RowsOf(image, x, BLUE).empty()) << x;
    for (int x = 151; x < 200; ++x)
        EXPECT_TRUE(RowsOf(image, x, BLUE).empty()) << x;
}

TEST(DrawCrossGuide, VerticalLineOnlyWhileTheCursorIsInThePane) {
    PaintFixture f(400, 200, 2.0);
    f.Zoom(1.0, 200);
    f.Guide(0, CHART_MODE_TOP, 100, 5.0);
    QImage image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 100, BLUE).size(), 100u);
    EXPECT_EQ(ColumnsOf(image, 50, BLUE).size(), 200u);

    f.Guide(0, CHART_MODE_TOP, 300, 5.0); // scrolled out of view: the level line stays
    image = f.Render(200, 100);
    EXPECT_EQ(ColumnsOf(image, 50, BLUE).size(), 200u);
    EXPECT_EQ(RowsOf(image, 100, BLUE), Rows{50});

    f.Guide(0, CHART_MODE_TOP, 100, 15.0); // above the window: only the vertical line
    image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 100, BLUE).size(), 100u);
    EXPECT_EQ(CountOf(image, BLUE), 100);
}

TEST(DrawCrossGuide, ReducedPaintDrawsNoGuideForACursorOutOfView) {
    PaintFixture f(2000, 500, 2.0);
    f.Zoom(0.5, 200);
    f.Guide(0, CHART_MODE_TOP, 100, 5.0); // column 50
    QImage image = f.Render(200, 100);
    EXPECT_EQ(RowsOf(image, 50, BLUE).size(), 100u);
    EXPECT_EQ(ColumnsOf(image, 50, BLUE).size(), 200u);
    f.Guide(0, CHART_MODE_TOP, 1000, 5.0);
    image = f.Render(200, 100);
    EXPECT_EQ(CountOf(image, BLUE), 0);
}

TEST(PaintPeakView, NothingWithoutChartOrRange) {
    PaintFixture f(400, 200, 2.0);
    EXPECT_EQ(CountOf(f.Render(200, 100), WHITE), 200 * 100);
    f.Zoom(1.0, 200, 0, 10.0, 0.0); // an all-zero chart has no vertical scale
    EXPECT_EQ(CountOf(f.Render(200, 100), WHITE), 200 * 100);
}
