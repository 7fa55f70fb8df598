#include "viewer/pointer_ops.h"

#include "viewer/viewer_internal.h"

#include <algorithm>
#include <cmath>

using namespace viewer_detail;

namespace {

bool Ready(const ChartView* viewer) {
    return CheckChartView(viewer) && State(viewer).chart && State(viewer).chart->sampleCount >= 1 &&
           State(viewer).chart->magnification > 0.0;
}

int64_t SampleAtColumn(const CHARTBLOCK& chart, double x) {
    return int64_t{chart.viewStart} + static_cast<int64_t>(std::floor(x * SamplesPerColumn(chart)));
}

} // namespace

double SamplesPerColumn(const CHARTBLOCK& chart) {
    const double m = chart.magnification;
    if (!(m > 0.0) || !std::isfinite(m)) return 0.0;
    if (m >= 1.0) return 1.0 / std::trunc(std::min(m, 1e9));
    return std::trunc(std::min(1.0 / m, 1e15));
}

double ColumnOfSample(const CHARTBLOCK& chart, int sample) {
    const double spc = SamplesPerColumn(chart);
    return spc > 0.0 ? (static_cast<double>(sample) - chart.viewStart) / spc : 0.0;
}

bool PointAtPixel(const ChartView* viewer, int x, int y, int paneHeight, PanePoint* out) {
    if (!Ready(viewer) || !out || paneHeight < 1) return false;
    const CHARTBLOCK& chart = *State(viewer).chart;
    const int64_t s = SampleAtColumn(chart, x);
    out->sample = ClampToInt(s);
    out->time = s >= 0 && s < chart.sampleCount ? chart.rows.TimeAt(static_cast<size_t>(s)) : 0;
    out->volts = chart.viewTop - y * chart.range / paneHeight;
    return true;
}

int ScrollByNotches(ChartView* viewer, double notches) {
    if (!Ready(viewer)) return 0;
    const CHARTBLOCK& chart = *State(viewer).chart;
    const double perNotch = std::max(1, chart.viewWidth / 10);
    ShiftView(viewer, TruncToInt(std::round(notches * perNotch)), 0.0);
    return 1;
}

double ZoomAbout(ChartView* viewer, double factor, int x) {
    if (!Ready(viewer) || !(factor > 0.0)) return 0.0;
    CHARTBLOCK& chart = *State(viewer).chart;
    const int paneWidth = viewer->Host()->ChartPaneSize().width;
    const double next = chart.magnification * factor;
    if (factor > 1.0 && paneWidth / next < 2.0) {
        viewer->Host()->Beep();
        return 0.0;
    }
    const int64_t grabbed = SampleAtColumn(chart, x);
    if (SetMagnification(viewer, factor, 0) == 0.0) return 0.0;
    SetViewPosition(viewer, ClampToInt(grabbed - (SampleAtColumn(chart, x) - chart.viewStart)),
                    chart.viewTop);
    return chart.magnification;
}

int DragView(ChartView* viewer, int start, double top, int dx, int dy, int paneHeight,
             bool fixedRange) {
    if (!Ready(viewer) || paneHeight < 1) return 0;
    const CHARTBLOCK& chart = *State(viewer).chart;
    const double samples = dx * SamplesPerColumn(chart);
    const double volts = fixedRange ? dy * chart.range / paneHeight : 0.0;
    return SetViewPosition(viewer, ClampToInt(start - static_cast<int64_t>(std::round(samples))),
                           top + volts);
}

int PlacePeakPoint(ChartView* viewer, int sample, double level) {
    if (!Ready(viewer)) return 0;
    PeakSet* set = CurrentSet(viewer);
    if (State(viewer).chartMode == CHART_MODE_VIEW || !set || !std::isfinite(level)) {
        viewer->Host()->Beep();
        return 0;
    }
    set->cursor = std::clamp(sample, 0, State(viewer).chart->sampleCount - 1);
    (State(viewer).chartMode == CHART_MODE_BASE ? set->baseLevel : set->topLevel) = level;
    RefreshView(viewer, REFRESH_CHART);
    viewer->Host()->Post(VN_ADJUST);
    return 1;
}
