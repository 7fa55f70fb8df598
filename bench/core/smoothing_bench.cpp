// Smoothing speed: fixed and optimised windows on charts of a million and ten million rows.
#include "bench_registry.h"
#include "chart/smoothing.h"

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

std::vector<SplSample> MakeChart(int n) {
    std::vector<SplSample> rows(static_cast<size_t>(n));
    std::mt19937 gen(7);
    std::normal_distribution<double> noise(0.0, 0.001);
    for (int i = 0; i < n; ++i) {
        double phase = (i % 5000) / 5000.0;
        rows[static_cast<size_t>(i)].data =
            0.002 + 0.3 * std::exp(-std::pow((phase - 0.5) * 40.0, 2)) + noise(gen);
    }
    return rows;
}

void Report(const char* what, int n, double seconds) {
    std::printf("  %-36s %9d rows  %8.4f s  %12.0f rows/s\n", what, n, seconds, n / seconds);
}

void SmoothingBench(const bench::Options& options) {
    std::vector<int> sizes =
        options.quick ? std::vector<int>{100000} : std::vector<int>{1000000, 10000000};
    std::printf("smoothing\n");
    for (int n : sizes) {
        auto rows = MakeChart(n);
        SmoothChart(rows.data(), n, 7, 0, 0, nullptr); // touch the pages once
        Report("fixed, half-width 7", n,
               bench::Seconds([&] { SmoothChart(rows.data(), n, 7, 0, 0, nullptr); }));
        Report("fixed, half-width 500", n,
               bench::Seconds([&] { SmoothChart(rows.data(), n, 500, 0, 0, nullptr); }));
        Report("optimised 2..30, w 7, quadratic", n,
               bench::Seconds([&] { SmoothChart(rows.data(), n, 7, 30, 2, QuadraticWeight); }));
        Report("optimised 2..30, w 7, digital", n,
               bench::Seconds([&] { SmoothChart(rows.data(), n, 7, 30, 2, DigitalWeight); }));
    }
}

bench::Register reg("smoothing", SmoothingBench);

} // namespace
