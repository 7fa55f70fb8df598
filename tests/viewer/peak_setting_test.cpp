#include "support/viewer_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

// The next peak goes to the table chosen; tables switch only while browsing.
TEST(SetChartMode, EnterThreeTimesCommitsAPeakAtTheViewCentreAndCancelStoresNothing) {
    LogCapture log;
    TestViewer t(LongRamp());
    ASSERT_EQ(SetHeight(&t.view), 1);
    ASSERT_EQ(SetHeight(&t.view), 1);
    ASSERT_EQ(CancelPeak(&t.view), 1);
    EXPECT_EQ(t.Table(0).count, 0);
    double centre = t.view.Chart()->viewTop - t.view.Chart()->range / 2;
    t.host.ClearRecords();
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(t.view.ChartMode(), CHART_MODE_BASE);
    EXPECT_EQ(t.host.posted, (std::vector<int>{VN_MOVED, VN_MODE}));
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(t.view.ChartMode(), CHART_MODE_TOP);
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(t.view.ChartMode(), CHART_MODE_VIEW);
    const PeakSet& set = t.Table(0);
    ASSERT_EQ(set.count, 1);
    EXPECT_EQ(set.entries[0].position, 400.0);
    EXPECT_DOUBLE_EQ(set.entries[0].height, centre);
    EXPECT_STREQ(set.entries[0].name, "Iso400");
    EXPECT_DOUBLE_EQ(t.Sample(400).top[0], centre);
    EXPECT_EQ(t.view.ChangeCount(), 1);
    EXPECT_EQ(t.Marked(), (std::set<int>{400}));

    TestViewer none;
    EXPECT_EQ(SetPeakMode(&none.view, 0), 0); // no tables before the first chart
    EXPECT_EQ(SetPeakMode(&t.view, 2), 0);
    EXPECT_TRUE(log.Has("SetPeakMode: Mode exceeds limit."));
    EXPECT_EQ(SetPeakMode(&t.view, 1), 1);
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(SetPeakMode(&t.view, 0), 0);
    EXPECT_TRUE(log.Has("SetPeakMode: Peak table entory would be changed in peak detection."));
    ASSERT_EQ(SetHeight(&t.view), 1);
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(t.Table(1).count, 1);
    EXPECT_EQ(set.count, 1);
    EXPECT_EQ(t.Sample(400).flags, SAMPLE_HAS_PEAK | SAMPLE_HAS_REVISED);
}

TEST(SetChartMode, CommitsTheTiltedBaseLineLevelAtTheTop) {
    TestViewer t(LongRamp());
    // Start at sample 100 (as a click would) with the top at 0.5 V; base level 0.1 V; two coarse
    // tilt steps over a view 800 samples wide and 0.8 V high make tan(tilt) = 0.001.
    SetRange(&t.view, 0.8);
    ASSERT_EQ(SetChartMode(&t.view, 1, 0, 0, 0, 100, 0.5), 1);
    AdjustPeak(&t.view, 19, 0.1);
    MoveCursor(&t.view, 28);
    MoveCursor(&t.view, 28);
    EXPECT_DOUBLE_EQ(std::tan(t.Table(0).tilt), 0.001);
    ASSERT_EQ(SetHeight(&t.view), 1);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(MoveCursor(&t.view, 21), 1); // 10 samples each
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(t.Table(0).entries[0].position, 150.0);
    EXPECT_NEAR(t.Table(0).entries[0].height, 0.35, 1e-12);
    EXPECT_EQ(t.Sample(150).top[0], 0.5);
    EXPECT_NEAR(t.Sample(150).base[0], 0.15, 1e-12);
}

TEST(SetChartMode, KeysMoveThePointAndLevelAndReSettingAnEntryMovesItsMark) {
    auto rows = Ramp(4000, 1.8);
    MarkPeak(rows, 500, 0, 0.9, 0.2);
    TestViewer t(rows);
    SetRange(&t.view, 0.3); // 0.001 V per pixel row of a 300-pixel pane
    ASSERT_EQ(SetChartMode(&t.view, 1, 0, 0, 1, 0, -30.0), 1);
    const PeakSet& set = t.Table(0);
    EXPECT_EQ(std::tie(set.cursor, set.baseLevel, set.topLevel), std::tuple(500, 0.2, 0.9));
    for (int i = 0; i < 10; ++i)
        MoveCursorPaired(&t.view, 3, 23); // base up 10 rows each
    EXPECT_NEAR(set.baseLevel, 0.3, 1e-12);
    EXPECT_EQ(t.host.posted.back(), VN_ADJUST);
    MoveCursorPaired(&t.view, 2, 18);
    ASSERT_EQ(SetHeight(&t.view), 1);
    MoveCursorPaired(&t.view, 4, 24);
    MoveCursorPaired(&t.view, 1, 17);
    MoveCursorPaired(&t.view, 1, 17);
    EXPECT_EQ(set.cursor, 501);
    ASSERT_EQ(SetHeight(&t.view), 1);
    ASSERT_EQ(set.count, 1);
    EXPECT_EQ(set.entries[0].position, 501.0);
    EXPECT_NEAR(set.entries[0].height, 0.9 - 0.01 - 0.3, 1e-12);
    EXPECT_EQ(t.Marked(), (std::set<int>{501}));
}

TEST(SetChartMode, RefusesConflictsUnknownPeaksModesAndAFullTable) {
    LogCapture log;
    TestViewer t(LongRamp());
    EXPECT_EQ(SetChartMode(&t.view, 1, 0, 1, 1, 0, -30.0), 0); // select with detect
    EXPECT_EQ(SetChartMode(&t.view, 0, 1, 0, 1, 0, -30.0), 1); // same mode wins first
    EXPECT_EQ(SetChartMode(&t.view, 1, 1, 1, 0, 0, -30.0), 0); // cancel with detect
    EXPECT_EQ(SetChartMode(&t.view, 1, 0, 0, 1, 0, -30.0), 0); // index == count (0)
    EXPECT_TRUE(log.Has("SetChartMode: Unknown peak"));
    EXPECT_EQ(t.host.beeps, 3);
    EXPECT_EQ(SetChartMode(&t.view, 3, 0, 0, 0, -1, -30.0), 0);
    EXPECT_TRUE(log.Has("SetChartMode: Unknown mode"));
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(SetChartMode(&t.view, 2, 0, 0, 1, 0, -30.0), 0); // select while setting

    TestViewer full;
    full.host.desktopWidth = 0; // two samples, room for three entries
    ASSERT_EQ(Set(full, Ramp(2, 1.0)), 1);
    for (int i = 0; i < 11; ++i)
        ASSERT_EQ(SetHeight(&full.view), 1);
    EXPECT_EQ(SetHeight(&full.view), 0);
    EXPECT_EQ(full.view.ChartMode(), CHART_MODE_TOP);
    EXPECT_EQ(full.Table(0).count, 3);
}

TEST(MoveCursor, PointMovesStopAtTheChartsEndsAndTheTiltAtItsLimits) {
    TestViewer t(Ramp(100, 1.0)); // the view reaches far past the last sample
    ASSERT_EQ(SetChartMode(&t.view, 1, 0, 0, 0, 5000, -30.0), 1);
    const PeakSet& set = t.Table(0);
    EXPECT_EQ(set.cursor, 99); // a start past the chart begins at its last sample
    // On past the end; to the view's centre, 400, among the blank samples; back ten.
    for (auto [code, cursor] : {std::pair{21, 99}, {26, 99}, {22, 89}}) {
        MoveCursor(&t.view, code);
        EXPECT_EQ(set.cursor, cursor) << code;
    }
    for (int i = 0; i < 9; ++i)
        MoveCursor(&t.view, 22);
    MoveCursor(&t.view, 18);
    EXPECT_EQ(set.cursor, 0);

    // The tilt, stepped up, then down, stops at its limits; 31 levels the line.
    for (auto [code, steps, tilt] : {std::tuple{28, 4000, 1.57}, {30, 8000, -1.57}}) {
        for (int i = 0; i < steps; ++i)
            MoveCursor(&t.view, code);
        MoveCursor(&t.view, code - 1);
        EXPECT_EQ(set.tilt, tilt) << code;
    }
    MoveCursor(&t.view, 31);
    EXPECT_EQ(set.tilt, 0.0);
}

TEST(MoveCursor, ViewMovesFollowTheMagnificationAndStopAtTheEnds) {
    LogCapture log;
    TestViewer t;
    EXPECT_EQ(MoveCursor(&t.view, 1), 0); // no chart
    ASSERT_EQ(Set(t, Ramp(8000, 1.8)), 1);
    EXPECT_EQ(MoveCursor(&t.view, 0), 0);
    EXPECT_EQ(MoveCursor(&t.view, 32), 0);
    EXPECT_EQ(log.Count("MoveCursor: Invalid operation."), 2);
    const CHARTBLOCK& c = *t.view.Chart();
    // The chart after the move of code.
    auto after = [&](int code) -> const CHARTBLOCK& {
        MoveCursor(&t.view, code);
        return c;
    };
    ASSERT_EQ(SetMagnification(&t.view, 0.25, 1), 0.25);
    SetViewPosition(&t.view, 100, 1.0);
    MoveCursor(&t.view, 9);
    EXPECT_EQ(after(2).viewStart, 136);
    ASSERT_EQ(SetMagnification(&t.view, 2.0, 1), 2.0);
    int start = c.viewStart;
    MoveCursor(&t.view, 1);
    EXPECT_EQ(after(5).viewStart, start + 1 + 200);
    EXPECT_EQ(after(14).viewStart, c.scrollCount - c.viewWidth);
    EXPECT_EQ(after(13).viewStart, 0);
    SetRange(&t.view, 0.5);
    EXPECT_DOUBLE_EQ(after(15).viewTop, c.minValue + c.defaultRange);
    EXPECT_DOUBLE_EQ(after(16).viewTop, c.minValue + c.range);
    EXPECT_DOUBLE_EQ(after(7).viewTop, c.minValue + 0.75);
    // Point moves beep while browsing; centring on the point needs one.
    EXPECT_EQ(MoveCursor(&t.view, 17), 1);
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_EQ(MoveCursor(&t.view, 25), 0);
    ASSERT_EQ(SetChartMode(&t.view, 1, 0, 0, 0, 3000, 0.4), 1);
    EXPECT_EQ(MoveCursor(&t.view, 25), 1);
    EXPECT_EQ(c.viewStart, 3000 - 200);
}

TEST(GetCursorSamples, DescribesTheViewAndThePointBeingSet) {
    TestViewer t(LongRamp());
    SetViewPosition(&t.view, 1000, 1.0);
    SplSample rows[3];
    ASSERT_EQ(GetCursorSamples(&t.view, rows, 3), 3);
    EXPECT_EQ(std::tuple(rows[0].time, rows[1].time, rows[2].time), std::tuple(1000, 1400, 1800));
    EXPECT_EQ(rows[1].data, t.Sample(1400).data);
    ASSERT_EQ(SetChartMode(&t.view, 1, 0, 0, 0, 1234, 0.6), 1);
    AdjustPeak(&t.view, 19, 0.05); // the base rises from 0 V
    ASSERT_EQ(GetCursorSamples(&t.view, rows, 2), 2);
    EXPECT_EQ(std::tuple(rows[1].time, rows[1].data), std::tuple(1234, 0.05));
}
