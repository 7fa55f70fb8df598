// Smoothing in time linear in the row count, whatever the window.
//
// Fixed-width window sums (the data's moving sum, the slope's and the bend's first moments) slide
// along the rows: each step adds the row entering the window and drops the row leaving it. So that
// rounding cannot build up over millions of steps (a stretch of 20 V followed by a stretch of
// microvolts), the sums are recomputed directly every few thousand rows.
//
// Variable-width windows (the optimised case) take differences of prefix sums. The prefix sums are
// kept per block of rows, with the blocks' bases summed in double-double precision, so that a
// window sum differs from one added up directly by no more than rounding over a block (below a
// picovolt for charts within 20 V).
#include "chart/smoothing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>

const WeightFunctionEntry WeightFunctions[WEIGHT_FUNCTION_COUNT] = {
    {"二次関数", QuadraticWeight},
    {"デジタル", DigitalWeight},
};

WeightFunction CurrentWeightFunction = nullptr;

double QuadraticWeight(double x) {
    return x * x;
}

double DigitalWeight(double x) {
    return x >= 0.5 ? 1.0 : 0.0;
}

namespace {

constexpr double FIRST_ROW_LOW = -0.1;
constexpr double FIRST_ROW_HIGH = 20.0;
constexpr int64_t RESYNC_ROWS = 1024;
constexpr int64_t BLOCK_SHIFT = 6; // prefix-sum blocks of 64 rows

// The chart's data as the computation sees it: a first row outside the band counts as 0.
struct DataColumn {
    const SplSample* rows;
    int64_t n;
    double first;
    double operator()(int64_t t) const { return t == 0 ? first : rows[t].data; }
};

DataColumn MakeDataColumn(const SplSample* rows, int64_t n) {
    double first = n > 0 ? rows[0].data : 0.0;
    if (first < FIRST_ROW_LOW || first > FIRST_ROW_HIGH) first = 0.0;
    return {rows, n, first};
}

struct ArrayColumn {
    const double* values;
    double operator()(int64_t t) const { return values[t]; }
};

// For every row i, with x zero outside 0 .. n-1, calls out(i, sum, moment) where
// sum = x(i-w) + ... + x(i+w) and moment = sum over k of k * x(i+k).
template <typename X, typename Out>
void SlideWindow(int64_t n, int64_t w, const X& x, bool wantMoment, const Out& out) {
    const int64_t resync = std::max<int64_t>(RESYNC_ROWS, 2 * w + 1);
    const double wd = static_cast<double>(w);
    double sum = 0.0, moment = 0.0;
    for (int64_t i = 0; i < n; ++i) {
        if (i % resync == 0) {
            sum = 0.0;
            moment = 0.0;
            int64_t lo = std::max<int64_t>(0, i - w), hi = std::min<int64_t>(n - 1, i + w);
            for (int64_t t = lo; t <= hi; ++t) {
                double v = x(t);
                sum += v;
                if (wantMoment) moment += static_cast<double>(t - i) * v;
            }
        } else {
            int64_t leaving = i - 1 - w, entering = i + w;
            double xo = leaving >= 0 ? x(leaving) : 0.0;
            double xn = entering < n ? x(entering) : 0.0;
            sum += xn - xo;
            if (wantMoment) moment += wd * xo + (wd + 1.0) * xn - sum;
        }
        out(i, sum, moment);
    }
}

// Prefix sums by blocks: within(j) is the sum of the rows from j's block start to j; the base of
// block k (the sum of every row before it) is held as hi + lo.
class BlockedPrefix {
  public:
    // within must hold n doubles.
    bool Build(const DataColumn& x, double* within) {
        const int64_t n = x.n;
        const int64_t blocks = (n >> BLOCK_SHIFT) + 1;
        hi_.reset(new (std::nothrow) double[static_cast<size_t>(blocks)]);
        lo_.reset(new (std::nothrow) double[static_cast<size_t>(blocks)]);
        if (!hi_ || !lo_) return false;
        within_ = within;
        double baseHi = 0.0, baseLo = 0.0, run = 0.0;
        for (int64_t j = 0; j < n; ++j) {
            if ((j & ((int64_t{1} << BLOCK_SHIFT) - 1)) == 0) {
                if (j > 0) AddTwoSum(baseHi, baseLo, run);
                hi_[j >> BLOCK_SHIFT] = baseHi;
                lo_[j >> BLOCK_SHIFT] = baseLo;
                run = 0.0;
            }
            run += x(j);
            within[j] = run;
        }
        return true;
    }

    // The sum of rows a .. b (0 <= a <= b < n).
    double Sum(int64_t a, int64_t b) const {
        int64_t kb = b >> BLOCK_SHIFT;
        if (a == 0) return (hi_[kb] + lo_[kb]) + within_[b];
        int64_t ka = (a - 1) >> BLOCK_SHIFT;
        if (ka == kb) return within_[b] - within_[a - 1];
        return ((hi_[kb] - hi_[ka]) + (lo_[kb] - lo_[ka])) + (within_[b] - within_[a - 1]);
    }

  private:
    static void AddTwoSum(double& hi, double& lo, double x) {
        double t = hi + x;
        lo += std::fabs(hi) >= std::fabs(x) ? (hi - t) + x : (x - t) + hi;
        hi = t;
    }

    std::unique_ptr<double[]> hi_, lo_;
    const double* within_ = nullptr;
};

// Half-width from a row's bend, the largest bend and the limits; never negative, never NaN.
int HalfWidthFromBend(double bend, double largest, int maxW, int minW, WeightFunction f) {
    // With no bend anywhere (a straight chart, or a zero-width slope window) every row is
    // straight and gets the maximum.
    double share = largest > 0.0 ? f(1.0 - bend / largest) : f(1.0);
    double w = share * (static_cast<double>(maxW) - minW) + minW;
    if (!(w >= 0.0)) return minW; // NaN from a chart holding NaN or infinite data
    if (w > std::numeric_limits<int>::max() / 4) return std::numeric_limits<int>::max() / 4;
    return static_cast<int>(w);
}

// Fills bend[] for every row and returns the largest bend; slope[] is work space.
double ComputeBend(const DataColumn& data, int64_t w, double* slope, double* bend) {
    const int64_t n = data.n;
    // w (w + 1); with w = 0 the slope window is a single row and there is no slope at all.
    const double norm = static_cast<double>(w) * static_cast<double>(w + 1);
    if (norm == 0.0) {
        std::fill(bend, bend + n, 0.0);
        return 0.0;
    }
    SlideWindow(n, w, data, true, [&](int64_t i, double, double m) { slope[i] = m / norm; });
    double largest = 0.0;
    SlideWindow(n, w, ArrayColumn{slope}, true, [&](int64_t i, double, double m) {
        double b = std::fabs(m / norm);
        bend[i] = b;
        if (b > largest) largest = b;
    });
    return largest;
}

struct WorkArrays {
    std::unique_ptr<double[]> slope, bend;
    bool Allocate(int64_t n) {
        slope.reset(new (std::nothrow) double[static_cast<size_t>(n)]);
        bend.reset(new (std::nothrow) double[static_cast<size_t>(n)]);
        return slope && bend;
    }
};

} // namespace

bool OptimisedHalfWidths(const SplSample* rows, int rowCount, int halfWidth, int maxWidth,
                         int minWidth, WeightFunction weight, std::vector<int>* widths) {
    if (!widths || rowCount < 0 || (rowCount > 0 && !rows) || !weight) return false;
    const int64_t n = rowCount;
    WorkArrays work;
    if (n > 0 && !work.Allocate(n)) return false;
    try {
        widths->assign(static_cast<size_t>(n), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    DataColumn data = MakeDataColumn(rows, n);
    int maxW = std::max(maxWidth, 0), minW = std::max(minWidth, 0);
    double largest = ComputeBend(data, std::max(halfWidth, 0), work.slope.get(), work.bend.get());
    for (int64_t i = 0; i < n; ++i)
        (*widths)[static_cast<size_t>(i)] =
            HalfWidthFromBend(work.bend[i], largest, maxW, minW, weight);
    return true;
}

int SmoothChart(SplSample* rows, int rowCount, int halfWidth, int maxWidth, int minWidth,
                WeightFunction weight) {
    if (rowCount <= 0) return 1;
    if (!rows) return 0;
    const int64_t n = rowCount;
    const DataColumn data = MakeDataColumn(rows, n);
    const int64_t w = std::max(halfWidth, 0);
    const int maxW = std::max(maxWidth, 0), minW = std::max(minWidth, 0);

    if (maxW == 0 || minW == 0 || weight == nullptr) {
        const double divisor = 2.0 * static_cast<double>(w) + 1.0;
        SlideWindow(n, w, data, false,
                    [&](int64_t i, double sum, double) { rows[i].smoothed = sum / divisor; });
        return 1;
    }

    WorkArrays work;
    if (!work.Allocate(n)) return 0;
    const double largest = ComputeBend(data, w, work.slope.get(), work.bend.get());
    // The slopes are no longer needed: their array takes the prefix sums.
    BlockedPrefix prefix;
    if (!prefix.Build(data, work.slope.get())) return 0;
    for (int64_t i = 0; i < n; ++i) {
        const int64_t wi = HalfWidthFromBend(work.bend[i], largest, maxW, minW, weight);
        const int64_t a = std::max<int64_t>(0, i - wi), b = std::min<int64_t>(n - 1, i + wi);
        rows[i].smoothed = prefix.Sum(a, b) / (2.0 * static_cast<double>(wi) + 1.0);
    }
    return 1;
}
