// The edit history on a long chart with many peaks: the time of recording one edit and of
// undoing and redoing it, and the size of the history per step.
#include "bench_registry.h"
#include "viewer/edit_history.h"
#include "viewer/headless_host.h"

#include <cstdio>
#include <vector>

namespace {

void EditHistoryBench(const bench::Options& options) {
    const int n = options.quick ? 100000 : 2000000;
    const int peaks = options.quick ? 500 : 5000;
    const int edits = options.quick ? 100 : 1000;
    std::vector<SplSample> rows(static_cast<size_t>(n));
    for (int p = 0; p < peaks; ++p) {
        SplSample& row = rows[static_cast<size_t>(p) * (n / peaks)];
        row.flags |= SAMPLE_HAS_PEAK;
        row.top[0] = 0.5;
        row.base[0] = 0.1;
    }
    HeadlessViewerHost host;
    ChartView view(&host);
    if (!SetChart(&view, ChartStore(rows), 0, 2)) return;
    std::printf("edit history (%d rows, %d peaks)\n", n, peaks);
    char name[16];
    const double record = bench::Seconds([&] {
        for (int e = 0; e < edits; ++e) {
            std::snprintf(name, sizeof name, "P%d", e);
            SetPeakInfo(&view, 0, (e * 7) % peaks, nullptr, nullptr, name);
        }
    });
    const double undo = bench::Seconds([&] {
        for (int e = 0; e < edits; ++e)
            UndoEdit(&view, nullptr);
    });
    const double redo = bench::Seconds([&] {
        for (int e = 0; e < edits; ++e)
            RedoEdit(&view, nullptr);
    });
    const int all[] = {0, 1, 2};
    const double del = bench::Seconds([&] { DeletePeaks(&view, 3, all); });
    std::printf("  rename and record   %8.1f us per edit\n", 1e6 * record / edits);
    std::printf("  undo                %8.1f us per step\n", 1e6 * undo / edits);
    std::printf("  redo                %8.1f us per step\n", 1e6 * redo / edits);
    std::printf("  delete 3 and record %8.1f us\n", 1e6 * del);
    FreeViewerData(&view);
}

bench::Register reg("edit_history", EditHistoryBench);

} // namespace
