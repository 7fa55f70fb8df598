// Cursor movement and the peak-setting state machine: MoveCursor, AdjustPeak, SetChartMode (with
// the commit of a peak), SetPeakMode, the accessors, and the logic of the cursor and Set Height /
// Cancel commands.
//
// Units: the cursor is a sample index; levels are volts; vpp is volts per pixel row of the chart
// pane; the tilt is in radians.
#include "chart/run_log.h"
#include "viewer/chart_viewer.h"
#include "viewer/edit_history.h"
#include "viewer/viewer_internal.h"

#include <algorithm>
#include <cmath>

using namespace viewer_detail;

namespace {

constexpr double TILT_LIMIT = 1.57;
constexpr double NO_LEVEL = -20.0; // levels at or below this mean "none"

// Point moves stop at the chart's first and last sample, so a commit never writes outside the
// chart's own samples.
int ClampToChart(const CHARTBLOCK& chart, int64_t index) {
    if (index < 0) return 0;
    if (index > chart.sampleCount - 1) return chart.sampleCount - 1;
    return static_cast<int>(index);
}

double& LevelBeingSet(ChartView* viewer, PeakSet& set) {
    return State(viewer).chartMode == CHART_MODE_BASE ? set.baseLevel : set.topLevel;
}

// Writes the peak being set into table k and its sample; 0 (with a beep) when it cannot be.
int CommitPeak(ChartView* viewer, PeakSet& set) {
    CHARTBLOCK& chart = *State(viewer).chart;
    int k = State(viewer).peakMode;
    bool reset = set.editIndex >= 0;
    if (set.cursor < 0 || set.cursor >= chart.sampleCount || k < 0 || k >= SAMPLE_TABLES ||
        (reset && set.editIndex >= set.count) || (!reset && set.count >= set.room)) {
        viewer->Host()->Beep();
        LogPrint("SetChartMode: The peak cannot be stored.");
        return 0;
    }
    if (!reset) {
        try {
            set.entries.emplace_back();
        } catch (const std::bad_alloc&) {
            viewer->Host()->Beep();
            LogPrint("SetChartMode: The peak cannot be stored.");
            return 0;
        }
        set.count += 1;
    }
    PeakEntry& entry = set.entries[static_cast<size_t>(reset ? set.editIndex : set.count - 1)];
    if (reset) ClearMark(chart, static_cast<int>(entry.position), k);

    double baseAtTop = std::tan(set.tilt) * (set.cursor - set.anchorIndex) + set.baseLevel;
    entry.position = set.cursor;
    entry.height = set.topLevel - baseAtTop;
    entry.factor = 1.0;
    CopyRowName(entry.name, chart, set.cursor);
    RowMark& mark = chart.rows.MarkOf(set.cursor);
    mark.flags |= TableBit(k);
    mark.top[k] = set.topLevel;
    mark.base[k] = baseAtTop;
    State(viewer).changeCount += 1;
    RecordPeakEdit(viewer);
    return 1;
}

} // namespace

int MoveCursor(ChartView* viewer, int code) {
    if (!CheckChartView(viewer) || !HasSamples(viewer) || !viewer->Host()->HasChartPane()) return 0;
    CHARTBLOCK& chart = *State(viewer).chart;
    int height = viewer->Host()->ChartPaneSize().height;
    double vpp = height > 0 ? chart.range / height : 0.0;
    if (code < 1 || code > 31) {
        LogPrint("MoveCursor: Invalid operation.");
        return 0;
    }
    int step = PixelStep(chart.magnification);
    if (code <= 12) {
        int dx = 0;
        double dv = 0.0;
        switch (code) {
        case 1:
            dx = step;
            break;
        case 2:
            dx = -step;
            break;
        case 3:
            dv = vpp;
            break;
        case 4:
            dv = -vpp;
            break;
        case 5:
            dx = chart.viewWidth / 2;
            break;
        case 6:
            dx = -(chart.viewWidth / 2);
            break;
        case 7:
            dv = chart.range / 2;
            break;
        case 8:
            dv = -chart.range / 2;
            break;
        case 9:
            dx = ClampToInt(int64_t{10} * step);
            break;
        case 10:
            dx = -ClampToInt(int64_t{10} * step);
            break;
        case 11:
            dv = 10 * vpp;
            break;
        default:
            dv = -10 * vpp;
            break;
        }
        ShiftView(viewer, dx, dv);
        return 1;
    }
    switch (code) {
    case 13:
        SetViewPosition(viewer, 0, chart.viewTop);
        return 1;
    case 14:
        SetViewPosition(viewer, chart.scrollCount, chart.viewTop);
        return 1;
    case 15: {
        double top = chart.minValue + chart.range;
        if (chart.minValue + chart.range < chart.maxValue)
            top = chart.minValue + chart.defaultRange;
        SetViewPosition(viewer, chart.viewStart, top);
        return 1;
    }
    case 16:
        SetViewPosition(viewer, chart.viewStart, chart.minValue);
        return 1;
    case 25: {
        PeakSet* set = CurrentSet(viewer);
        if (State(viewer).chartMode == 0 || !set) return 0;
        SetViewPosition(viewer, ClampToInt(int64_t{set->cursor} - chart.viewWidth / 2),
                        LevelBeingSet(viewer, *set) + chart.range / 2);
        return 1;
    }
    default:
        AdjustPeak(viewer, code, vpp);
        return 1;
    }
}

void AdjustPeak(ChartView* viewer, int code, double vpp) {
    if (!CheckChartView(viewer) || !State(viewer).chart) return;
    if (State(viewer).chartMode == 0) {
        viewer->Host()->Beep();
        return;
    }
    PeakSet* set = CurrentSet(viewer);
    if (!set) return;
    CHARTBLOCK& chart = *State(viewer).chart;
    // The angle of a line rising one whole range across the view (a level line's limit when the
    // view has no width).
    double a = std::atan2(chart.range, static_cast<double>(chart.viewWidth));
    int64_t step = PixelStep(chart.magnification);
    double& level = LevelBeingSet(viewer, *set);
    switch (code) {
    case 17:
        set->cursor = ClampToChart(chart, set->cursor + step);
        break;
    case 18:
        set->cursor = ClampToChart(chart, set->cursor - step);
        break;
    case 19:
        level += vpp;
        break;
    case 20:
        level -= vpp;
        break;
    case 21:
        set->cursor = ClampToChart(chart, set->cursor + 10 * step);
        break;
    case 22:
        set->cursor = ClampToChart(chart, set->cursor - 10 * step);
        break;
    case 23:
        level += 10 * vpp;
        break;
    case 24:
        level -= 10 * vpp;
        break;
    case 25:
        return;
    case 26:
        set->cursor = ClampToChart(chart, int64_t{chart.viewStart} + chart.viewWidth / 2);
        level = chart.viewTop - chart.range / 2;
        break;
    case 27:
        set->tilt += a / 20;
        break;
    case 28:
        set->tilt += a / 2;
        break;
    case 29:
        set->tilt -= a / 20;
        break;
    case 30:
        set->tilt -= a / 2;
        break;
    case 31:
        set->tilt = 0.0;
        break;
    default:
        return;
    }
    set->tilt = std::clamp(set->tilt, -TILT_LIMIT, TILT_LIMIT);
    RefreshView(viewer, REFRESH_CHART);
    viewer->Host()->Post(VN_ADJUST);
}

int SetChartMode(ChartView* viewer, int newMode, int cancel, int detect, int select, int index,
                 double level) {
    if (!CheckChartView(viewer)) return 0;
    if (newMode == State(viewer).chartMode) return 1;
    if ((select && State(viewer).chartMode != 0) || (select && detect) ||
        (cancel && (select || detect))) {
        viewer->Host()->Beep();
        return 0;
    }
    PeakSet* set = CurrentSet(viewer);
    if (!HasSamples(viewer) || !set) return 0;
    CHARTBLOCK& chart = *State(viewer).chart;
    int k = State(viewer).peakMode;

    if (newMode != 0 && State(viewer).chartMode == 0) {
        if (select) {
            LogPrint("SetChartMode: Peak select");
            int s = index >= 0 && index < set->count
                        ? static_cast<int>(set->entries[static_cast<size_t>(index)].position)
                        : -1;
            if (s < 0 || s >= chart.sampleCount || k >= SAMPLE_TABLES) {
                viewer->Host()->Beep();
                LogPrint("SetChartMode: Unknown peak");
                return 0;
            }
            set->cursor = s;
            const RowMark* mark = chart.rows.FindMark(s);
            set->topLevel = mark ? mark->top[k] : 0.0;
            set->baseLevel = mark ? mark->base[k] : 0.0;
            set->editIndex = index;
        } else if (detect && DetectPeak(&chart, index, set)) {
            LogPrint("SetChartMode: Vortan");
            set->editIndex = -1;
        } else {
            LogPrint("SetChartMode: Center of the view");
            int64_t at = index >= 0 ? index : int64_t{chart.viewStart} + chart.viewWidth / 2;
            set->cursor = ClampToChart(chart, at);
            set->topLevel = level > NO_LEVEL ? level : chart.viewTop - chart.range / 2;
            set->baseLevel = 0.0;
            set->editIndex = -1;
        }
        set->tilt = 0.0;
    }
    if ((newMode == 2 && State(viewer).chartMode == 1) ||
        (newMode == 1 && State(viewer).chartMode == 2))
        set->anchorIndex = set->cursor;

    double pointLevel = 0.0;
    if (newMode == CHART_MODE_BASE) {
        pointLevel = set->baseLevel;
    } else if (newMode == CHART_MODE_TOP) {
        pointLevel = set->topLevel;
    } else if (newMode != 0) {
        LogPrint("SetChartMode: Unknown mode");
        return 0;
    }
    if (newMode == 0 && !cancel && !CommitPeak(viewer, *set)) return 0;

    State(viewer).chartMode = newMode;
    RefreshView(viewer, REFRESH_CHART);
    if (newMode != 0)
        SetViewPosition(viewer, ClampToInt(int64_t{set->cursor} - chart.viewWidth / 2),
                        pointLevel + chart.range / 2);
    viewer->Host()->Post(VN_MODE);
    return 1;
}

int SetPeakMode(ChartView* viewer, int table) {
    if (!CheckChartView(viewer)) return 0;
    if (State(viewer).chartMode != 0) {
        viewer->Host()->Beep();
        LogPrint("SetPeakMode: Peak table entory would be changed in peak detection.");
        return 0;
    }
    if (table >= 0 && table < State(viewer).listCount) {
        State(viewer).peakMode = table;
        RefreshView(viewer, REFRESH_CHART);
        return 1;
    }
    LogPrint("SetPeakMode: Mode exceeds limit.");
    return 0;
}

int GetPeakMode(const ChartView* viewer) {
    if (!CheckChartView(viewer)) return 0;
    return State(viewer).peakMode;
}

int GetChartMode(const ChartView* viewer) {
    if (!CheckChartView(viewer)) return 0;
    return State(viewer).chartMode;
}

int GetCursorSamples(const ChartView* viewer, SplSample* out, int rows) {
    if (!CheckChartView(viewer) || !HasSamples(viewer) || !out || rows < 1) return 0;
    const CHARTBLOCK& chart = *State(viewer).chart;
    const PeakSet* set = CurrentSet(viewer);
    bool setting = State(viewer).chartMode != 0 && set;
    int64_t at[3] = {chart.viewStart,
                     setting ? set->cursor : int64_t{chart.viewStart} + chart.viewWidth / 2,
                     int64_t{chart.viewStart} + chart.viewWidth};
    int n = std::min(rows, 3);
    for (int r = 0; r < n; ++r) {
        // A row outside the block reads as a blank sample.
        out[r] = at[r] >= 0 ? chart.rows.Row(static_cast<size_t>(at[r])) : SplSample{};
        out[r].time = ClampToInt(at[r]);
    }
    if (setting && n >= 2)
        out[1].data = State(viewer).chartMode == CHART_MODE_BASE ? set->baseLevel : set->topLevel;
    return n;
}

int MoveCursorPaired(ChartView* viewer, int browseCode, int setCode) {
    return MoveCursor(viewer, GetChartMode(viewer) == 0 ? browseCode : setCode);
}

int SetHeight(ChartView* viewer) {
    switch (GetChartMode(viewer)) {
    case CHART_MODE_VIEW:
        return SetChartMode(viewer, 1, 0, 1, 0, -1, -30.0);
    case CHART_MODE_BASE:
        return SetChartMode(viewer, 2, 0, 0, 0, -1, -30.0);
    case CHART_MODE_TOP:
        return SetChartMode(viewer, 0, 0, 0, 0, -1, -30.0);
    default:
        return 0;
    }
}

int CancelPeak(ChartView* viewer) {
    return SetChartMode(viewer, 0, 1, 0, 0, -1, -30.0);
}
