#include "support/viewer_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

// Names are cut to the entry's room; a new top level moves the sample's top and the height.
TEST(SetPeakInfo, RenamesAndRelevelsAndReplacedRowsKeepNamesWhereTheirMarksStay) {
    TestViewer t(FivePeaks());
    const char* const longName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678";
    ASSERT_EQ(SetPeakInfo(&t.view, 0, 2, nullptr, nullptr, longName), 1);
    ASSERT_EQ(SetPeakInfo(&t.view, 0, 4, nullptr, nullptr, "gone"), 1);
    ASSERT_EQ(SetPeakInfo(&t.view, 1, 0, nullptr, nullptr, "revised"), 1);
    const double top = 0.8;
    ASSERT_EQ(SetPeakInfo(&t.view, 0, 2, &top, nullptr, nullptr), 1);
    EXPECT_EQ(t.Sample(300).top[0], 0.8);
    EXPECT_DOUBLE_EQ(t.Table(0).entries[2].height, 0.7);
    EXPECT_EQ(t.view.ChangeCount(), 4);
    // The same rows, but the mark at 500 is gone and one at 700 is new.
    std::vector<SplSample> rows = FivePeaks();
    rows[500].flags = 0;
    MarkPeak(rows, 700, 0, 0.6, 0.1);
    std::strcpy(rows[700].isotopeName, "fresh");
    ASSERT_EQ(ReplaceChartRows(&t.view, ChartStore(rows.data(), rows.size()), 0, 2), 1);
    const PeakSet& set = t.Table(0);
    ASSERT_EQ(set.count, 5);
    EXPECT_STREQ(set.entries[2].name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012");
    EXPECT_STREQ(set.entries[3].name, "Iso400");
    EXPECT_EQ(set.entries[4].position, 700.0);
    EXPECT_STREQ(set.entries[4].name, "fresh");
    EXPECT_STREQ(t.Table(1).entries[0].name, "revised");
}

// Deleting removes listed entries and their marks once; tables are read as a copy; both are
// refused without a chart or outside the table, and nothing changes while a peak is being set.
TEST(PeakTables, DeletedOnceReadAsACopyRefusedOutsideAndNothingChangesWhileSetting) {
    LogCapture log;
    TestViewer t;
    int count = -1;
    EXPECT_FALSE(GetPeakList(&t.view, &count));
    ASSERT_EQ(Set(t, Ramp(1000, 1.0)), 1);
    EXPECT_FALSE(GetPeakList(&t.view, &count)); // an empty table
    EXPECT_EQ(log.Count("GetPeakList: Chart not ready."), 2);
    EXPECT_EQ(count, -1);

    ASSERT_EQ(Set(t, FivePeaks()), 1);
    auto list = GetPeakList(&t.view, &count);
    ASSERT_TRUE(list);
    EXPECT_EQ(count, 5);
    const int doomed[] = {1, 3, 3, 7, -1}; // outside the table: skipped; repeated: once
    EXPECT_EQ(DeletePeaks(&t.view, 5, doomed), 3);
    EXPECT_EQ(list[3].position, 400.0); // a copy: later changes do not reach it
    const PeakSet& set = t.Table(0);
    ASSERT_EQ(set.count, 3);
    EXPECT_EQ(std::pair(set.entries[1].position, set.entries[2].position), std::pair(300.0, 500.0));
    EXPECT_EQ(t.Sample(200).flags, 0u);
    EXPECT_EQ(t.Sample(400).base[0], 0.0);
    EXPECT_EQ(t.Sample(300).flags, SAMPLE_HAS_PEAK | SAMPLE_HAS_REVISED);
    EXPECT_EQ(t.Marked(), (std::set<int>{100, 300, 500}));
    const int many[] = {0, 0, 0, 0, 0, 0};
    EXPECT_EQ(DeletePeaks(&t.view, 6, many), 0); // more than the table holds: refused
    EXPECT_EQ(DeletePeaks(&t.view, 1, nullptr), 0);
    double top = -1, base = -1;
    EXPECT_EQ(GetPeakInfo(&t.view, 1, 0, &top, &base), 1); // the levels of the sample
    EXPECT_EQ(std::pair(top, base), std::pair(0.9, 0.2));
    top = base = -1;
    for (const auto& [table, index] : {std::pair{0, 3}, {2, 0}, {-1, 0}}) {
        EXPECT_EQ(GetPeakInfo(&t.view, table, index, &top, &base), 0) << table << " " << index;
        EXPECT_EQ(SetPeakInfo(&t.view, table, index, nullptr, nullptr, "x"), 0);
    }
    EXPECT_EQ(std::pair(top, base), std::pair(-1.0, -1.0));

    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_FALSE(GetPeakList(&t.view, &count));
    EXPECT_TRUE(log.Has("GetPeakList: Peak list would be retrieved in peak detection."));
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_EQ(SetPeakInfo(&t.view, 0, 0, nullptr, nullptr, "x"), 0);
    EXPECT_TRUE(log.Has("SetPeakInfo: A peak would be overwritten in peak detection."));
    EXPECT_EQ(t.view.ChangeCount(), 1);
    EXPECT_EQ(GetPeakInfo(&t.view, 0, 0, &top, &base), 1); // reading does not depend on the mode

    // Deleting every entry leaves the other table and its marks.
    ASSERT_EQ(CancelPeak(&t.view), 1);
    const int all[] = {0, 1, 2};
    EXPECT_EQ(DeletePeaks(&t.view, 3, all), 0);
    EXPECT_EQ(t.Table(1).count, 1);
    EXPECT_EQ(t.Sample(300).flags, SAMPLE_HAS_REVISED);
    EXPECT_EQ(t.Sample(300).top[1], 0.9);
    EXPECT_EQ(t.Marked(), (std::set<int>{300}));
}
