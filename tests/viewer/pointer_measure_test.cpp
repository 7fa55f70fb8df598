#include "support/viewer_test_support.h"
#include "viewer/axis_ticks.h"
#include "viewer/measuring.h"
#include "viewer/pointer_ops.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

TEST(PointerOps, PixelsMapToSamplesAndZoomKeepsTheSampleUnderThePointer) {
    TestViewer t;
    PanePoint p;
    EXPECT_FALSE(PointAtPixel(&t.view, 0, 0, 300, &p));
    auto rows = LongRamp(); // on a pane 800 x 300
    for (SplSample& s : rows)
        s.time *= 2;
    ASSERT_EQ(Set(t, rows), 1);
    ASSERT_EQ(SetMagnification(&t.view, 2.0, 1), 2.0);
    ASSERT_EQ(SetViewPosition(&t.view, 1000, t.view.Chart()->viewTop), 1);
    ASSERT_TRUE(PointAtPixel(&t.view, 101, 150, 300, &p));
    EXPECT_EQ(std::tuple(p.sample, p.time), std::tuple(1050, 2100));
    EXPECT_DOUBLE_EQ(p.volts, t.view.Chart()->viewTop - t.view.Chart()->range / 2);
    for (auto [factor, x] : {std::pair{2.0, 200}, {0.5, 700}, {0.25, 30}, {4.0, 799}}) {
        PanePoint before, after;
        ASSERT_TRUE(PointAtPixel(&t.view, x, 0, 300, &before));
        ASSERT_GT(ZoomAbout(&t.view, factor, x), 0.0);
        ASSERT_TRUE(PointAtPixel(&t.view, x, 0, 300, &after));
        EXPECT_NEAR(after.sample, before.sample, 1) << factor << " at " << x;
    }
    // Out: the chart would be narrower than the desktop. In: fewer than two samples across.
    EXPECT_EQ(ZoomAbout(&t.view, 1.0 / 64, 10), 0.0);
    EXPECT_EQ(ZoomAbout(&t.view, 1000.0, 10), 0.0);
    EXPECT_EQ(t.host.beeps, 2);
}

TEST(PointerOps, WheelAndDragMoveTheViewAndClicksWhileSettingPlaceThePoint) {
    TestViewer t(LongRamp());
    ASSERT_EQ(ScrollByNotches(&t.view, 3), 1);
    EXPECT_EQ(t.view.Chart()->viewStart, 240); // a tenth of 800 samples per notch
    const double top = t.view.Chart()->viewTop;
    // Levels stay while the full height is shown, follow with a fixed range.
    ASSERT_EQ(DragView(&t.view, 240, top, -100, 30, 300, false), 1);
    EXPECT_EQ(t.view.Chart()->viewStart, 340);
    EXPECT_EQ(t.view.Chart()->viewTop, top);
    ASSERT_GT(SetRange(&t.view, 0.5), 0.0);
    const double fixedTop = t.view.Chart()->viewTop;
    ASSERT_EQ(DragView(&t.view, 340, fixedTop, 40, -30, 300, true), 1);
    EXPECT_EQ(t.view.Chart()->viewStart, 300);
    EXPECT_DOUBLE_EQ(t.view.Chart()->viewTop, fixedTop - 0.05);

    // A click places the point only while a peak is being set.
    EXPECT_EQ(PlacePeakPoint(&t.view, 100, 0.3), 0);
    ASSERT_EQ(SetHeight(&t.view), 1); // base setting
    t.host.ClearRecords();
    ASSERT_EQ(PlacePeakPoint(&t.view, 120, 0.1), 1);
    EXPECT_EQ(t.host.posted, std::vector<int>{VN_ADJUST});
    ASSERT_EQ(SetHeight(&t.view), 1);                  // top setting
    ASSERT_EQ(PlacePeakPoint(&t.view, 99999, 0.6), 1); // kept on the chart
    EXPECT_EQ(t.Table(0).cursor, 3999);
    ASSERT_EQ(PlacePeakPoint(&t.view, 150, 0.6), 1);
    ASSERT_EQ(SetHeight(&t.view), 1);
    ASSERT_EQ(t.Table(0).count, 1);
    EXPECT_EQ(t.Table(0).entries[0].position, 150.0);
    EXPECT_NEAR(t.Table(0).entries[0].height, 0.5, 1e-12);
}

TEST(Measuring, FiguresBetweenTheTwoCursors) {
    auto rows = MakeSamples(100, [](int i) { return i == 40 ? -1.0 : 0.01 * i; });
    for (SplSample& s : rows)
        s.time *= 10;
    TestViewer t(rows);
    Measurement m;
    EXPECT_FALSE(Measure(&t.view, &m));
    ASSERT_EQ(SetMeasureMark(&t.view, MEASURE_A, 50), 1);
    EXPECT_FALSE(Measure(&t.view, &m));
    ASSERT_EQ(SetMeasureMark(&t.view, MEASURE_B, 30), 1); // B before A
    ASSERT_TRUE(Measure(&t.view, &m));
    EXPECT_EQ(std::tuple(m.dSamples, m.dTime, m.minimum, m.maximum),
              std::tuple(-20, -200.0, -1.0, 0.5));
    EXPECT_DOUBLE_EQ(m.dVolts, 0.30 - 0.50);
    EXPECT_NEAR(m.mean, (0.01 * (30 + 50) / 2 * 21 - 0.40 - 1.0) / 21, 1e-12); // 40 is -1 V
    // Kept on the chart; cleared once; a new chart has none.
    ASSERT_EQ(SetMeasureMark(&t.view, MEASURE_B, 5000), 1);
    EXPECT_EQ(GetMeasureMark(&t.view, MEASURE_B), 99);
    EXPECT_EQ(ClearMeasureMarks(&t.view), 1);
    EXPECT_EQ(ClearMeasureMarks(&t.view), 0);
    SetMeasureMark(&t.view, MEASURE_A, 10);
    ASSERT_EQ(Set(t, rows), 1);
    EXPECT_EQ(GetMeasureMark(&t.view, MEASURE_A), -1);
}

TEST(AxisTicks, RoundStepsFitTheSpace) {
    const struct {
        double lo, hi;
        int pixels, gap;
        double step, first;
        int decimals;
        size_t count;
    } cases[] = {
        {-0.013, 0.087, 200, 40, 0.02, -0.0, 2, 5}, // -0.0 prints as 0
        {1000, 1800, 800, 80, 100, 1000, 0, 9},
        {0.00012, 0.00031, 120, 30, 0.00005, 0.00015, 5, 4},
        {3.0, 3.0, 100, 30, 0.0, 0.0, 0, 0}, // no span
    };
    for (const auto& c : cases) {
        const AxisTicks t = RoundTicks(c.lo, c.hi, c.pixels, c.gap);
        EXPECT_NEAR(t.step, c.step, c.step * 1e-9) << c.lo << ".." << c.hi;
        EXPECT_EQ(t.decimals, c.decimals) << c.lo << ".." << c.hi;
        ASSERT_EQ(t.values.size(), c.count) << c.lo << ".." << c.hi;
        if (c.count) {
            EXPECT_NEAR(t.values.front(), c.first, c.step * 1e-9);
        }
    }
}
