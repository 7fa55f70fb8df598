// Small helpers shared by the viewer model's source files; not part of the model's interface.
#pragma once

#include "viewer/chart_viewer.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace viewer_detail {

// The one way into a viewer's slots, for the viewer's own functions.
struct StateAccess {
    static ChartViewState& Of(ChartView& viewer) { return viewer.state; }
    static const ChartViewState& Of(const ChartView& viewer) { return viewer.state; }
};

inline ChartViewState& State(ChartView* viewer) {
    return StateAccess::Of(*viewer);
}
inline const ChartViewState& State(const ChartView* viewer) {
    return StateAccess::Of(*viewer);
}

// The current PeakSet of the viewer, or null.
PeakSet* CurrentSet(ChartView* viewer);
const PeakSet* CurrentSet(const ChartView* viewer);

// Number of peak tables whose marks and levels the sample rows can carry (top[k], base[k]).
inline constexpr int SAMPLE_TABLES = 2;

inline uint32_t TableBit(int k) {
    return SAMPLE_HAS_PEAK << k;
}

// A 64-bit value brought into int range.
inline int ClampToInt(int64_t v) {
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// A double truncated toward zero and brought into int range; NaN gives 0.
inline int TruncToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// Sample s loses the mark of table k: its flag bit is cleared and its levels become 0.0.
inline void ClearMark(CHARTBLOCK& chart, int s, int k) {
    if (s < 0 || s >= chart.sampleCount) return;
    RowMark* mark = chart.rows.FindMark(s);
    if (!mark) return;
    mark->flags &= ~TableBit(k);
    mark->top[k] = 0.0;
    mark->base[k] = 0.0;
    chart.rows.TidyMark(s);
}

// Copies a row's isotope name into a peak entry's name.
inline void CopyRowName(char (&dst)[MAX_ELEM_NAME], const CHARTBLOCK& chart, int s) {
    const std::string& name = chart.rows.NameAt(static_cast<size_t>(s));
    CopyElemName(dst, name.c_str(), name.size());
}

// Samples per pixel step in time at a magnification (pixels per sample).
inline int PixelStep(double magnification) {
    if (magnification >= 1.0 || !(magnification > 0.0)) return 1;
    return TruncToInt(1.0 / magnification);
}

// The larger of the default and the current range: the volts the index pane's height stands for.
inline double IndexRange(const CHARTBLOCK& chart) {
    return chart.defaultRange > chart.range ? chart.defaultRange : chart.range;
}

inline bool HasPanes(const ChartView* viewer) {
    return viewer->Host()->HasChartPane() && viewer->Host()->HasIndexPane();
}

// The entries of every table, kept before the tables are rebuilt from the rows; RestorePeakNames
// gives a rebuilt entry at the same position in the same table its old name and factor.
std::vector<std::vector<PeakEntry>> KeepPeakEntries(const ChartView* viewer);
void RestorePeakNames(ChartView* viewer, const std::vector<std::vector<PeakEntry>>& kept);

} // namespace viewer_detail
