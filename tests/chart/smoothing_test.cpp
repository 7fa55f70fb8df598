#include "chart/smoothing.h"
#include "support/spl_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

// Rows of data, each with a time, a name and peak levels that smoothing leaves alone.
std::vector<SplSample> Chart(const std::vector<double>& data) {
    std::vector<SplSample> rows;
    for (size_t i = 0; i < data.size(); ++i)
        rows.push_back(spltest::Row(static_cast<int>(i * 2), data[i], "Kr", 0.0, SAMPLE_HAS_PEAK,
                                    1.5, 0.0, 0.0, -0.5));
    return rows;
}

// The smoothing written out term by term, as a reference.
std::vector<double> Reference(const std::vector<SplSample>& rows, int w, int maxW, int minW,
                              WeightFunction f) {
    const int n = static_cast<int>(rows.size());
    // The sum of x over rows i-w .. i+w, each term times its offset k when weighted.
    auto window = [n](const std::vector<double>& x, int i, int w, bool weighted) {
        double s = 0;
        for (int k = -w; k <= w; ++k)
            if (i + k >= 0 && i + k < n) s += (weighted ? k : 1) * x[i + k];
        return s;
    };
    std::vector<double> d(rows.size());
    for (int i = 0; i < n; ++i)
        d[i] = rows[i].data;
    if (n > 0 && (d[0] < -0.1 || d[0] > 20.0)) d[0] = 0.0;
    std::vector<int> widths(rows.size(), w);
    if (maxW != 0 && minW != 0 && f) {
        double N = double(w) * (w + 1);
        std::vector<double> slope(rows.size()), bend(rows.size());
        for (int i = 0; i < n; ++i)
            slope[i] = window(d, i, w, true) / N;
        double M = 0;
        for (int i = 0; i < n; ++i) {
            bend[i] = std::fabs(window(slope, i, w, true) / N);
            M = std::max(M, bend[i]);
        }
        for (int i = 0; i < n; ++i)
            widths[i] = static_cast<int>(f(1.0 - bend[i] / M) * (maxW - minW) + minW);
    }
    std::vector<double> out(rows.size());
    for (int i = 0; i < n; ++i)
        out[i] = window(d, i, widths[i], false) / (2 * widths[i] + 1);
    return out;
}

std::vector<double> RandomData(int n, unsigned seed, double offset) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> noise(0.0, 0.002);
    std::vector<double> d(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        double peak = 0.05 * std::exp(-std::pow((i - n / 3.0) / 6.0, 2));
        d[static_cast<size_t>(i)] = offset + peak + noise(gen);
    }
    return d;
}

void ExpectNear(const std::vector<SplSample>& rows, const std::vector<double>& want) {
    ASSERT_EQ(rows.size(), want.size());
    for (size_t i = 0; i < rows.size(); ++i)
        ASSERT_NEAR(rows[i].smoothed, want[i], 1e-12 * (1.0 + std::fabs(want[i]))) << "row " << i;
}

} // namespace

// Values worked out by hand: the window sums the rows it covers (rows past either end count as
// 0) and divides by its full width 2w+1. A first row outside -0.1..20 counts as 0 but keeps its
// value; negative widths and limits count as 0; optimising needs both limits and a function.
TEST(SmoothChart, KnownAnswers) {
    const struct {
        std::vector<double> data;
        int w, maxW, minW;
        WeightFunction f;
        std::vector<double> want;
    } cases[] = {
        {{1, 2, 3, 4, 5}, 1, 0, 0, nullptr, {1, 2, 3, 4, 3}},
        {{1, 2, 3, 4, 5}, 7, 0, 0, nullptr, {1, 1, 1, 1, 1}},
        {{25, 2, 3, 4, 5}, 1, 0, 0, nullptr, {2.0 / 3, 5.0 / 3, 3, 4, 3}},
        {{20, 0, 0}, 1, 0, 0, nullptr, {20.0 / 3, 20.0 / 3, 0}},
        {{-0.2, 0, 0}, 1, 0, 0, nullptr, {0, 0, 0}},
        {{1, 2, 3}, -3, 0, 0, nullptr, {1, 2, 3}},
        {{1, 2, 3, 4, 5}, 1, -4, 2, QuadraticWeight, {1, 2, 3, 4, 3}},
        {{1, 2, 3, 4, 5}, 1, 0, 2, QuadraticWeight, {1, 2, 3, 4, 3}},
        {{1, 2, 3, 4, 5}, 1, 9, 0, QuadraticWeight, {1, 2, 3, 4, 3}},
        {{1, 2, 3, 4, 5}, 1, 9, 2, nullptr, {1, 2, 3, 4, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        auto rows = Chart(c.data);
        ASSERT_EQ(SmoothChart(rows.data(), static_cast<int>(rows.size()), c.w, c.maxW, c.minW, c.f),
                  1);
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_DOUBLE_EQ(rows[i].smoothed, c.want[i]) << "row " << i;
            EXPECT_EQ(rows[i].data, c.data[i]);
        }
    }
}

TEST(SmoothChart, MatchesTheDirectSumsOnRandomCharts) {
    struct Case {
        int n, w, maxW, minW;
        WeightFunction f;
        double offset;
    };
    const Case cases[] = {
        {1, 7, 0, 0, nullptr, 0.0},
        {2, 7, 0, 0, nullptr, 0.0},
        {300, 7, 0, 0, nullptr, 1.0},
        {9000, 5, 0, 0, nullptr, 19.0},
        {300, 0, 0, 0, nullptr, 0.0},
        {40, 100, 0, 0, nullptr, 0.5},
        {300, 3, 20, 2, QuadraticWeight, 0.0},
        {300, 3, 20, 2, DigitalWeight, 0.0},
        {5000, 4, 40, 1, QuadraticWeight, 5.0},
        {30, 12, 50, 3, DigitalWeight, 0.0},
        {300, 3, 2, 9, QuadraticWeight, 0.0},
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        auto rows = Chart(RandomData(c.n, seed++, c.offset));
        const auto before = rows;
        auto want = Reference(rows, c.w, c.maxW, c.minW, c.f);
        ASSERT_EQ(SmoothChart(rows.data(), c.n, c.w, c.maxW, c.minW, c.f), 1);
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " w=" << c.w << " max=" << c.maxW);
        ExpectNear(rows, want);
        // Nothing but the smoothed column changes.
        for (size_t i = 0; i < rows.size(); ++i) {
            rows[i].smoothed = before[i].smoothed;
            ASSERT_EQ(std::memcmp(&rows[i], &before[i], sizeof(SplSample)), 0) << "row " << i;
        }
    }
}

TEST(SmoothChart, StaysAccurateAfterAStretchOfLargeValues) {
    std::vector<double> d(20000, 19.5);
    for (size_t i = 10000; i < d.size(); ++i)
        d[i] = 1e-6 * double(i % 7);
    for (int maxW : {0, 9}) { // the fixed window, then the optimised one
        auto rows = Chart(d);
        auto want = Reference(rows, 3, maxW, 1, QuadraticWeight);
        ASSERT_EQ(SmoothChart(rows.data(), 20000, 3, maxW, 1, QuadraticWeight), 1);
        for (size_t i = 10010; i < d.size(); ++i) // past the rows whose window reaches the step
            ASSERT_NEAR(rows[i].smoothed, want[i], 1e-12) << "row " << i;
    }
}

TEST(OptimisedHalfWidths, NoBendGivesTheMaximumAndNonNumbersStayWithinTheLimits) {
    // A straight line has no bend away from the ends; a zero-width slope window has none at all.
    std::vector<int> widths;
    auto flat = Chart(std::vector<double>(50, 0.0));
    ASSERT_TRUE(OptimisedHalfWidths(flat.data(), 50, 3, 9, 2, QuadraticWeight, &widths));
    EXPECT_EQ(widths, std::vector<int>(50, 9));
    auto rows = Chart(RandomData(50, 5, 0.0));
    ASSERT_EQ(SmoothChart(rows.data(), 50, 0, 9, 2, DigitalWeight), 1);
    ExpectNear(rows, Reference(rows, 9, 0, 0, nullptr));
    for (const std::vector<double>& data : {std::vector<double>{0.1, 0.2, NAN, 0.3, 0.1},
                                            std::vector<double>{0.1, 0.2, INFINITY, 0.3, 0.1}}) {
        for (WeightFunction f : {QuadraticWeight, DigitalWeight}) {
            rows = Chart(data);
            ASSERT_TRUE(OptimisedHalfWidths(rows.data(), 5, 1, 4, 1, f, &widths));
            for (int w : widths)
                EXPECT_TRUE(w >= 1 && w <= 4) << w;
            EXPECT_EQ(SmoothChart(rows.data(), 5, 1, 4, 1, f), 1);
        }
    }
}

TEST(WeightFunctions, Values) {
    EXPECT_EQ(WeightFunctions[0].function(0.5), 0.25);
    EXPECT_EQ(WeightFunctions[1].function(0.5), 1.0);
    EXPECT_EQ(WeightFunctions[1].function(0.4999), 0.0);
    EXPECT_EQ(WeightFunctions[1].function(NAN), 0.0);
}
