// The view onto the chart: its position (SetViewPosition, ShiftView), its zoom in time
// (SetMagnification) and in voltage (SetRange), the read-only accessors, and the logic behind the
// Magnification and Range menus.
//
// Units: horizontal positions are sample indices, levels and ranges volts, magnification pixels
// per sample, box coordinates index-pane pixels.
#include "chart/run_log.h"
#include "viewer/chart_viewer.h"
#include "viewer/viewer_internal.h"

#include <algorithm>
#include <cmath>

using namespace viewer_detail;

const RangeRow RangeTable[15] = {
    {40011, 20.0}, {40012, 10.0},  {40013, 5.0},   {40014, 2.0},   {40015, 1.0},
    {40016, 0.5},  {40017, 0.2},   {40020, 0.1},   {40021, 0.05},  {40022, 0.02},
    {40023, 0.01}, {40024, 0.005}, {40025, 0.002}, {40026, 0.001}, {0, 0.0},
};

namespace {

bool HasChart(const ChartView* viewer) {
    return State(viewer).chart && State(viewer).chart->paddedCount >= 1;
}

} // namespace

int SetViewPosition(ChartView* viewer, int start, double top) {
    if (!CheckChartView(viewer)) return 0;
    if (!HasPanes(viewer)) return 0;
    CHARTBLOCK* chart = State(viewer).chart.get();
    if (!chart || chart->scrollCount < 1) return 0;

    int64_t first = start < 0 ? 0 : start;
    if (first + chart->viewWidth > chart->scrollCount)
        first = static_cast<int64_t>(chart->scrollCount) - chart->viewWidth;
    // A pane wider than the scrollable stretch still starts at the first sample.
    if (first < 0) first = 0;
    chart->viewStart = static_cast<int>(first);

    if (std::isnan(top)) top = chart->viewTop;
    double span = chart->range > chart->defaultRange ? chart->range : chart->defaultRange;
    double viewTop = top;
    if (chart->minValue + span < viewTop) viewTop = chart->minValue + span;
    if (chart->minValue + chart->range > viewTop) viewTop = chart->minValue + chart->range;
    chart->viewTop = viewTop;

    // The box follows the requested position, not the clamped one; the pane clamps it.
    PaneSize pane = viewer->Host()->IndexPaneSize();
    int x = ClampToInt(static_cast<int64_t>(start) * pane.width / chart->scrollCount);
    int y = pane.height;
    if (span > 0.0)
        y = ClampToInt(static_cast<int64_t>(pane.height) -
                       TruncToInt(pane.height * (top - IndexBaseLevel(*chart)) / span));
    PlaceCursorBox(viewer, x, y);

    viewer->Host()->RepaintChartPane();
    viewer->Host()->Post(VN_MOVED);
    return 1;
}

void ShiftView(ChartView* viewer, int dx, double dvolts) {
    if (!CheckChartView(viewer) || !State(viewer).chart) return;
    const CHARTBLOCK& chart = *State(viewer).chart;
    SetViewPosition(viewer, ClampToInt(static_cast<int64_t>(chart.viewStart) + dx),
                    chart.viewTop + dvolts);
}

double SetMagnification(ChartView* viewer, double factor, int absolute) {
    if (!CheckChartView(viewer) || !HasChart(viewer)) return 0.0;
    CHARTBLOCK& chart = *State(viewer).chart;
    double next;
    if (factor == 0.0)
        next = 1.0;
    else
        next = absolute ? factor : factor * chart.magnification;
    if (!(next > 0.0) || !std::isfinite(next)) next = chart.magnification;

    double desktop = viewer->Host()->DesktopWidth();
    if (chart.sampleCount < desktop / next) {
        viewer->Host()->Beep();
        LogPrint("SetMagnification: Too wide");
        return 0.0;
    }
    int paneWidth = viewer->Host()->HasChartPane() ? viewer->Host()->ChartPaneSize().width : 0;
    int newWidth = std::max(0, TruncToInt(paneWidth / next));

    int64_t newStart;
    if (State(viewer).chartMode != 0) {
        const PeakSet* set = CurrentSet(viewer);
        if (!set) return 0.0;
        newStart = static_cast<int64_t>(set->cursor) - newWidth / 2;
    } else {
        newStart = static_cast<int64_t>(chart.viewStart) + chart.viewWidth / 2 - newWidth / 2;
    }
    chart.magnification = next;
    chart.viewWidth = newWidth;
    RefreshView(viewer, REFRESH_ALL);
    SetViewPosition(viewer, ClampToInt(newStart), chart.viewTop);
    viewer->Host()->Post(VN_INDEX);
    viewer->Host()->Post(VN_BOX);
    LogPrintf("SetMagnification: %f -> * %f", factor, chart.magnification);
    return chart.magnification;
}

double GetMagnification(const ChartView* viewer) {
    if (!CheckChartView(viewer) || !HasChart(viewer)) return 0.0;
    return State(viewer).chart->magnification;
}

double SetRange(ChartView* viewer, double volts) {
    if (!CheckChartView(viewer) || !HasChart(viewer)) return 0.0;
    // A range that is not a number or infinite would leave the vertical scale undefined.
    if (!std::isfinite(volts)) return 0.0;
    CHARTBLOCK& chart = *State(viewer).chart;
    if (volts == 0.0) volts = chart.defaultRange;
    double newTop;
    if (State(viewer).chartMode == CHART_MODE_TOP || State(viewer).chartMode == CHART_MODE_BASE) {
        const PeakSet* set = CurrentSet(viewer);
        if (!set) return 0.0;
        if (State(viewer).chartMode == CHART_MODE_TOP) {
            LogPrint("SetRange: Follow the peak top.");
            newTop = volts / 2 + set->topLevel;
        } else {
            LogPrint("SetRange: Follow the base line.");
            newTop = volts / 2 + set->baseLevel;
        }
    } else {
        LogPrint("SetRange: Follow the center.");
        newTop = (chart.viewTop - chart.range / 2) + volts / 2;
    }
    chart.range = volts;
    RefreshView(viewer, REFRESH_ALL);
    SetViewPosition(viewer, chart.viewStart, newTop);
    viewer->Host()->Post(VN_INDEX);
    viewer->Host()->Post(VN_BOX);
    LogPrintf("SetRange: %f -> * %f", volts, chart.range);
    return chart.range;
}

double GetRange(const ChartView* viewer) {
    if (!CheckChartView(viewer) || !HasChart(viewer)) return 0.0;
    return State(viewer).chart->range;
}

double GetChartMax(const ChartView* viewer, int which) {
    if (!CheckChartView(viewer)) return 0.0;
    if (!HasSamples(viewer)) {
        LogPrint("GetChartMax: Data not ready");
        return 0.0;
    }
    return which ? State(viewer).chart->maxValue : State(viewer).chart->viewTop;
}

double GetChartMin(const ChartView* viewer, int which) {
    if (!CheckChartView(viewer)) return 0.0;
    if (!HasSamples(viewer)) {
        LogPrint("GetChartMax: Data not ready");
        return 0.0;
    }
    const CHARTBLOCK& chart = *State(viewer).chart;
    return which ? chart.minValue : chart.viewTop - chart.range;
}

int GetCursor(const ChartView* viewer, int* start, double* top, int* width, double* range) {
    if (!CheckChartView(viewer)) return 0;
    if (!start || !top) return 0;
    if (!HasSamples(viewer)) {
        LogPrint("GetCursor: Data not ready");
        return 0;
    }
    const CHARTBLOCK& chart = *State(viewer).chart;
    *start = chart.viewStart;
    *top = chart.viewTop;
    if (width) *width = chart.viewWidth;
    if (range) *range = chart.range;
    return 1;
}

int PlaceView(ChartView* viewer, double magnification, int start, int width, double range,
              double top) {
    if (!viewer || !State(viewer).chart) return 0;
    CHARTBLOCK& chart = *State(viewer).chart;
    chart.magnification = magnification;
    chart.viewStart = start;
    chart.viewWidth = width;
    chart.range = range;
    chart.viewTop = top;
    return 1;
}

int ChgMag(ChartView* viewer, double factor) {
    LogPrint("ChgMag");
    if (SetMagnification(viewer, factor, 0) == 0.0) {
        LogPrint("ChgMag: SetMagnification() returns 0.");
        return 0;
    }
    return 1;
}

int RangeCommand(ChartView* viewer, int row, unsigned* checkedRange) {
    if (row < 0 || row >= RANGE_ROWS) return 0;
    if (SetRange(viewer, RangeTable[row].volts) == 0.0) {
        LogPrint("Range: SetRange() returns 0.");
        return 0;
    }
    if (checkedRange) *checkedRange = RangeTable[row].command;
    return 1;
}

int DefaultRange(ChartView* viewer, unsigned* checkedRange) {
    if (SetRange(viewer, 0.0) == 0.0) {
        LogPrint("DefaultRange: SetRange() returns 0.");
        return 0;
    }
    if (checkedRange) *checkedRange = RANGE_FULL_HEIGHT;
    return 1;
}

int ShiftRange(ChartView* viewer, int step, unsigned* checkedRange) {
    if (!checkedRange || *checkedRange == 0) return 0;
    int i;
    if (*checkedRange == RANGE_FULL_HEIGHT) {
        double cur = GetRange(viewer);
        LogPrintf("ShiftRange: Current range is default(%f).", cur);
        i = RANGE_ROWS - 1;
        for (int r = 0; r < RANGE_ROWS; ++r) {
            if (RangeTable[r].volts <= cur) {
                i = r;
                break;
            }
        }
        if (step == -1) {
            if (RangeTable[i].volts == cur && ++i >= RANGE_ROWS) return 0;
        } else if (step == 1) {
            if (--i < 0) return 0;
        } else {
            return 0;
        }
    } else {
        int row = -1;
        for (int r = 0; r < RANGE_ROWS; ++r)
            if (RangeTable[r].command == *checkedRange) row = r;
        if (row < 0) return 0;
        LogPrintf("ShiftRange: Current range is %f(%d[%d]).", RangeTable[row].volts,
                  static_cast<int>(RangeTable[row].command), row);
        if (step == -1)
            i = row + 1;
        else if (step == 1)
            i = row - 1;
        else
            return 0;
        if (i < 0 || i >= RANGE_ROWS) return 0;
    }
    if (SetRange(viewer, RangeTable[i].volts) == 0.0) {
        LogPrint("ShiftRange: SetRange() returns 0.");
        return 0;
    }
    *checkedRange = RangeTable[i].command;
    return 1;
}
