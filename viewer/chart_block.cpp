// Installing a chart in a viewer (SetChart), checking a viewer, taking the chart back
// (RetrieveChart) and releasing a viewer's data.
#include "chart/run_log.h"
#include "viewer/chart_viewer.h"
#include "viewer/edit_history.h"
#include "viewer/viewer_internal.h"

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <new>
#include <stdexcept>

using namespace viewer_detail;

namespace {

// Charts may be prepared on a worker thread.
uint64_t NextGeneration() {
    static std::atomic<uint64_t> generation{0};
    return ++generation;
}

struct Extremes {
    double maxValue;
    double minValue;
    void Take(double v) {
        // Infinite values are left out so that the ranges derived from the extremes stay finite;
        // NaN fails both comparisons.
        if (v > maxValue && v <= DBL_MAX) maxValue = v;
        if (v < minValue && v >= -DBL_MAX) minValue = v;
    }
};

// Rebuilds the tables' entries from the marks of row i; logs one line per peak.
void TakePeaks(const RowMark& mark, const std::string& name,
               std::vector<std::unique_ptr<PeakSet>>& lists, Extremes& ext) {
    for (int k = 0; k < static_cast<int>(lists.size()); ++k) {
        uint32_t bit = TableBit(k);
        if ((mark.flags & bit) == 0) continue;
        PeakSet& set = *lists[static_cast<size_t>(k)];
        set.entries.push_back(MarkedPeak(mark.row, mark.top[k], mark.base[k], name));
        LogPrintf("SetChart: A peak(%dth) has been detected (%X/%X) for %d. ID was copied in "
                  "MAX_ELEM_NAME.",
                  set.count + 1, mark.flags, bit, k);
        set.count += 1;
        if (mark.top[k] > ext.maxValue && mark.top[k] <= DBL_MAX) ext.maxValue = mark.top[k];
        if (mark.base[k] < ext.minValue && mark.base[k] >= -DBL_MAX) ext.minValue = mark.base[k];
    }
}

} // namespace

const PeakSet* ChartView::CurrentPeakSet() const {
    return CurrentSet(this);
}

namespace viewer_detail {

PeakSet* CurrentSet(ChartView* viewer) {
    const ChartViewState& s = State(viewer);
    if (!s.peakTable || s.peakMode < 0 || s.peakMode >= static_cast<int>(s.peakTable->size()))
        return nullptr;
    return (*s.peakTable)[static_cast<size_t>(s.peakMode)].get();
}

const PeakSet* CurrentSet(const ChartView* viewer) {
    return CurrentSet(const_cast<ChartView*>(viewer));
}

} // namespace viewer_detail

int CheckChartView(const ChartView* viewer) {
    if (!viewer) {
        LogPrint("CheckChartView: Invalid argument.");
        return 0;
    }
    // A model without a window to report to is not a usable viewer.
    if (!viewer->Host()) {
        LogPrint("CheckChartView: Passed window is not viewer.");
        return 0;
    }
    return 1;
}

bool HasSamples(const ChartView* viewer) {
    return viewer && State(viewer).chart && State(viewer).chart->sampleCount >= 1;
}

const char* GetChartViewerClass() {
    return "chartviewer";
}

namespace {

// Builds the block and the peak tables of a chart from its rows, touching no viewer: the part of
// SetChart that may run away from the window's thread. Logs from "CHARTBLOCK is initialized" on.
// tableCount is the viewer's present number of tables (0 for none yet). With copyFrom, rows (empty)
// is first filled with copies of its copyCount records. Rows are taken over on success.
PreparedChart PrepareBlock(ChartStore& rows, uint32_t flags, int listCount, int desktopWidth,
                           int tableCount, const SplSample* copyFrom = nullptr, int copyCount = 0) {
    PreparedChart prepared;
    const int sampleCount = copyFrom ? copyCount : static_cast<int>(rows.size());
    int desktop = std::max(0, desktopWidth);
    int64_t padded = static_cast<int64_t>(sampleCount) + desktop;
    std::unique_ptr<CHARTBLOCK> block;
    try {
        if (padded + 1 > std::numeric_limits<int>::max()) throw std::length_error("chart");
        block = std::make_unique<CHARTBLOCK>();
        if (copyFrom) rows = ChartStore(copyFrom, static_cast<size_t>(copyCount));
    } catch (const std::exception&) {
        LogPrint("SetChart: Fail to allocate CHARTBLOCK.");
        return prepared;
    }
    CHARTBLOCK& chart = *block;
    chart.magnification = 1.0;
    chart.sampleCount = sampleCount;
    chart.paddedCount = static_cast<int>(padded);
    chart.scrollCount = chart.paddedCount;
    chart.viewStart = 0;
    chart.viewTop = 0.0;
    chart.flags = 0;
    if (flags & HASSM) {
        LogPrint("SetChart: chart has smoothed data.");
        chart.flags = HASSM;
    }
    LogPrint("SetChart: CHARTBLOCK is initialized.");

    if (tableCount != 0 && tableCount != listCount) {
        LogPrint("SetChart: Peak list table would be overridden illigaly.");
        return prepared;
    }
    if (listCount > SAMPLE_TABLES) {
        // The sample rows carry the levels of two tables only.
        LogPrint("SetChart: Invalid arguments.");
        return prepared;
    }
    // The new lists are built aside and swapped in only when everything has succeeded, so a
    // failure leaves the viewer with its previous chart and lists.
    std::vector<std::unique_ptr<PeakSet>> lists;
    try {
        for (int k = 0; k < listCount; ++k) {
            auto set = std::make_unique<PeakSet>();
            set->room = chart.paddedCount + 1;
            lists.push_back(std::move(set));
        }
    } catch (const std::bad_alloc&) {
        LogPrint("SetChart: An empty entory in the peak list table.");
        return prepared;
    }
    LogPrint("SetChart: Peak list table is initialized.");

    // The first sample seeds the extremes unless it lies outside the first row's band; then the
    // second does. Without such a sample the seed is 0.0, the value of the blank samples that
    // follow.
    const double* data = rows.Data();
    Extremes ext{0.0, 0.0};
    if (sampleCount >= 1 && data[0] >= FIRST_ROW_LOW && data[0] <= FIRST_ROW_HIGH)
        ext = {data[0], data[0]};
    else if (sampleCount >= 2)
        ext = {data[1], data[1]};

    bool smoothed = (chart.flags & HASSM) != 0;
    try {
        for (int i = 1; i < sampleCount; ++i)
            ext.Take(data[i]);
        if (smoothed && rows.HasSmoothed()) {
            const double* sm = rows.SmoothedColumn();
            for (int i = 0; i < sampleCount; ++i)
                ext.Take(sm[i]);
        } else if (smoothed && sampleCount > 0) {
            ext.Take(0.0);
        }
        for (const RowMark& mark : rows.Marks())
            if (mark.row < sampleCount && (mark.flags & SAMPLE_PEAK_BITS))
                TakePeaks(mark, rows.NameAt(static_cast<size_t>(mark.row)), lists, ext);
        // The columns run over the blank samples; a smoothed block always has its column.
        if (smoothed && !rows.HasSmoothed())
            rows.SetSmoothedColumn(std::vector<double>(static_cast<size_t>(padded) + 1, 0.0));
        rows.PadColumns(static_cast<size_t>(desktop) + 1);
    } catch (const std::bad_alloc&) {
        LogPrint("SetChart: Fail to allocate CHARTBLOCK.");
        return prepared;
    }
    chart.rows = std::move(rows);
    rows = ChartStore();
    // The blank samples (all zero) take part in the comparisons too.
    if (chart.paddedCount > std::max(sampleCount, 1)) ext.Take(0.0);
    if (smoothed && chart.paddedCount > sampleCount) ext.Take(0.0);
    chart.maxValue = ext.maxValue;
    chart.minValue = ext.minValue;

    chart.defaultRange = (chart.maxValue - chart.minValue) / 0.9;
    chart.range = chart.defaultRange;
    chart.viewTop = chart.minValue + chart.range;
    chart.generation = NextGeneration();
    prepared.block = std::move(block);
    prepared.lists = std::move(lists);
    prepared.listCount = listCount;
    return prepared;
}

// The viewer's side of SetChart: the prepared block and tables replace the viewer's.
int CommitChart(ChartView* viewer, PreparedChart& prepared) {
    CHARTBLOCK& chart = *prepared.block;
    chart.viewWidth = viewer->Host()->HasChartPane() ? viewer->Host()->ChartPaneSize().width : 0;
    State(viewer).chart = std::move(prepared.block);
    bool newTable = !State(viewer).peakTable;
    if (newTable)
        State(viewer).peakTable = std::make_unique<std::vector<std::unique_ptr<PeakSet>>>();
    State(viewer).peakTable->swap(prepared.lists);
    if (newTable) {
        LogPrint("SetChart: New table is set.");
        State(viewer).listCount = prepared.listCount;
    }
    prepared.lists.clear();

    State(viewer).peakMode = 0;
    State(viewer).changeCount = 0;
    ResetEditHistory(viewer);
    State(viewer).measureMark[0] = State(viewer).measureMark[1] = -1;
    State(viewer).index.boxLeft = 0;
    State(viewer).index.boxTop = 0;
    viewer->Host()->Post(VN_RESET);
    State(viewer).chartMode = CHART_MODE_VIEW;
    viewer->Host()->Post(VN_MODE);
    LogPrint("SetChart: View's instance has been refreshed.");
    RefreshView(viewer, REFRESH_ALL);
    LogPrint("SetChart: Views have been refreshed.");
    viewer->Host()->Post(VN_CHART);
    return 1;
}

// Refuses a chart while a peak is being detected (beep and log line).
bool InPeakDetection(ChartView* viewer) {
    if (State(viewer).chartMode == 0) return false;
    viewer->Host()->Beep();
    LogPrint("SetChart: A chart would be set in peak detection.");
    return true;
}

// The body of every form of SetChart: rows are taken over on success and left as they were on
// failure. With copyFrom, rows (empty) is first filled with copies of its sampleCount records.
int InstallChart(ChartView* viewer, ChartStore& rows, uint32_t flags, int listCount,
                 const SplSample* copyFrom = nullptr, int copyCount = 0) {
    if (!CheckChartView(viewer) || listCount < 1 || copyCount < 0 ||
        rows.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
        LogPrint("SetChart: Invalid arguments.");
        return 0;
    }
    LogPrint("SetChart: Parameters are O.K.");
    if (InPeakDetection(viewer)) return 0;
    PreparedChart prepared = PrepareBlock(rows, flags, listCount, viewer->Host()->DesktopWidth(),
                                          State(viewer).listCount, copyFrom, copyCount);
    if (!prepared.block) return 0;
    return CommitChart(viewer, prepared);
}

} // namespace

int SetChart(ChartView* viewer, int sampleCount, const SplSample* samples, uint32_t flags,
             int listCount) {
    if (!CheckChartView(viewer) || !samples || listCount < 1 || sampleCount < 0) {
        LogPrint("SetChart: Invalid arguments.");
        return 0;
    }
    ChartStore rows;
    return InstallChart(viewer, rows, flags, listCount, samples, sampleCount);
}

int SetChart(ChartView* viewer, ChartStore&& rows, uint32_t flags, int listCount) {
    return InstallChart(viewer, rows, flags, listCount);
}

PreparedChart PrepareChart(ChartStore& rows, uint32_t flags, int listCount, int desktopWidth,
                           int tableCount) {
    if (listCount < 1 || rows.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
        LogPrint("SetChart: Invalid arguments.");
        return {};
    }
    LogPrint("SetChart: Parameters are O.K.");
    return PrepareBlock(rows, flags, listCount, desktopWidth, tableCount);
}

int SetChart(ChartView* viewer, PreparedChart&& prepared) {
    if (!CheckChartView(viewer) || !prepared.block) {
        LogPrint("SetChart: Invalid arguments.");
        return 0;
    }
    if (InPeakDetection(viewer)) return 0;
    if (State(viewer).listCount != 0 && State(viewer).listCount != prepared.listCount) {
        LogPrint("SetChart: Peak list table would be overridden illigaly.");
        return 0;
    }
    return CommitChart(viewer, prepared);
}

const ChartStore* RetrieveChart(ChartView* viewer, int* count, uint32_t* flags) {
    if (!viewer || !CheckChartView(viewer) || !count || !flags) {
        LogPrint("RetrieveChart: Invalid arguments.");
        return nullptr;
    }
    if (State(viewer).chartMode != 0) {
        viewer->Host()->Beep();
        LogPrint("RetrieveChart: A chart would be retrieved in peak detection.");
        return nullptr;
    }
    const CHARTBLOCK* chart = State(viewer).chart.get();
    if (!chart || chart->paddedCount < 1) {
        LogPrint("RetrieveChart: CHARTBLOCK has not been ready yet.");
        return nullptr;
    }
    *count = chart->sampleCount;
    if (chart->flags & HASSM) *flags = HASSM;
    return &chart->rows;
}

int SetChartSmoothed(ChartView* viewer, std::vector<double>&& smoothed, int listCount) {
    if (!CheckChartView(viewer) || !State(viewer).chart ||
        smoothed.size() < static_cast<size_t>(State(viewer).chart->sampleCount)) {
        LogPrint("SetChart: Invalid arguments.");
        return 0;
    }
    // The rows leave the block for the new install and go back to it, with their old smoothed
    // column, when that fails.
    // The same chart, smoothed: the entries keep the names the user gave them.
    const auto kept = KeepPeakEntries(viewer);
    ChartStore rows = std::move(State(viewer).chart->rows);
    std::vector<double> old = rows.TakeSmoothedColumn();
    rows.SetSmoothedColumn(std::move(smoothed));
    if (InstallChart(viewer, rows, HASSM, listCount)) {
        RestorePeakNames(viewer, kept);
        return 1;
    }
    rows.SetSmoothedColumn(std::move(old));
    rows.PadColumns(
        static_cast<size_t>(State(viewer).chart->paddedCount - State(viewer).chart->sampleCount) +
        1);
    State(viewer).chart->rows = std::move(rows);
    return 0;
}

void FreeViewerData(ChartView* viewer) {
    if (!viewer) return;
    State(viewer).chart.reset();
    if (State(viewer).peakTable) {
        auto& table = *State(viewer).peakTable;
        for (int k = 0; k < State(viewer).listCount && k < static_cast<int>(table.size()); ++k)
            table[static_cast<size_t>(k)].reset();
        State(viewer).peakTable.reset();
    }
}
