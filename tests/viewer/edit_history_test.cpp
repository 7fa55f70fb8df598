#include "support/viewer_test_support.h"
#include "viewer/edit_history.h"
#include "viewer/measuring.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Everything an edit may change: the chart's rows and both tables' entries.
struct Picture {
    std::vector<SplSample> rows;
    std::vector<std::vector<PeakEntry>> tables;
    uint32_t flags = 0;
};

Picture Take(TestViewer& t) {
    Picture p;
    int count = 0;
    for (const SplSample& row : *RetrieveChart(&t.view, &count, &p.flags))
        p.rows.push_back(row);
    for (int k = 0; k < 2; ++k) {
        const PeakSet& set = t.Table(k);
        p.tables.emplace_back(set.entries.begin(), set.entries.begin() + set.count);
    }
    return p;
}

void ExpectSame(const Picture& a, const Picture& b) {
    ASSERT_EQ(a.rows.size(), b.rows.size());
    EXPECT_EQ(a.flags, b.flags);
    for (size_t i = 0; i < a.rows.size(); ++i) {
        const SplSample &x = a.rows[i], &y = b.rows[i];
        ASSERT_TRUE(x.flags == y.flags && x.top[0] == y.top[0] && x.base[0] == y.base[0] &&
                    x.top[1] == y.top[1] && x.base[1] == y.base[1] && x.smoothed == y.smoothed)
            << "sample " << i;
    }
    ASSERT_EQ(a.tables.size(), b.tables.size());
    for (size_t k = 0; k < a.tables.size(); ++k) {
        ASSERT_EQ(a.tables[k].size(), b.tables[k].size()) << "table " << k;
        for (size_t i = 0; i < a.tables[k].size(); ++i) {
            EXPECT_EQ(a.tables[k][i].position, b.tables[k][i].position);
            EXPECT_EQ(a.tables[k][i].height, b.tables[k][i].height);
            EXPECT_STREQ(a.tables[k][i].name, b.tables[k][i].name);
        }
    }
}

void Commit(ChartView* v, int select, int index) {
    ASSERT_EQ(SetChartMode(v, CHART_MODE_BASE, 0, 0, select, index, -30.0), 1);
    ASSERT_EQ(MoveCursor(v, 21), 1);
    ASSERT_EQ(SetHeight(v), 1);
    ASSERT_EQ(MoveCursor(v, 23), 1);
    ASSERT_EQ(SetHeight(v), 1);
}

} // namespace

TEST(EditHistory, EveryPeakEditIsUndoneAndRedoneExactly) {
    const struct {
        const char* name;
        std::function<void(ChartView*)> edit;
    } edits[] = {
        {"commit a new peak", [](ChartView* v) { Commit(v, 0, 650); }},
        {"re-set a peak chosen in the list", [](ChartView* v) { Commit(v, 1, 2); }},
        {"rename", [](ChartView* v) { SetPeakInfo(v, 0, 1, nullptr, nullptr, "Renamed"); }},
        {"new top level",
         [](ChartView* v) {
             const double top = 0.8;
             SetPeakInfo(v, 0, 3, &top, nullptr, nullptr);
         }},
        {"delete two",
         [](ChartView* v) {
             const int doomed[] = {1, 3};
             DeletePeaks(v, 2, doomed);
         }},
        {"delete all",
         [](ChartView* v) {
             const int all[] = {0, 1, 2, 3, 4};
             DeletePeaks(v, 5, all);
         }},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.name);
        TestViewer t;
        ASSERT_EQ(Set(t, FivePeaks()), 1);
        ASSERT_EQ(SetPeakInfo(&t.view, 0, 4, nullptr, nullptr, "Kept"), 1); // an earlier step
        MarkEditsSaved(&t.view);
        const Picture before = Take(t);
        e.edit(&t.view);
        const Picture after = Take(t);
        EXPECT_TRUE(EditsModified(&t.view));
        ASSERT_EQ(UndoEdit(&t.view, nullptr), 1);
        ExpectSame(Take(t), before);
        EXPECT_FALSE(EditsModified(&t.view)); // back at the saved state
        ASSERT_EQ(RedoEdit(&t.view, nullptr), 1);
        ExpectSame(Take(t), after);
        EXPECT_TRUE(EditsModified(&t.view));
        // The earlier step is still there behind it; the marks index follows the rows.
        ASSERT_EQ(UndoEdit(&t.view, nullptr), 1);
        ASSERT_EQ(UndoEdit(&t.view, nullptr), 1);
        EXPECT_STREQ(t.Table(0).entries[4].name, "Iso500");
        EXPECT_FALSE(CanUndoEdit(&t.view));
        for (int s = 0; s < 1000; ++s)
            ASSERT_EQ(t.Marked().count(s) == 1, (t.Sample(s).flags & SAMPLE_PEAK_BITS) != 0);
    }
}

TEST(EditHistory, NewEditsDropRedoSavingMovesTheUnchangedStateSettingRefuses) {
    TestViewer t;
    ASSERT_EQ(Set(t, FivePeaks()), 1);
    EXPECT_FALSE(EditsModified(&t.view));
    SetPeakInfo(&t.view, 0, 0, nullptr, nullptr, "A");
    SetPeakInfo(&t.view, 0, 0, nullptr, nullptr, "A"); // the same name again: no step
    ASSERT_EQ(UndoEdit(&t.view, nullptr), 1);
    EXPECT_FALSE(CanUndoEdit(&t.view));
    SetPeakInfo(&t.view, 0, 0, nullptr, nullptr, "B");
    EXPECT_FALSE(CanRedoEdit(&t.view));
    MarkEditsSaved(&t.view);
    ASSERT_EQ(UndoEdit(&t.view, nullptr), 1);
    EXPECT_TRUE(EditsModified(&t.view)); // the saved file has "B"
    t.host.ClearRecords();
    EXPECT_EQ(UndoEdit(&t.view, nullptr), 0);
    EXPECT_EQ(t.host.beeps, 1);
    // Refused while a peak is being set.
    LogCapture log;
    ASSERT_EQ(RedoEdit(&t.view, nullptr), 1);
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_EQ(UndoEdit(&t.view, nullptr), 0);
    EXPECT_TRUE(log.Has("UndoEdit: An edit would be undone in peak detection."));
    ASSERT_EQ(CancelPeak(&t.view), 1);
    // A new chart starts a new session.
    ASSERT_EQ(Set(t, FivePeaks()), 1);
    EXPECT_FALSE(CanRedoEdit(&t.view));
    EXPECT_FALSE(EditsModified(&t.view));
}

TEST(EditHistory, SmoothingIsOneStepWithItsCurveAndTableRebuild) {
    TestViewer t;
    ASSERT_EQ(Set(t, FivePeaks()), 1);
    SetPeakInfo(&t.view, 0, 2, nullptr, nullptr, "Named");
    const Picture before = Take(t);
    int count = 0;
    uint32_t flags = 0;
    const ChartStore& rows = *RetrieveChart(&t.view, &count, &flags);
    std::vector<double> smoothed;
    for (int i = 0; i < count; ++i)
        smoothed.push_back(rows.DataAt(static_cast<size_t>(i)) * 2.5); // beyond the raw maximum
    SetMeasureMark(&t.view, MEASURE_A, 250);
    ASSERT_EQ(SetSmoothedChart(&t.view, std::move(smoothed), 2), 1);
    EXPECT_EQ(t.view.MeasureMark(0), 250);             // the same chart: the measuring cursor stays
    EXPECT_STREQ(t.Table(0).entries[2].name, "Named"); // the user's name outlives the rebuild
    const Picture after = Take(t);
    const double smoothMax = t.view.Chart()->maxValue;
    EXPECT_DOUBLE_EQ(smoothMax, 2.5);
    ASSERT_EQ(UndoEdit(&t.view, nullptr), 1);
    ExpectSame(Take(t), before);
    EXPECT_EQ(t.view.Chart()->flags & HASSM, 0u);
    EXPECT_DOUBLE_EQ(t.view.Chart()->maxValue, 1.0);
    ASSERT_EQ(RedoEdit(&t.view, nullptr), 1);
    ExpectSame(Take(t), after);
    EXPECT_EQ(t.view.Chart()->maxValue, smoothMax);
    ASSERT_EQ(UndoEdit(&t.view, nullptr), 1);
    EXPECT_TRUE(CanUndoEdit(&t.view)); // the rename before it
}

TEST(EditHistory, HeaderEditsComeBackIntoTheCallersHeader) {
    TestViewer t;
    ASSERT_EQ(Set(t, FivePeaks()), 1);
    SplChart header;
    header.version = 1;
    header.tags = {{"Sample", "old"}, {"Operator", "x"}};
    SplChart edited = header;
    edited.tags[0].value = "new";
    edited.version = 2;
    RecordHeaderEdit(&t.view, header, header); // nothing changed: no step
    EXPECT_FALSE(CanUndoEdit(&t.view));
    RecordHeaderEdit(&t.view, header, edited);
    SplChart shown = edited;
    ASSERT_EQ(UndoEdit(&t.view, &shown), 1);
    EXPECT_EQ(shown.tags[0].value, "old");
    EXPECT_EQ(shown.version, 1);
    EXPECT_FALSE(EditsModified(&t.view));
    ASSERT_EQ(RedoEdit(&t.view, &shown), 1);
    EXPECT_EQ(shown.tags[0].value, "new");
    EXPECT_EQ(shown.version, 2);
}
