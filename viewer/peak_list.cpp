// Reading and editing the peak tables: a copy of the current table (GetPeakList), one entry's
// levels (GetPeakInfo), changing an entry's levels or name (SetPeakInfo), and removing entries
// (DeletePeaks). Each keeps an entry and the sample it points at in step.
#include "chart/run_log.h"
#include "viewer/chart_viewer.h"
#include "viewer/edit_history.h"
#include "viewer/viewer_internal.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <new>

using namespace viewer_detail;

namespace {

// The PeakSet of table, or null when the viewer has no such table.
PeakSet* TableOf(const ChartView* viewer, int table) {
    if (!State(viewer).peakTable || table < 0 || table >= State(viewer).listCount ||
        table >= static_cast<int>(State(viewer).peakTable->size()) || table >= SAMPLE_TABLES)
        return nullptr;
    return (*State(viewer).peakTable)[static_cast<size_t>(table)].get();
}

// The sample an entry points at, or -1 when it lies outside the chart's samples.
int SampleOf(const CHARTBLOCK& chart, const PeakEntry& entry) {
    double p = entry.position;
    if (!(p >= 0.0) || p >= chart.sampleCount) return -1;
    return static_cast<int>(p);
}

} // namespace

std::unique_ptr<PeakEntry[]> GetPeakList(ChartView* viewer, int* count) {
    if (!CheckChartView(viewer)) return nullptr;
    if (State(viewer).chartMode != 0) {
        viewer->Host()->Beep();
        LogPrint("GetPeakList: Peak list would be retrieved in peak detection.");
        return nullptr;
    }
    const PeakSet* set = CurrentSet(viewer);
    if (!set || set->count < 1 || !count) {
        LogPrint("GetPeakList: Chart not ready.");
        return nullptr;
    }
    std::unique_ptr<PeakEntry[]> copy(new (std::nothrow) PeakEntry[set->count]);
    if (!copy) {
        LogPrint("GetPeakList: Not enough core.");
        return nullptr;
    }
    std::copy_n(set->entries.data(), set->count, copy.get());
    *count = set->count;
    return copy;
}

int GetPeakInfo(const ChartView* viewer, int table, int index, double* top, double* base) {
    if (!CheckChartView(viewer) || !HasSamples(viewer)) return 0;
    const PeakSet* set = TableOf(viewer, table);
    if (!set || set->count < 1) {
        LogPrint("GetPeakList: Chart not ready.");
        return 0;
    }
    if (index < 0 || index >= set->count || !top || !base) return 0;
    int s = SampleOf(*State(viewer).chart, set->entries[static_cast<size_t>(index)]);
    if (s < 0) {
        *top = 0.0;
        *base = 0.0;
        return 0;
    }
    const RowMark* mark = State(viewer).chart->rows.FindMark(s);
    *top = mark ? mark->top[table] : 0.0;
    *base = mark ? mark->base[table] : 0.0;
    return 1;
}

int SetPeakInfo(ChartView* viewer, int table, int index, const double* top, const double* base,
                const char* name) {
    if (!CheckChartView(viewer)) return 0;
    if (State(viewer).chartMode != 0) {
        viewer->Host()->Beep();
        LogPrint("SetPeakInfo: A peak would be overwritten in peak detection.");
        return 0;
    }
    PeakSet* set = TableOf(viewer, table);
    if (!HasSamples(viewer) || !set || set->count < 1 || index < 0 || index >= set->count) return 0;
    PeakEntry& entry = set->entries[static_cast<size_t>(index)];
    int s = SampleOf(*State(viewer).chart, entry);
    if (s >= 0) {
        if (top || base) {
            RowMark& mark = State(viewer).chart->rows.MarkOf(s);
            if (top) mark.top[table] = *top;
            if (base) mark.base[table] = *base;
            entry.height = mark.top[table] - mark.base[table];
            State(viewer).chart->rows.TidyMark(s);
        }
    }
    if (name) CopyElemName(entry.name, name, std::strlen(name));
    if (top || base || name) State(viewer).changeCount += 1;
    RecordPeakEdit(viewer);
    RefreshView(viewer, REFRESH_CHART);
    return 1;
}

int DeletePeaks(ChartView* viewer, int n, const int* indices) {
    if (!CheckChartView(viewer)) return 0;
    PeakSet* set = CurrentSet(viewer);
    if (n < 1 || !indices || !HasSamples(viewer) || !set || set->count < n) return 0;
    CHARTBLOCK& chart = *State(viewer).chart;
    int k = State(viewer).peakMode;

    // Indices outside the table are skipped; a repeated index marks its entry once.
    std::vector<char> doomed(static_cast<size_t>(set->count), 0);
    for (int i = 0; i < n; ++i)
        if (indices[i] >= 0 && indices[i] < set->count) doomed[static_cast<size_t>(indices[i])] = 1;

    int j = 0;
    for (int i = 0; i < set->count; ++i) {
        PeakEntry& entry = set->entries[static_cast<size_t>(i)];
        if (!doomed[static_cast<size_t>(i)]) {
            if (j < i) set->entries[static_cast<size_t>(j)] = entry;
            ++j;
            continue;
        }
        int s = SampleOf(chart, entry);
        if (s >= 0) ClearMark(chart, s, k);
    }
    if (j < set->count) State(viewer).changeCount += 1;
    set->count = j;
    set->entries.resize(static_cast<size_t>(j));
    RecordPeakEdit(viewer);
    RefreshView(viewer, REFRESH_CHART);
    return j;
}

std::vector<std::vector<PeakEntry>> viewer_detail::KeepPeakEntries(const ChartView* viewer) {
    std::vector<std::vector<PeakEntry>> kept;
    if (viewer && State(viewer).peakTable)
        for (const std::unique_ptr<PeakSet>& set : *State(viewer).peakTable)
            kept.emplace_back(set ? std::vector<PeakEntry>(set->entries.begin(),
                                                           set->entries.begin() + set->count)
                                  : std::vector<PeakEntry>());
    return kept;
}

void viewer_detail::RestorePeakNames(ChartView* viewer,
                                     const std::vector<std::vector<PeakEntry>>& kept) {
    if (!viewer || !State(viewer).peakTable) return;
    for (size_t k = 0; k < kept.size() && k < State(viewer).peakTable->size(); ++k) {
        PeakSet* set = (*State(viewer).peakTable)[k].get();
        if (!set) continue;
        std::map<double, const PeakEntry*> before;
        for (const PeakEntry& entry : kept[k])
            before.emplace(entry.position, &entry);
        for (int i = 0; i < set->count; ++i) {
            PeakEntry& entry = set->entries[static_cast<size_t>(i)];
            auto it = before.find(entry.position);
            if (it == before.end()) continue;
            std::memcpy(entry.name, it->second->name, sizeof entry.name);
            entry.factor = it->second->factor;
        }
    }
}

int ReplaceChartRows(ChartView* viewer, ChartStore&& rows, uint32_t flags, int listCount) {
    const auto kept = KeepPeakEntries(viewer);
    if (!SetChart(viewer, std::move(rows), flags, listCount)) return 0;
    RestorePeakNames(viewer, kept);
    return 1;
}
