// The edit history of a viewer: a list of steps and the position in it. The history keeps a copy
// of the peak state it last saw (every sample mark and every table's entries); a step stores, per
// sequence, only the stretch that differs between before and after (common head and tail left
// out), so that it can be applied either way.
#include "viewer/edit_history.h"

#include "chart/run_log.h"
#include "viewer/viewer_internal.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

using namespace viewer_detail;

namespace {

// The peak marks of one sample: its peak bits and both tables' levels.
struct Mark {
    int sample = 0;
    uint32_t bits = 0;
    double top[SAMPLE_TABLES] = {};
    double base[SAMPLE_TABLES] = {};

    bool operator==(const Mark& o) const {
        return sample == o.sample && bits == o.bits &&
               std::equal(std::begin(top), std::end(top), std::begin(o.top)) &&
               std::equal(std::begin(base), std::end(base), std::begin(o.base));
    }
};

bool SameEntry(const PeakEntry& a, const PeakEntry& b) {
    return a.position == b.position && a.height == b.height && a.factor == b.factor &&
           std::memcmp(a.name, b.name, sizeof a.name) == 0;
}

struct PeakState {
    std::vector<Mark> marks; // by sample index
    std::vector<std::vector<PeakEntry>> tables;
};

// What differs between two versions of a sequence: at `at`, `removed` became `inserted`.
template <class T> struct Splice {
    size_t at = 0;
    std::vector<T> removed;
    std::vector<T> inserted;
    bool empty() const { return removed.empty() && inserted.empty(); }
};

template <class T, class Eq>
Splice<T> MakeSplice(const std::vector<T>& before, const std::vector<T>& after, Eq same) {
    size_t head = 0;
    const size_t shorter = std::min(before.size(), after.size());
    while (head < shorter && same(before[head], after[head]))
        ++head;
    size_t tail = 0;
    while (tail < shorter - head &&
           same(before[before.size() - 1 - tail], after[after.size() - 1 - tail]))
        ++tail;
    Splice<T> s;
    s.at = head;
    s.removed.assign(before.begin() + static_cast<std::ptrdiff_t>(head),
                     before.end() - static_cast<std::ptrdiff_t>(tail));
    s.inserted.assign(after.begin() + static_cast<std::ptrdiff_t>(head),
                      after.end() - static_cast<std::ptrdiff_t>(tail));
    return s;
}

// Forward turns the "before" sequence into the "after" one; backward the other way.
template <class T> void ApplySplice(std::vector<T>& v, const Splice<T>& s, bool forward) {
    const std::vector<T>& out = forward ? s.removed : s.inserted;
    const std::vector<T>& in = forward ? s.inserted : s.removed;
    auto at = v.begin() + static_cast<std::ptrdiff_t>(s.at);
    at = v.erase(at, at + static_cast<std::ptrdiff_t>(out.size()));
    v.insert(at, in.begin(), in.end());
}

// The smoothed curve of a chart and what depends on it.
struct SmoothState {
    uint32_t flags = 0;
    std::vector<double> smoothed;
    double maxValue = 0.0;
    double minValue = 0.0;
    double defaultRange = 0.0;
};

struct Step {
    uint64_t id = 0;
    Splice<Mark> marks;
    std::vector<Splice<PeakEntry>> tables;
    std::optional<SplChart> headerBefore, headerAfter;
    std::shared_ptr<const SmoothState> smoothBefore, smoothAfter;
};

uint64_t NextStateId() {
    static uint64_t next = 0;
    return ++next;
}

PeakState CapturePeaks(const ChartView* viewer) {
    PeakState state;
    if (!State(viewer).chart) return state;
    const CHARTBLOCK& chart = *State(viewer).chart;
    state.marks.reserve(chart.rows.Marks().size());
    for (const RowMark& row : chart.rows.Marks()) {
        if (row.row < 0 || row.row >= chart.sampleCount) continue;
        Mark m;
        m.sample = row.row;
        m.bits = row.flags & SAMPLE_PEAK_BITS;
        for (int k = 0; k < SAMPLE_TABLES; ++k) {
            m.top[k] = row.top[k];
            m.base[k] = row.base[k];
        }
        state.marks.push_back(m);
    }
    if (State(viewer).peakTable)
        for (const auto& set : *State(viewer).peakTable) {
            state.tables.emplace_back();
            if (set)
                state.tables.back().assign(
                    set->entries.begin(),
                    set->entries.begin() +
                        std::min<std::ptrdiff_t>(set->count, std::ssize(set->entries)));
        }
    return state;
}

SmoothState CaptureSmooth(const CHARTBLOCK& chart) {
    SmoothState state;
    state.flags = chart.flags & HASSM;
    state.maxValue = chart.maxValue;
    state.minValue = chart.minValue;
    state.defaultRange = chart.defaultRange;
    if (state.flags) {
        state.smoothed.resize(static_cast<size_t>(chart.sampleCount));
        for (size_t i = 0; i < state.smoothed.size(); ++i)
            state.smoothed[i] = chart.rows.SmoothedAt(i);
    }
    return state;
}

void RestoreSmooth(CHARTBLOCK& chart, const SmoothState& state) {
    chart.flags = (chart.flags & ~HASSM) | state.flags;
    // A smoothed block always has its column (over the blank samples too).
    if (!chart.rows.HasSmoothed() && state.flags)
        chart.rows.SetSmoothedColumn(
            std::vector<double>(static_cast<size_t>(chart.paddedCount) + 1, 0.0));
    if (double* column = chart.rows.SmoothedColumn()) {
        const size_t n = std::min(static_cast<size_t>(chart.sampleCount), chart.rows.size());
        for (size_t i = 0; i < n; ++i)
            column[i] = i < state.smoothed.size() ? state.smoothed[i] : 0.0;
    }
    chart.maxValue = state.maxValue;
    chart.minValue = state.minValue;
    chart.defaultRange = state.defaultRange;
    // The painters' caches of the curves are keyed on the generation.
    chart.generation += uint64_t{1} << 40;
}

// Writes one sample's marks as a Mark holds them (bits 0: no mark).
void WriteMark(CHARTBLOCK& chart, const Mark& m, bool present) {
    if (m.sample < 0 || m.sample >= chart.sampleCount) return;
    if (present && m.bits) {
        RowMark& row = chart.rows.MarkOf(m.sample);
        row.flags = m.bits;
        for (int k = 0; k < SAMPLE_TABLES; ++k) {
            row.top[k] = m.top[k];
            row.base[k] = m.base[k];
        }
    } else if (RowMark* row = chart.rows.FindMark(m.sample)) {
        *row = RowMark{};
        row->row = m.sample;
        chart.rows.TidyMark(m.sample);
    }
}

} // namespace

class EditHistory {
  public:
    PeakState seen; // the peak state at the current position
    std::vector<Step> steps;
    size_t position = 0; // steps[0 .. position-1] are done
    uint64_t baseId = NextStateId();
    uint64_t savedId = baseId;

    uint64_t StateId() const { return position == 0 ? baseId : steps[position - 1].id; }

    // Adds a step after the current position; the steps that were undone are dropped.
    void Push(Step step) {
        steps.resize(position);
        step.id = NextStateId();
        steps.push_back(std::move(step));
        position = steps.size();
    }

    // The peak part of a step from the state seen to the viewer's state now.
    void DiffPeaks(const ChartView* viewer, Step& step) {
        PeakState now = CapturePeaks(viewer);
        step.marks = MakeSplice(seen.marks, now.marks, std::equal_to<Mark>());
        const size_t tables = std::max(seen.tables.size(), now.tables.size());
        seen.tables.resize(tables);
        now.tables.resize(tables);
        for (size_t k = 0; k < tables; ++k)
            step.tables.push_back(MakeSplice(seen.tables[k], now.tables[k], SameEntry));
        seen = std::move(now);
    }

    static bool PeaksUnchanged(const Step& step) {
        return step.marks.empty() && std::all_of(step.tables.begin(), step.tables.end(),
                                                 [](const auto& t) { return t.empty(); });
    }

    void Apply(ChartView* viewer, const Step& step, bool forward, SplChart* header) {
        CHARTBLOCK& chart = *State(viewer).chart;
        const auto& gone = forward ? step.marks.removed : step.marks.inserted;
        const auto& back = forward ? step.marks.inserted : step.marks.removed;
        for (const Mark& m : gone)
            WriteMark(chart, m, false);
        for (const Mark& m : back)
            WriteMark(chart, m, true);
        ApplySplice(seen.marks, step.marks, forward);
        for (size_t k = 0; k < step.tables.size() && k < seen.tables.size(); ++k) {
            ApplySplice(seen.tables[k], step.tables[k], forward);
            if (!State(viewer).peakTable || k >= State(viewer).peakTable->size()) continue;
            PeakSet* set = (*State(viewer).peakTable)[k].get();
            if (!set) continue;
            set->entries = seen.tables[k];
            set->count = static_cast<int>(set->entries.size());
        }
        const auto& smooth = forward ? step.smoothAfter : step.smoothBefore;
        if (smooth) RestoreSmooth(chart, *smooth);
        const auto& tags = forward ? step.headerAfter : step.headerBefore;
        if (tags && header) {
            header->tags = tags->tags;
            header->version = tags->version;
        }
        RefreshView(viewer, smooth ? REFRESH_ALL : REFRESH_CHART);
    }
};

namespace {

EditHistory& HistoryOf(ChartView* viewer) {
    if (!State(viewer).history) {
        State(viewer).history = std::make_shared<EditHistory>();
        State(viewer).history->seen = CapturePeaks(viewer);
    }
    return *State(viewer).history;
}

bool SameHeader(const SplChart& a, const SplChart& b) {
    if (a.version != b.version || a.tags.size() != b.tags.size()) return false;
    for (size_t i = 0; i < a.tags.size(); ++i)
        if (a.tags[i].name != b.tags[i].name || a.tags[i].value != b.tags[i].value) return false;
    return true;
}

// Undo (forward false) or redo (forward true).
int Travel(ChartView* viewer, SplChart* header, bool forward) {
    if (!CheckChartView(viewer) || !State(viewer).chart) return 0;
    if (State(viewer).chartMode != CHART_MODE_VIEW) {
        viewer->Host()->Beep();
        LogPrint(forward ? "RedoEdit: An edit would be redone in peak detection."
                         : "UndoEdit: An edit would be undone in peak detection.");
        return 0;
    }
    EditHistory& h = HistoryOf(viewer);
    if (forward ? h.position >= h.steps.size() : h.position == 0) {
        viewer->Host()->Beep();
        return 0;
    }
    if (forward) {
        h.Apply(viewer, h.steps[h.position], true, header);
        h.position += 1;
    } else {
        h.position -= 1;
        h.Apply(viewer, h.steps[h.position], false, header);
    }
    State(viewer).changeCount += 1;
    return 1;
}

} // namespace

void ResetEditHistory(ChartView* viewer) {
    if (!viewer) return;
    State(viewer).history.reset();
    HistoryOf(viewer);
}

void RecordPeakEdit(ChartView* viewer) {
    if (!viewer || !State(viewer).chart) return;
    EditHistory& h = HistoryOf(viewer);
    Step step;
    h.DiffPeaks(viewer, step);
    if (!EditHistory::PeaksUnchanged(step)) h.Push(std::move(step));
}

void RecordHeaderEdit(ChartView* viewer, const SplChart& before, const SplChart& after) {
    if (!viewer || SameHeader(before, after)) return;
    Step step;
    step.headerBefore = before;
    step.headerAfter = after;
    HistoryOf(viewer).Push(std::move(step));
}

int SetSmoothedChart(ChartView* viewer, std::vector<double>&& smoothed, int listCount) {
    if (!CheckChartView(viewer) || !State(viewer).chart)
        return SetChartSmoothed(viewer, std::move(smoothed), listCount);
    std::shared_ptr<EditHistory> kept = State(viewer).history;
    auto before = std::make_shared<SmoothState>(CaptureSmooth(*State(viewer).chart));
    const int marks[2] = {State(viewer).measureMark[0], State(viewer).measureMark[1]};
    if (!SetChartSmoothed(viewer, std::move(smoothed), listCount)) return 0;
    // The same chart, smoothed: the measuring cursors stay where they were.
    State(viewer).measureMark[0] = marks[0];
    State(viewer).measureMark[1] = marks[1];
    if (!kept) return 1;
    State(viewer).history = kept;
    Step step;
    kept->DiffPeaks(viewer, step);
    step.smoothBefore = std::move(before);
    step.smoothAfter = std::make_shared<SmoothState>(CaptureSmooth(*State(viewer).chart));
    kept->Push(std::move(step));
    return 1;
}

bool CanUndoEdit(const ChartView* viewer) {
    return viewer && State(viewer).history && State(viewer).history->position > 0;
}

bool CanRedoEdit(const ChartView* viewer) {
    return viewer && State(viewer).history &&
           State(viewer).history->position < State(viewer).history->steps.size();
}

int UndoEdit(ChartView* viewer, SplChart* header) {
    return Travel(viewer, header, false);
}

int RedoEdit(ChartView* viewer, SplChart* header) {
    return Travel(viewer, header, true);
}

void MarkEditsSaved(ChartView* viewer) {
    if (!viewer) return;
    EditHistory& h = HistoryOf(viewer);
    h.savedId = h.StateId();
}

bool EditsModified(const ChartView* viewer) {
    return viewer && State(viewer).history &&
           State(viewer).history->StateId() != State(viewer).history->savedId;
}
