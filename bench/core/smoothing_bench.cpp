// Smoothing speed: fixed and optimised windows on charts of a million and ten million rows.
#include "bench_registry.h"
#include "chart/smoothing.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace {

// The data column of a chart (smoothing works on the chart's columns).
std::vector<double> MakeChart(int n) {
    std::vector<double> rows(static_cast<size_t>(n));
    std::mt19937 gen(7);
    std::normal_distribution<double> noise(0.0, 0.001);
    for (int i = 0; i < n; ++i) {
        double phase = (i % 5000) / 5000.0;
        rows[static_cast<size_t>(i)] =
            0.002 + 0.3 * std::exp(-std::pow((phase - 0.5) * 40.0, 2)) + noise(gen);
    }
    return rows;
}

// Runs fn once and prints wall-clock and processor seconds (the machine may be shared).
template <typename F> void Measure(const char* what, int n, F&& fn) {
    std::clock_t c0 = std::clock();
    double seconds = bench::Seconds(fn);
    double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    std::printf("  %-34s %9d rows  %7.4f s (cpu %7.4f s)  %11.0f rows/s\n", what, n, seconds, cpu,
                n / seconds);
}

void SmoothingBench(const bench::Options& options) {
    std::vector<int> sizes =
        options.quick ? std::vector<int>{100000} : std::vector<int>{1000000, 10000000};
    std::printf("smoothing\n");
    for (int n : sizes) {
        auto data = MakeChart(n);
        std::vector<double> out(static_cast<size_t>(n));
        const double* in = data.data();
        double* sm = out.data();
        SmoothColumn(in, n, sm, 7, 0, 0, nullptr); // touch the pages once
        // The floor: one pass that reads every row's data and writes its smoothed value.
        Measure("bare pass (data to smoothed)", n, [&] {
            for (int i = 0; i < n; ++i)
                sm[i] = in[i];
        });
        Measure("fixed, half-width 7", n, [&] { SmoothColumn(in, n, sm, 7, 0, 0, nullptr); });
        Measure("fixed, half-width 500", n, [&] { SmoothColumn(in, n, sm, 500, 0, 0, nullptr); });
        Measure("optimised 2..30, w 7, quadratic", n,
                [&] { SmoothColumn(in, n, sm, 7, 30, 2, QuadraticWeight); });
        Measure("optimised 2..30, w 7, digital", n,
                [&] { SmoothColumn(in, n, sm, 7, 30, 2, DigitalWeight); });
    }
}

bench::Register reg("smoothing", SmoothingBench);

} // namespace
