// Viewer model: installing and taking back long charts, and the cost of the view operations,
// which must not grow with the chart's length (the window's drawing is not part of it here).
#include "bench_registry.h"
#include "viewer/chart_viewer.h"
#include "viewer/headless_host.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

std::vector<SplSample> MakeRows(int n) {
    std::vector<SplSample> rows(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        SplSample& r = rows[static_cast<size_t>(i)];
        r.time = i;
        r.data = 0.002 + 0.5 * std::exp(-0.5 * std::pow((i % 5000 - 2500) / 40.0, 2));
        r.smoothed = r.data;
        if (i % 5000 == 2500) { // one peak per 5000 samples
            r.flags = SAMPLE_HAS_PEAK;
            r.top[0] = r.data;
        }
    }
    return rows;
}

// Nanoseconds per call of op over reps calls.
template <class F> double PerCall(int reps, F op) {
    double s = bench::Seconds([&] {
        for (int i = 0; i < reps; ++i)
            op(i);
    });
    return s * 1e9 / reps;
}

void Run(const bench::Options& options) {
    std::vector<int> sizes =
        options.quick ? std::vector<int>{100000, 1000000} : std::vector<int>{1000000, 10000000};
    // "copy s" is the floor: one copy of the rows into freshly allocated memory, most of which is
    // the system's first touch of the new pages.
    // "take s" is SetChart taking the rows over, as chart loading does.
    std::printf("%10s %9s %11s %8s %11s %12s %7s %14s %10s %12s\n", "rows", "copy s", "SetChart s",
                "take s", "Retrieve s", "block B/row", "peaks", "MoveCursor ns", "SetMag ns",
                "SetRange ns");
    for (int n : sizes) {
        std::vector<SplSample> rows = MakeRows(n);
        double copy = 1e9;
        for (int k = 0; k < 3; ++k)
            copy = std::min(copy, bench::Seconds([&] {
                                std::vector<SplSample> fresh(rows.begin(), rows.end());
                                if (fresh.size() != rows.size()) std::printf("copy failed\n");
                            }));
        HeadlessViewerHost host(1920, {1600, 600}, {1600, 200}); // a desktop-sized viewer
        ChartView view(&host);
        double set = 1e9;
        for (int k = 0; k < 3; ++k)
            set = std::min(set, bench::Seconds([&] { SetChart(&view, n, rows.data(), HASSM, 2); }));
        double take = 1e9;
        for (int k = 0; k < 3; ++k) {
            ChartStore handed(rows); // as the reader leaves it
            take = std::min(take,
                            bench::Seconds([&] { SetChart(&view, std::move(handed), HASSM, 2); }));
        }
        double retrieve = 1e9;
        for (int k = 0; k < 3; ++k) {
            int count = 0;
            uint32_t flags = 0;
            retrieve = std::min(retrieve, bench::Seconds([&] {
                                    auto back = RetrieveChart(&view, &count, &flags);
                                    if (!back || count != n) std::printf("RetrieveChart failed\n");
                                }));
        }
        const CHARTBLOCK& chart = *view.Chart();
        double perRow = static_cast<double>(chart.rows.BytesHeld()) / n;
        int peaks = (*view.PeakTables())[0]->count;

        SetViewPosition(&view, n / 2, chart.viewTop);
        double move = PerCall(200000, [&](int i) { MoveCursor(&view, i % 2 ? 1 : 2); });
        double mag = PerCall(20000, [&](int i) { SetMagnification(&view, i % 2 ? 0.5 : 2.0, 0); });
        double range = PerCall(20000, [&](int i) { SetRange(&view, i % 2 ? 0.1 : 0.2); });
        std::printf("%10d %9.3f %11.3f %8.3f %11.3f %12.1f %7d %14.1f %10.1f %12.1f\n", n, copy,
                    set, take, retrieve, perRow, peaks, move, mag, range);
        std::fflush(stdout);
    }
    std::printf("sizeof(SplSample) = %zu bytes; sizeof(PeakEntry) = %zu bytes\n", sizeof(SplSample),
                sizeof(PeakEntry));
}

bench::Register reg("viewer", Run);

} // namespace
