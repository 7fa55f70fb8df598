#include "viewer/measuring.h"

#include "viewer/viewer_internal.h"

#include <algorithm>

using namespace viewer_detail;

namespace {

bool Measurable(const ChartView* viewer) {
    return CheckChartView(viewer) && HasSamples(viewer);
}

bool OnChart(const ChartView* viewer, int sample) {
    return sample >= 0 && sample < State(viewer).chart->sampleCount;
}

} // namespace

int SetMeasureMark(ChartView* viewer, int which, int sample) {
    if (!Measurable(viewer) || (which != MEASURE_A && which != MEASURE_B)) return 0;
    State(viewer).measureMark[which] = std::clamp(sample, 0, State(viewer).chart->sampleCount - 1);
    RefreshView(viewer, REFRESH_CHART);
    viewer->Host()->RepaintIndexPane();
    return 1;
}

int GetMeasureMark(const ChartView* viewer, int which) {
    if (!Measurable(viewer) || (which != MEASURE_A && which != MEASURE_B)) return -1;
    const int s = State(viewer).measureMark[which];
    return OnChart(viewer, s) ? s : -1;
}

int ClearMeasureMarks(ChartView* viewer) {
    if (!CheckChartView(viewer)) return 0;
    const bool any = State(viewer).measureMark[0] >= 0 || State(viewer).measureMark[1] >= 0;
    State(viewer).measureMark[0] = State(viewer).measureMark[1] = -1;
    if (any && State(viewer).chart) {
        RefreshView(viewer, REFRESH_CHART);
        viewer->Host()->RepaintIndexPane();
    }
    return any ? 1 : 0;
}

int MeasureKeySample(const ChartView* viewer) {
    if (!Measurable(viewer)) return -1;
    const CHARTBLOCK& chart = *State(viewer).chart;
    const PeakSet* set = CurrentSet(viewer);
    if (State(viewer).chartMode != CHART_MODE_VIEW && set) return set->cursor;
    return viewer_detail::ClampToInt(int64_t{chart.viewStart} + chart.viewWidth / 2);
}

bool Measure(const ChartView* viewer, Measurement* out) {
    const int a = GetMeasureMark(viewer, MEASURE_A);
    const int b = GetMeasureMark(viewer, MEASURE_B);
    if (a < 0 || b < 0 || !out) return false;
    const ChartStore& rows = State(viewer).chart->rows;
    const double* data = rows.Data();
    Measurement m;
    m.a = a;
    m.b = b;
    m.dSamples = b - a;
    m.dTime = static_cast<double>(rows.TimeAt(static_cast<size_t>(b))) -
              rows.TimeAt(static_cast<size_t>(a));
    m.dVolts = data[b] - data[a];
    const size_t from = static_cast<size_t>(std::min(a, b));
    const size_t to = static_cast<size_t>(std::max(a, b));
    double sum = 0.0;
    m.minimum = m.maximum = data[from];
    for (size_t i = from; i <= to; ++i) {
        const double v = data[i];
        sum += v;
        m.minimum = std::min(m.minimum, v);
        m.maximum = std::max(m.maximum, v);
    }
    m.mean = sum / static_cast<double>(to - from + 1);
    *out = m;
    return true;
}
