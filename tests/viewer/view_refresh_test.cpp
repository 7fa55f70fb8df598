#include "support/viewer_test_support.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

TEST(MakeIndexImage, SetsTheScrollableStretchAndAsksForTheImageOrKeepsTheOldOne) {
    EXPECT_EQ(IndexStep(0, 300), 1);
    TestViewer t;
    t.host.indexPane = {300, 90};
    ASSERT_EQ(Set(t, Ramp(1000, 1.8)), 1); // default range 2 V
    EXPECT_EQ(t.view.Chart()->scrollCount, 1200);
    EXPECT_EQ(t.host.draws, (std::vector<FakeViewerHost::DrawCall>{{4, 45.0}}));
    EXPECT_TRUE(t.view.IndexPane().hasImage);
    ASSERT_EQ(Set(t, Ramp(100, 1.8)), 1);
    EXPECT_EQ(t.view.Chart()->scrollCount, 300);
    EXPECT_EQ(t.host.draws.back().step, 1);

    LogCapture log;
    TestViewer few;
    few.host.desktopWidth = 100; // fewer blank samples than the index is wide
    ASSERT_EQ(Set(few, Ramp(50, 1.0)), 1);
    EXPECT_TRUE(log.Has("MakeIndexImage: Too few width of chart. Something wrong in SetChart."));
    EXPECT_EQ(few.view.Chart()->scrollCount, 150);
    EXPECT_TRUE(few.host.draws.empty());
    EXPECT_FALSE(few.view.IndexPane().hasImage);

    TestViewer failing;
    failing.host.drawSucceeds = false;
    ASSERT_EQ(Set(failing, Ramp(1000, 1.0)), 1);
    EXPECT_TRUE(log.Has("MakeIndexImage: Fail to create bitmap buffer."));
    EXPECT_FALSE(failing.view.IndexPane().hasImage);
    EXPECT_EQ(failing.host.posted, (std::vector<int>{VN_RESET, VN_MODE, VN_BOX, VN_CHART}));

    TestViewer narrow;
    narrow.host.indexPane = {0, 100};
    ASSERT_EQ(Set(narrow, Ramp(1000, 1.0)), 1);
    EXPECT_TRUE(narrow.host.draws.empty());
    EXPECT_EQ(narrow.view.Chart()->scrollCount, narrow.view.Chart()->paddedCount);
    EXPECT_EQ(SetMagnification(&narrow.view, 2.0, 0), 2.0);
}

TEST(MakeCursorBox, SizesTheBoxFromTheViewWithinThePane) {
    TestViewer t;
    const IndexPaneState& box = t.view.IndexPane();
    MakeCursorBox(&t.view); // no chart: the box covers the pane
    EXPECT_EQ(std::pair(box.boxWidth, box.boxHeight), std::pair(400, 100));
    ASSERT_EQ(Set(t, Ramp(4000, 1.8)), 1); // scrollCount 4000 in a 400 x 100 index, 2 V
    SetMagnification(&t.view, 80.0, 1);    // 10 samples over the 800-pixel pane
    SetRange(&t.view, 0.25);
    t.host.ClearRecords();
    MakeCursorBox(&t.view);
    EXPECT_EQ(std::pair(box.boxWidth, box.boxHeight), std::pair(3, 12));
    EXPECT_EQ(t.host.posted, (std::vector<int>{VN_BOX}));
    SetRange(&t.view, 0.01);
    EXPECT_EQ(box.boxHeight, 3);
    t.host.chartPane = {8000, 300}; // a pane wider than the chart at one pixel per sample
    SetMagnification(&t.view, 1.0, 1);
    EXPECT_EQ(box.boxWidth, 400);
}

TEST(PlaceCursorBox, KeepsTheBoxInsideThePaneAndApplyingItMovesTheView) {
    TestViewer t(MakeSamples(4000, [](int i) { return 0.5 + 1.3 * i / 3999; }));
    SetRange(&t.view, 0.5); // box 80 x 25
    const IndexPaneState& box = t.view.IndexPane();
    t.host.ClearRecords();
    PlaceCursorBox(&t.view, 390, -20);
    EXPECT_EQ(std::pair(box.boxLeft, box.boxTop), std::pair(320, 0));
    ASSERT_EQ(t.host.invalidated.size(), 2u);
    EXPECT_EQ(t.host.invalidated[1], (FakeViewerHost::Rect{320, 0, 400, 25}));
    EXPECT_EQ(t.host.indexUpdates, 1);
    PlaceCursorBox(&t.view, -5, 500);
    EXPECT_EQ(std::pair(box.boxLeft, box.boxTop), std::pair(0, 75));
    EXPECT_EQ(t.host.invalidated[2], (FakeViewerHost::Rect{320, 0, 400, 25})); // the old one first

    PlaceCursorBox(&t.view, 200, 20);
    t.host.ClearRecords();
    ApplyCursorBox(&t.view);
    const CHARTBLOCK& c = *t.view.Chart();
    EXPECT_EQ(c.viewStart, 2000);
    EXPECT_DOUBLE_EQ(c.viewTop, 2.0 - 20 * 2.0 / 100);
    EXPECT_EQ(t.host.posted, (std::vector<int>{VN_MOVED}));
    // A box on the bottom edge asks for a top at 0 V: the view shows the lowest part.
    PlaceCursorBox(&t.view, 0, 100);
    ApplyCursorBox(&t.view);
    EXPECT_DOUBLE_EQ(c.viewTop, c.minValue + c.range);
}

TEST(RefreshView, RepaintsTheRequestedPanesAndLayoutReappliesThePosition) {
    TestViewer t;
    LayoutPanes(&t.view); // no chart: only a refresh
    ASSERT_EQ(Set(t, Ramp(4000, 1.8)), 1);
    t.host.ClearRecords();
    RefreshView(&t.view, REFRESH_CHART);
    EXPECT_EQ(std::tuple(t.host.chartRepaints, t.host.indexRepaints, t.host.draws.size()),
              std::tuple(1, 0, 0u));
    RefreshView(&t.view, REFRESH_INDEX);
    EXPECT_EQ(std::tuple(t.host.chartRepaints, t.host.indexRepaints, t.host.draws.size()),
              std::tuple(1, 1, 1u));
    RefreshView(nullptr, REFRESH_ALL);

    ASSERT_EQ(SetMagnification(&t.view, 2.0, 0), 2.0);
    t.host.chartPane = {801, 300};
    t.host.ClearRecords();
    LayoutPanes(&t.view);
    EXPECT_EQ(t.view.Chart()->viewWidth, 400);
    EXPECT_EQ(t.host.posted, (std::vector<int>{VN_INDEX, VN_BOX, VN_MOVED}));
}

TEST(IndexPane, ChartBelowZeroVoltsIsMappedFromItsMinimum) {
    // A -3 V baseline with a peak to -1.8 V; the blank padding adds 0 V at the top.
    TestViewer t(MakeSamples(4000, [](int i) { return i == 2000 ? -1.8 : -3.0; }));
    const CHARTBLOCK& c = *t.view.Chart();
    EXPECT_DOUBLE_EQ(IndexBaseLevel(c), -3.0);
    SetRange(&t.view, 0.5);
    // The box shows the view where it is: a top of -1.5 V lies 1.5 V above the bottom row.
    ASSERT_EQ(SetViewPosition(&t.view, 2000, -1.5), 1);
    const double span = c.defaultRange;
    EXPECT_EQ(t.view.IndexPane().boxTop, 100 - static_cast<int>(100 * 1.5 / span));
    // Dropping the box where it is keeps the view's top within one row.
    ApplyCursorBox(&t.view);
    EXPECT_NEAR(c.viewTop, -1.5, span / 100);
}
