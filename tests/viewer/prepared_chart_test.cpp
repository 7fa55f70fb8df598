// A chart prepared away from the viewer (as a background load does) is installed with the same
// block, tables, log lines and notifications as SetChart gives, or refused whole.
#include "support/viewer_test_support.h"
#include "viewer/max_pyramid.h"

#include <gtest/gtest.h>

TEST(PrepareChart, InstallsLikeSetChartOrIsRefusedWhole) {
    auto rows = Ramp(3000, 1.5);
    MarkPeak(rows, 100, 0, 1.2, 0.1);
    MarkPeak(rows, 2500, 1, 0.9, -0.3);
    TestViewer direct, prepared;
    std::vector<std::string> directLog, preparedLog;
    {
        LogCapture log;
        ASSERT_EQ(SetChart(&direct.view, ChartStore(rows), 0, 2), 1);
        directLog = log.lines;
    }
    {
        LogCapture log;
        ChartStore handed(rows);
        PreparedChart p =
            PrepareChart(handed, 0, 2, prepared.host.DesktopWidth(), prepared.view.ListCount());
        ASSERT_TRUE(p.block);
        EXPECT_TRUE(handed.empty());
        // The painters' maxima built beside it stay valid once the block is installed.
        ChartPyramids pyramids;
        pyramids.Update(*p.block);
        ASSERT_EQ(SetChart(&prepared.view, std::move(p)), 1);
        EXPECT_DOUBLE_EQ(pyramids.Data().Max(0, 3000), 1.5);
        preparedLog = log.lines;
    }
    EXPECT_EQ(preparedLog, directLog);
    const CHARTBLOCK& a = *direct.view.Chart();
    const CHARTBLOCK& b = *prepared.view.Chart();
    EXPECT_EQ(b.paddedCount, a.paddedCount);
    EXPECT_EQ(b.viewWidth, a.viewWidth);
    EXPECT_EQ(b.maxValue, a.maxValue);
    EXPECT_EQ(b.minValue, a.minValue);
    EXPECT_EQ(b.range, a.range);
    EXPECT_EQ(prepared.Table(0).count, 1);
    EXPECT_EQ(prepared.Table(1).count, 1);
    EXPECT_EQ(prepared.host.posted, direct.host.posted);

    // While a peak is being set the viewer refuses it and keeps its chart; the prepared chart is
    // left to the caller.
    ASSERT_EQ(SetHeight(&prepared.view), 1);
    const CHARTBLOCK* before = prepared.view.Chart();
    ChartStore more(Ramp(10, 1.0));
    PreparedChart p = PrepareChart(more, 0, 2, 1024, prepared.view.ListCount());
    ASSERT_TRUE(p.block);
    EXPECT_EQ(SetChart(&prepared.view, std::move(p)), 0);
    EXPECT_TRUE(p.block);
    EXPECT_EQ(prepared.view.Chart(), before);
    // Another table count is refused while preparing.
    ChartStore other(Ramp(10, 1.0));
    EXPECT_FALSE(PrepareChart(other, 0, 1, 1024, 2).block);
    EXPECT_EQ(other.size(), 10u);
}
