#include "viewer/chart_viewer.h"
#include "viewer/max_pyramid.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// The data and smoothed columns of n random rows.
struct Columns {
    std::vector<double> data, smoothed;
};

Columns RandomRows(int n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> volts(-2.0, 5.0);
    Columns rows;
    for (int i = 0; i < n; ++i) {
        rows.data.push_back(volts(gen));
        rows.smoothed.push_back(volts(gen));
    }
    return rows;
}

double ScanMax(const Columns& rows, int first, int last, bool smoothed) {
    const std::vector<double>& v = smoothed ? rows.smoothed : rows.data;
    double m = v[first];
    for (int i = first + 1; i < last; ++i)
        m = std::max(m, v[i]);
    return m;
}

} // namespace

TEST(MaxPyramid, EqualsScanOnEveryStretchAndCutsStretchesOutsideTheRows) {
    // Sizes around the block sizes (8, 64, 512) catch off-by-one errors at block edges.
    for (int n : {1, 2, 7, 8, 9, 63, 64, 65, 513}) {
        auto rows = RandomRows(n, 11u + n);
        MaxPyramid data, smoothed;
        data.Build(rows.data.data(), n);
        smoothed.Build(rows.smoothed.data(), n);
        int stride = n > 100 ? 7 : 1;
        for (int a = 0; a < n; a += stride)
            for (int b = a + 1; b <= n; ++b) {
                ASSERT_EQ(data.Max(a, b), ScanMax(rows, a, b, false)) << n << ":" << a << "-" << b;
                ASSERT_EQ(smoothed.Max(a, b), ScanMax(rows, a, b, true))
                    << n << ":" << a << "-" << b;
            }
        EXPECT_EQ(data.Max(-5, n + 100), ScanMax(rows, 0, n, false));
        EXPECT_EQ(data.Max(n + 10, n + 20), 0.0);
        EXPECT_EQ(data.Max(n / 2, n / 2), 0.0);
    }
    MaxPyramid none;
    none.Build(nullptr, 0);
    EXPECT_TRUE(none.Empty());
    EXPECT_EQ(none.Max(0, 10), 0.0);
}

TEST(ChartPyramids, RebuildsOnlyForANewGeneration) {
    CHARTBLOCK chart;
    for (int i = 0; i < 101; ++i)
        chart.rows.Append(SplSample{});
    chart.rows.SetSmoothedColumn(std::vector<double>(101, 2.0));
    chart.paddedCount = 100;
    chart.flags = HASSM;
    chart.generation = 1;
    ChartPyramids cache;
    cache.Update(chart);
    EXPECT_EQ(cache.Data().Count(), 101);
    EXPECT_EQ(cache.Smoothed().Max(0, 101), 2.0);

    // Peak edits leave the values alone and keep the generation: no rebuild needed.
    chart.rows.Data()[50] = 1000.0;
    cache.Update(chart);
    EXPECT_LT(cache.Data().Max(0, 101), 1000.0);

    chart.generation = 2; // a new chart was set
    chart.flags = 0;
    cache.Update(chart);
    EXPECT_EQ(cache.Data().Max(0, 101), 1000.0);
    EXPECT_TRUE(cache.Smoothed().Empty());
}
