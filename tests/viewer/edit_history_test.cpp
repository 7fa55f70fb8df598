#include "support/viewer_test_support.h"
#include "viewer/edit_history.h"
#include "viewer/measuring.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <utility>

namespace {

// Everything an edit may change, as text: the marked rows with their levels, the smoothed column
// and both tables' entries.
std::string Take(TestViewer& t) {
    std::ostringstream out;
    out << std::hexfloat;
    int count = 0;
    uint32_t flags = 0;
    const ChartStore& rows = *RetrieveChart(&t.view, &count, &flags);
    out << "flags " << flags << "\n";
    for (int i = 0; i < count; ++i) {
        const SplSample s = rows.Row(static_cast<size_t>(i));
        if (s.flags)
            out << i << ": " << s.flags << " " << s.top[0] << " " << s.base[0] << " " << s.top[1]
                << " " << s.base[1] << "\n";
        out << s.smoothed << " ";
    }
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < t.Table(k).count; ++i) {
            const PeakEntry& e = t.Table(k).entries[static_cast<size_t>(i)];
            out << "\n" << k << ": " << e.position << " " << e.height << " " << e.name;
        }
    return out.str();
}

void Commit(ChartView* v, int select, int index) {
    ASSERT_EQ(SetChartMode(v, CHART_MODE_BASE, 0, 0, select, index, -30.0), 1);
    ASSERT_EQ(MoveCursor(v, 21), 1);
    ASSERT_EQ(SetHeight(v), 1);
    ASSERT_EQ(MoveCursor(v, 23), 1);
    ASSERT_EQ(SetHeight(v), 1);
}

const double TOP = 0.8;
const int TWO[] = {1, 3}, ALL[] = {0, 1, 2, 3, 4};

} // namespace

TEST(EditHistory, EveryPeakEditIsUndoneAndRedoneExactly) {
    const struct {
        const char* name;
        std::function<void(ChartView*)> edit;
    } edits[] = {
        {"commit a new peak", [](ChartView* v) { Commit(v, 0, 650); }},
        {"re-set a peak chosen in the list", [](ChartView* v) { Commit(v, 1, 2); }},
        {"rename", [](ChartView* v) { SetPeakInfo(v, 0, 1, nullptr, nullptr, "Renamed"); }},
        {"new top level", [](ChartView* v) { SetPeakInfo(v, 0, 3, &TOP, nullptr, nullptr); }},
        {"delete two", [](ChartView* v) { DeletePeaks(v, 2, TWO); }},
        {"delete all", [](ChartView* v) { DeletePeaks(v, 5, ALL); }},
        {"smooth", [](ChartView* v) { SetSmoothedChart(v, std::vector<double>(1000, 2.5), 2); }},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.name);
        TestViewer t(FivePeaks());
        ASSERT_EQ(SetPeakInfo(&t.view, 0, 4, nullptr, nullptr, "Kept"), 1); // an earlier step
        MarkEditsSaved(&t.view);
        const std::string before = Take(t);
        e.edit(&t.view);
        const std::string after = Take(t);
        EXPECT_TRUE(EditsModified(&t.view));
        ASSERT_EQ(UndoEdit(&t.view, nullptr), 1);
        EXPECT_EQ(std::pair(Take(t), EditsModified(&t.view)), std::pair(before, false)); // as saved
        ASSERT_EQ(RedoEdit(&t.view, nullptr), 1);
        EXPECT_EQ(std::pair(Take(t), EditsModified(&t.view)), std::pair(after, true));
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
    TestViewer t(FivePeaks());
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
    // A header edit comes back into the caller's header; one that changed nothing is no step.
    SplChart header, edited;
    header.tags = {{"Sample", "old"}};
    edited.tags = {{"Sample", "new"}};
    edited.version = 2;
    RecordHeaderEdit(&t.view, header, header);
    EXPECT_FALSE(CanUndoEdit(&t.view));
    RecordHeaderEdit(&t.view, header, edited);
    SplChart shown = edited;
    ASSERT_EQ(UndoEdit(&t.view, &shown), 1);
    EXPECT_EQ(shown.tags[0].value, "old");
    EXPECT_EQ(shown.version, header.version);
    ASSERT_EQ(RedoEdit(&t.view, &shown), 1);
    EXPECT_EQ(shown.tags[0].value, "new");
}

// The new column is installed with the rows, peaks and names kept; refused whole while a peak is
// being set. (Its undoing and redoing: the table above.)
TEST(EditHistory, SmoothingKeepsRowsPeaksNamesAndTheMeasuringCursor) {
    TestViewer t(FivePeaks());
    SetPeakInfo(&t.view, 0, 2, nullptr, nullptr, "Named");
    std::vector<double> smoothed(1000, 0.25);
    smoothed[7] = 3.0; // beyond the raw maximum
    SetMeasureMark(&t.view, MEASURE_A, 250);
    ASSERT_EQ(SetSmoothedChart(&t.view, std::move(smoothed), 2), 1);
    EXPECT_EQ(t.view.MeasureMark(0), 250);
    EXPECT_STREQ(t.Table(0).entries[2].name, "Named");
    EXPECT_EQ(t.view.Chart()->flags, HASSM);
    EXPECT_EQ(t.view.Chart()->maxValue, 3.0);
    EXPECT_EQ(t.Sample(7).smoothed, 3.0);
    EXPECT_EQ(t.Sample(999).data, 1.0);
    EXPECT_EQ(t.Table(0).count, 5);
    EXPECT_EQ(t.Sample(300).top[1], 0.9);
    const std::string after = Take(t);
    ASSERT_EQ(SetHeight(&t.view), 1);
    ASSERT_EQ(SetSmoothedChart(&t.view, std::vector<double>(1000, 9.0), 2), 0);
    ASSERT_EQ(CancelPeak(&t.view), 1);
    EXPECT_EQ(Take(t), after);
    EXPECT_EQ(t.view.Chart()->rows.SmoothedColumn()[t.view.Chart()->paddedCount], 0.0);
    ASSERT_EQ(UndoEdit(&t.view, nullptr), 1);
    EXPECT_EQ(t.view.Chart()->maxValue, 1.0);
}
