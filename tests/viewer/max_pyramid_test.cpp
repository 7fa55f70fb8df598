#include "viewer/chart_viewer.h"
#include "viewer/max_pyramid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

TEST(MaxPyramid, EqualsScanOnEveryStretchAndCutsStretchesOutsideTheRows) {
    // Sizes around the block sizes (8, 64, 512) catch off-by-one errors at block edges.
    for (int n : {1, 2, 7, 8, 9, 63, 64, 65, 513}) {
        std::mt19937 gen(11u + n);
        std::uniform_real_distribution<double> volts(-2.0, 5.0);
        std::vector<double> v(static_cast<size_t>(n));
        for (double& x : v)
            x = volts(gen);
        MaxPyramid pyramid;
        pyramid.Build(v.data(), n);
        int stride = n > 100 ? 7 : 1;
        for (int a = 0; a < n; a += stride)
            for (int b = a + 1; b <= n; ++b)
                ASSERT_EQ(pyramid.Max(a, b), *std::max_element(v.begin() + a, v.begin() + b))
                    << n << ":" << a << "-" << b;
        EXPECT_EQ(pyramid.Max(-5, n + 100), *std::max_element(v.begin(), v.end()));
        EXPECT_EQ(pyramid.Max(n + 10, n + 20), 0.0);
        EXPECT_EQ(pyramid.Max(n / 2, n / 2), 0.0);
    }
    MaxPyramid none;
    none.Build(nullptr, 0);
    EXPECT_TRUE(none.Empty());
    EXPECT_EQ(none.Max(0, 10), 0.0);
}

TEST(ChartPyramids, RebuildsOnlyForANewGeneration) {
    CHARTBLOCK chart;
    chart.rows = ChartStore(std::vector<SplSample>(101));
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
