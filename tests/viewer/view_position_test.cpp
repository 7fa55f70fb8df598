#include "support/viewer_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

TEST(SetViewPosition, ClampsStartAndTopAndPlacesTheBoxFromTheRequest) {
    TestViewer t(LongRamp());
    const CHARTBLOCK& c = *t.view.Chart();
    ASSERT_EQ(c.scrollCount, 4000);
    t.host.ClearRecords();
    EXPECT_EQ(SetViewPosition(&t.view, -50, 1.0), 1);
    EXPECT_EQ(c.viewStart, 0);
    EXPECT_EQ(SetViewPosition(&t.view, 10000, 1.0), 1);
    EXPECT_EQ(c.viewStart, 4000 - 800);
    EXPECT_EQ(t.host.posted, (std::vector<int>{VN_MOVED, VN_MOVED}));
    EXPECT_EQ(t.host.chartRepaints, 2);
    // The bottom edge stays at or above the minimum, the top at or below the full height.
    for (double top : {-5.0, 0.3, 50.0}) {
        SetViewPosition(&t.view, 0, top);
        EXPECT_DOUBLE_EQ(c.viewTop, c.minValue + c.defaultRange) << top;
    }
    SetRange(&t.view, 0.5);
    SetViewPosition(&t.view, 0, c.minValue);
    EXPECT_DOUBLE_EQ(c.viewTop, c.minValue + c.range);
    SetViewPosition(&t.view, 0, 100.0);
    EXPECT_DOUBLE_EQ(c.viewTop, c.minValue + c.defaultRange);
    // The box: 400 * 800 / 4000 wide, at 100 - trunc(100 * 1.0 / 2.0) for a top of 1 V.
    EXPECT_EQ(t.view.IndexPane().boxWidth, 80);
    SetViewPosition(&t.view, 2000, 1.0);
    EXPECT_EQ(std::pair(t.view.IndexPane().boxLeft, t.view.IndexPane().boxTop), std::pair(200, 50));
}

TEST(SetMagnification, KeepsTheCentreOrThePointAndRefusesToShowMoreThanTheChart) {
    LogCapture log;
    TestViewer t(LongRamp());
    SetViewPosition(&t.view, 1000, 1.0);
    const CHARTBLOCK& c = *t.view.Chart();
    int centre = c.viewStart + c.viewWidth / 2;
    t.host.ClearRecords();
    EXPECT_EQ(SetMagnification(&t.view, 2.0, 0), 2.0);
    EXPECT_EQ(t.host.posted, (std::vector<int>{VN_INDEX, VN_BOX, VN_MOVED, VN_INDEX, VN_BOX}));
    EXPECT_EQ(SetMagnification(&t.view, 2.0, 0), 4.0);
    EXPECT_EQ(c.viewWidth, 200);
    EXPECT_EQ(c.viewStart + c.viewWidth / 2, centre);
    EXPECT_EQ(SetMagnification(&t.view, 0.0, 0), 1.0);
    EXPECT_EQ(c.viewWidth, 800);
    ASSERT_EQ(SetChartMode(&t.view, 1, 0, 0, 0, 2500, 0.5), 1);
    EXPECT_EQ(SetMagnification(&t.view, 2.0, 0), 2.0);
    EXPECT_EQ(c.viewStart, 2500 - 200);

    ASSERT_EQ(CancelPeak(&t.view), 1);
    ASSERT_EQ(Set(t, Ramp(1000, 1.0)), 1);
    EXPECT_EQ(ChgMag(&t.view, 0.2), 0);
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_TRUE(log.Has("SetMagnification: Too wide"));
    EXPECT_TRUE(log.Has("ChgMag: SetMagnification() returns 0."));
    EXPECT_EQ(t.view.Chart()->magnification, 1.0);
    // Fewer samples than the desktop is wide: 1.0 itself is refused, 2.0 is accepted.
    EXPECT_EQ(SetMagnification(&t.view, 0.0, 0), 0.0);
    EXPECT_EQ(SetMagnification(&t.view, 2.0, 0), 2.0);

    ASSERT_EQ(Set(t, LongRamp()), 1); // a pane without width shows no samples
    t.host.chartPane = {0, 300};
    EXPECT_EQ(SetMagnification(&t.view, 2.0, 0), 2.0);
    EXPECT_EQ(t.view.Chart()->viewWidth, 0);
    EXPECT_EQ(t.view.IndexPane().boxWidth, 3);
    EXPECT_EQ(MoveCursor(&t.view, 5), 1);
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(MoveCursor(&t.view, 27), 1);
    EXPECT_TRUE(std::isfinite(t.Table(0).tilt));
}

TEST(SetRange, KeepsThePointOfInterestAtTheCentreAndAChartOfZerosHasNone) {
    LogCapture log;
    TestViewer t(LongRamp());
    const CHARTBLOCK& c = *t.view.Chart();
    SetViewPosition(&t.view, 0, 2.0);
    EXPECT_EQ(SetRange(&t.view, 0.5), 0.5);
    EXPECT_TRUE(log.Has("SetRange: Follow the center."));
    EXPECT_DOUBLE_EQ(c.viewTop - c.range / 2, 1.0);
    ASSERT_EQ(SetChartMode(&t.view, 1, 0, 0, 0, 100, 0.7), 1);
    ASSERT_EQ(SetChartMode(&t.view, 2, 0, 0, 0, -1, -30.0), 1);
    EXPECT_EQ(SetRange(&t.view, 0.2), 0.2);
    EXPECT_TRUE(log.Has("SetRange: Follow the peak top."));
    EXPECT_DOUBLE_EQ(c.viewTop - c.range / 2, 0.7);
    EXPECT_TRUE(log.Has("SetRange: 0.200000 -> * 0.200000"));
    EXPECT_EQ(SetRange(&t.view, 0.0), c.defaultRange);
    EXPECT_EQ(SetRange(&t.view, std::nan("")), 0.0);

    ASSERT_EQ(CancelPeak(&t.view), 1);
    ASSERT_EQ(Set(t, MakeSamples(2000, [](int) { return 0.0; })), 1);
    unsigned checked = 40015;
    EXPECT_EQ(DefaultRange(&t.view, &checked), 0);
    EXPECT_TRUE(log.Has("DefaultRange: SetRange() returns 0."));
    EXPECT_EQ(checked, 40015u);
    EXPECT_EQ(t.view.IndexPane().boxHeight, 100);
    EXPECT_EQ(t.host.draws.back().scale, 0.0);
    EXPECT_EQ(MoveCursor(&t.view, 3), 1);
    EXPECT_EQ(t.view.Chart()->viewTop, 0.0);
}

TEST(ShiftRange, StepsAlongTheTableFromTheFullHeightItemAndStopsAtItsEnds) {
    // The chart rises to top volts; setRange is set before the step, range is the one after it.
    const struct {
        double top, setRange, range;
        unsigned checked, checkedAfter;
        int step, result;
    } cases[] = {
        {0.27, 0.0, 0.2, RANGE_FULL_HEIGHT, 40017, -1, 1}, // default range 0.3 V
        {0.27, 0.0, 0.5, RANGE_FULL_HEIGHT, 40016, 1, 1},
        {0.27, 0.2, 0.1, RANGE_FULL_HEIGHT, 40020, -1, 1}, // a range equal to a row steps past it
        {0.0005, 0.0, 0.001, RANGE_FULL_HEIGHT, 40026, -1, 1}, // below the smallest row
        {1.0, 0.0, 0.0, 40011, 40011, 1, 0},                   // the ends of the table
        {1.0, 0.0, 0.0, 40026, 40026, -1, 0},
        {1.0, 0.0, 0.0, 40016, 40016, 3, 0},
        {1.0, 0.0, 0.0, 0, 0, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.checked << " " << c.step);
        TestViewer t(Ramp(2000, c.top));
        if (c.setRange > 0) SetRange(&t.view, c.setRange);
        unsigned checked = c.checked;
        EXPECT_EQ(ShiftRange(&t.view, c.step, &checked), c.result);
        EXPECT_EQ(checked, c.checkedAfter);
        if (c.result) {
            EXPECT_DOUBLE_EQ(GetRange(&t.view), c.range);
        }
    }
}
