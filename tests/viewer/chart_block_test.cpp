#include "support/viewer_test_support.h"
#include "viewer/max_pyramid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

// (The notifications it posts, in order: the viewer widget's test.)
TEST(SetChart, PadsWithADesktopOfBlankSamples) {
    LogCapture log;
    TestViewer t(Ramp(1000, 2.0));
    const CHARTBLOCK& c = *t.view.Chart();
    ASSERT_EQ(c.rows.size(), 1000u);
    for (size_t i = 1000; i < 2025; ++i)
        ASSERT_EQ(c.rows.Data()[i], 0.0);
    // 1000 samples over 400 index columns: 3 per column.
    EXPECT_EQ(std::tuple(c.paddedCount, c.viewWidth, c.scrollCount), std::tuple(2024, 800, 1200));
    EXPECT_DOUBLE_EQ(c.range, 2.0 / 0.9);
    EXPECT_DOUBLE_EQ(c.viewTop, 2.0 / 0.9);
    // A second chart reuses the table array: no "New table" line.
    ASSERT_EQ(Set(t, Ramp(10, 1.0)), 1);
    EXPECT_EQ(log.Count("SetChart: New table is set."), 1);
}

TEST(SetChart, ExtremesSkipAnOutOfRangeFirstSampleAndNonFiniteValuesAndCountSmoothedWithHassm) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        std::vector<double> data, smoothed;
        uint32_t flags;
        double max, min;
    } cases[] = {
        {{25.0, 0.5, 1.0}, {}, 0, 1.0, 0.0}, // seeded from the second sample
        {{-0.2, 0.5, 1.0}, {}, 0, 1.0, 0.0},
        {{20.0, 0.5, 1.0}, {}, 0, 20.0, 0.0}, // the limits themselves are in range
        {{-0.1, 0.5, 1.0}, {}, 0, 1.0, -0.1},
        {{0.2, inf, -inf, std::nan(""), 1.0}, {}, 0, 1.0, 0.0},
        {{0.2, 0.5, 1.0}, {-1.0, 3.0, 0.0}, 0, 1.0, 0.0}, // smoothed values count with HASSM only
        {{0.2, 0.5, 1.0}, {-1.0, 3.0, 0.0}, HASSM, 3.0, -1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.data[0] << " flags " << c.flags);
        std::vector<SplSample> rows(c.data.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            rows[i].data = c.data[i];
            rows[i].smoothed = i < c.smoothed.size() ? c.smoothed[i] : 0.0;
        }
        TestViewer t(rows, c.flags);
        EXPECT_EQ(std::tuple(t.view.Chart()->maxValue, t.view.Chart()->minValue),
                  std::tuple(c.max, c.min));
        EXPECT_TRUE(std::isfinite(t.view.Chart()->range));
    }
}

TEST(SetChart, RebuildsBothPeakTablesFromTheMarks) {
    LogCapture log;
    auto rows = Ramp(100, 1.0);
    MarkPeak(rows, 10, 0, 0.5, 0.1);
    MarkPeak(rows, 20, 0, 5.0, 0.2);  // top above every value raises the maximum
    MarkPeak(rows, 20, 1, 0.7, -0.4); // base below every value lowers the minimum
    std::strcpy(rows[20].isotopeName, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd"); // 40 chars
    TestViewer t(rows);
    const PeakSet& t0 = t.Table(0);
    ASSERT_EQ(std::tuple(t0.count, t.Table(1).count), std::tuple(2, 1));
    EXPECT_EQ(t0.room, t.view.Chart()->paddedCount + 1);
    EXPECT_EQ(t0.entries[0].position, 10.0);
    EXPECT_DOUBLE_EQ(t0.entries[0].height, 0.4);
    EXPECT_STREQ(t0.entries[0].name, "Iso10");
    EXPECT_STREQ(t0.entries[1].name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012");
    EXPECT_DOUBLE_EQ(t.Table(1).entries[0].height, 1.1);
    EXPECT_EQ(std::tuple(t.view.Chart()->maxValue, t.view.Chart()->minValue),
              std::tuple(5.0, -0.4));
    std::string p0 = "SetChart: A peak(2th) has been detected (30000/10000) for 0. ID was copied "
                     "in MAX_ELEM_NAME.";
    std::string p1 = "SetChart: A peak(1th) has been detected (30000/20000) for 1. ID was copied "
                     "in MAX_ELEM_NAME.";
    ASSERT_GE(log.IndexOf(p0), 0);
    EXPECT_LT(log.IndexOf(p0), log.IndexOf(p1));
}

TEST(SetChart, RefusalsKeepTheOldChartAndItsTables) {
    TestViewer t(Ramp(100, 1.0));
    const CHARTBLOCK* before = t.view.Chart();
    const auto rows = Ramp(10, 1.0);
    LogCapture log;
    EXPECT_EQ(SetChart(nullptr, 10, rows.data(), 0, 2), 0);
    EXPECT_EQ(SetChart(&t.view, 10, nullptr, 0, 2), 0);
    EXPECT_EQ(SetChart(&t.view, -5, rows.data(), 0, 2), 0);
    EXPECT_EQ(log.Count("SetChart: Invalid arguments."), 3);
    EXPECT_EQ(SetChart(&t.view, 10, rows.data(), 0, 3), 0);
    EXPECT_TRUE(log.Has("SetChart: Peak list table would be overridden illigaly."));
    // With a desktop of blank samples the block would pass the largest row count.
    EXPECT_EQ(SetChart(&t.view, std::numeric_limits<int>::max() - 5, rows.data(), 0, 2), 0);
    EXPECT_TRUE(log.Has("SetChart: Fail to allocate CHARTBLOCK."));
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(Set(t, rows), 0);
    EXPECT_TRUE(log.Has("SetChart: A chart would be set in peak detection."));
    EXPECT_EQ(std::tuple(t.view.Chart(), t.view.Chart()->sampleCount, t.Table(0).room),
              std::tuple(before, 100, 101 + 1024));
    // The samples carry the columns of two tables only.
    TestViewer fresh;
    EXPECT_EQ(SetChart(&fresh.view, 10, rows.data(), 0, 3), 0);
    EXPECT_EQ(std::tuple(fresh.view.Chart(), fresh.view.ListCount()), std::tuple(nullptr, 0));
}

TEST(RetrieveChart, ReturnsTheChartWithItsPeaksButNoPaddingAndNotWhileSetting) {
    LogCapture log;
    auto rows = Ramp(100, 1.0);
    MarkPeak(rows, 42, 1, 0.9, 0.1);
    TestViewer t(rows);
    int count = 0;
    uint32_t flags = 0x80;
    auto back = RetrieveChart(&t.view, &count, &flags);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tuple(count, flags),
              std::tuple(100, 0x80u)); // flags untouched without smoothing
    EXPECT_EQ(std::tuple((*back)[42].flags, (*back)[42].top[1]),
              std::tuple(SAMPLE_HAS_REVISED, 0.9));
    EXPECT_STREQ((*back)[7].isotopeName, "Iso7");
    ASSERT_EQ(Set(t, rows, HASSM), 1);
    flags = 0;
    ASSERT_TRUE(RetrieveChart(&t.view, &count, &flags));
    EXPECT_EQ(flags, 1u);
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_FALSE(RetrieveChart(&t.view, &count, &flags));
    EXPECT_TRUE(log.Has("RetrieveChart: A chart would be retrieved in peak detection."));
    EXPECT_EQ(t.host.beeps, 1);
}

// Copying the rows, taking them over and preparing them away from the viewer (as a background
// load does) give the same block, tables, log lines and notifications.
TEST(SetChart, CopiedTakenOverAndPreparedChartsAreTheSame) {
    auto rows = Ramp(3000, 1.5);
    MarkPeak(rows, 100, 0, 1.2, 0.1);
    MarkPeak(rows, 2500, 1, 0.9, -0.3);
    rows[7].smoothed = 2.0;
    TestViewer copied, taken, prepared;
    LogCapture log;
    ASSERT_EQ(Set(copied, rows, HASSM), 1);
    const std::vector<std::string> copiedLog = log.lines;
    log.lines.clear();
    ChartStore handed(rows);
    ASSERT_EQ(SetChart(&taken.view, std::move(handed), HASSM, 2), 1);
    EXPECT_TRUE(handed.empty());
    EXPECT_EQ(log.lines, copiedLog);
    log.lines.clear();
    handed = ChartStore(rows);
    PreparedChart p = PrepareChart(handed, HASSM, 2, 1024, prepared.view.ListCount());
    ASSERT_TRUE(p.block);
    EXPECT_TRUE(handed.empty());
    // The painters' maxima built beside it stay valid once the block is installed.
    ChartPyramids pyramids;
    pyramids.Update(*p.block);
    ASSERT_EQ(SetChart(&prepared.view, std::move(p)), 1);
    EXPECT_DOUBLE_EQ(pyramids.Data().Max(0, 3000), 1.5);
    EXPECT_EQ(log.lines, copiedLog);
    const CHARTBLOCK& a = *copied.view.Chart();
    auto shape = [](const CHARTBLOCK& c) {
        return std::tuple(c.paddedCount, c.viewWidth, c.maxValue, c.minValue);
    };
    EXPECT_EQ(shape(a), std::tuple(4024, 800, 2.0, -0.3));
    for (TestViewer* other : {&taken, &prepared}) {
        const CHARTBLOCK& b = *other->view.Chart();
        EXPECT_EQ(shape(b), shape(a));
        ASSERT_EQ(a.rows.size(), b.rows.size());
        for (int i = 0; i <= a.paddedCount; ++i) {
            SplSample x = a.rows.Row(static_cast<size_t>(i)),
                      y = b.rows.Row(static_cast<size_t>(i));
            ASSERT_EQ(std::memcmp(&x, &y, sizeof x), 0) << i;
            ASSERT_EQ(a.rows.Data()[i], b.rows.Data()[i]);
            ASSERT_EQ(a.rows.SmoothedColumn()[i], b.rows.SmoothedColumn()[i]);
        }
        EXPECT_EQ(other->Marked(), copied.Marked());
        EXPECT_EQ(other->Table(1).count, 1);
        EXPECT_EQ(other->host.posted, copied.host.posted);
    }

    // While a peak is being set the viewer refuses a prepared chart, which is left to the caller;
    // another table count is refused while preparing, the rows left as they were.
    ASSERT_EQ(SetHeight(&prepared.view), 1);
    ChartStore more(Ramp(10, 1.0));
    p = PrepareChart(more, 0, 2, 1024, prepared.view.ListCount());
    EXPECT_EQ(SetChart(&prepared.view, std::move(p)), 0);
    EXPECT_TRUE(p.block);
    EXPECT_EQ(prepared.view.Chart()->sampleCount, 3000);
    ChartStore other(Ramp(10, 1.0));
    EXPECT_FALSE(PrepareChart(other, 0, 1, 1024, 2).block);
    EXPECT_EQ(other.size(), 10u);
}
