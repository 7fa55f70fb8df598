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

constexpr int64_t RESYNC_ROWS = 1024;
constexpr int64_t BLOCK_SHIFT = 6; // prefix-sum blocks of 64 rows
constexpr int64_t BLOCK_MASK = (int64_t{1} << BLOCK_SHIFT) - 1;

// The chart's data as the computation sees it: a first row outside the band counts as 0.
struct DataColumn {
    const double* rows;
    int64_t n;
    double first;
    double operator()(int64_t t) const { return t == 0 ? first : rows[t]; }
};

DataColumn MakeDataColumn(const double* rows, int64_t n) {
    double first = n > 0 ? rows[0] : 0.0;
    if (first < FIRST_ROW_LOW || first > FIRST_ROW_HIGH) first = 0.0;
    return {rows, n, first};
}

struct ArrayColumn {
    const double* values;
    double operator()(int64_t t) const { return values[t]; }
};

// For every row i, with x zero outside 0 .. n-1, calls out(i, sum, moment) where
// sum = x(i-w) + ... + x(i+w) and moment = sum over k of k * x(i+k).
template <bool WantMoment, typename X, typename Out>
void SlideWindow(int64_t n, int64_t w, const X& x, const Out& out) {
    const int64_t resync = std::max<int64_t>(RESYNC_ROWS, 2 * w + 1);
    const double wd = static_cast<double>(w);
    double sum = 0.0, moment = 0.0;
    int64_t untilResync = 0;
    for (int64_t i = 0; i < n; ++i) {
        if (untilResync == 0) {
            untilResync = resync;
            sum = 0.0;
            moment = 0.0;
            int64_t lo = std::max<int64_t>(0, i - w), hi = std::min<int64_t>(n - 1, i + w);
            for (int64_t t = lo; t <= hi; ++t) {
                double v = x(t);
                sum += v;
                if constexpr (WantMoment) moment += static_cast<double>(t - i) * v;
            }
        } else {
            int64_t leaving = i - 1 - w, entering = i + w;
            double xo = leaving >= 0 ? x(leaving) : 0.0;
            double xn = entering < n ? x(entering) : 0.0;
            sum += xn - xo;
            if constexpr (WantMoment) moment += wd * xo + (wd + 1.0) * xn - sum;
        }
        --untilResync;
        out(i, sum, moment);
    }
}

// Prefix sums by blocks, built in place over the values one row at a time (Step(0), Step(1),
// ...): within[j] becomes the sum of the values from j's block start to j; the base of block k
// (the sum of every value before it) is hi + lo.
class BlockedPrefix {
  public:
    bool Start(double* values, int64_t n) {
        const int64_t blocks = (n >> BLOCK_SHIFT) + 1;
        hi_.reset(new (std::nothrow) double[static_cast<size_t>(blocks)]);
        lo_.reset(new (std::nothrow) double[static_cast<size_t>(blocks)]);
        within_ = values;
        return hi_ && lo_;
    }

    void Step(int64_t j) {
        if ((j & BLOCK_MASK) == 0) {
            if (j > 0) AddTwoSum(baseHi_, baseLo_, run_);
            hi_[j >> BLOCK_SHIFT] = baseHi_;
            lo_[j >> BLOCK_SHIFT] = baseLo_;
            run_ = 0.0;
        }
        run_ += within_[j];
        within_[j] = run_;
    }

    // The sum of values a .. b (0 <= a <= b < n).
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
    double* within_ = nullptr;
    double baseHi_ = 0.0, baseLo_ = 0.0, run_ = 0.0;
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

// The optimised window's work: the data copied out of the rows (turned into prefix sums) and the
// slopes. The bends are computed from the slopes twice, once to find the largest and
// once while smoothing, rather than being stored.
class OptimisedWindow {
  public:
    OptimisedWindow(const double* rows, int64_t n, int64_t w, int maxW, int minW, WeightFunction f)
        : rows_(rows), n_(n), w_(w), maxW_(maxW), minW_(minW), f_(f),
          norm_(static_cast<double>(w) * static_cast<double>(w + 1)) {}

    // Copies the data, computes the slopes, finds the largest bend and turns the copied data
    // into prefix sums. False when the memory cannot be had.
    bool Prepare() {
        data_.reset(new (std::nothrow) double[static_cast<size_t>(n_)]);
        slope_.reset(new (std::nothrow) double[static_cast<size_t>(n_)]);
        if (!data_ || !slope_ || !prefix_.Start(data_.get(), n_)) return false;
        const DataColumn column = MakeDataColumn(rows_, n_);
        if (norm_ == 0.0) {
            // w (w + 1) is 0: the slope window is a single row and there is no slope at all.
            for (int64_t i = 0; i < n_; ++i)
                data_[i] = column(i);
            std::fill(slope_.get(), slope_.get() + n_, 0.0);
        } else {
            // The slope pass reads every row at least once: it copies the data as it goes.
            double* data = data_.get();
            auto copying = [&](int64_t t) { return data[t] = column(t); };
            SlideWindow<true>(n_, w_, copying,
                              [&](int64_t i, double, double m) { slope_[i] = m / norm_; });
        }
        largest_ = 0.0;
        ForEachBend([&](int64_t i, double b) {
            if (b > largest_) largest_ = b;
            prefix_.Step(i);
        });
        return true;
    }

    // Calls out(i, half-width) for every row.
    template <typename Out> void ForEachHalfWidth(const Out& out) const {
        ForEachBend(
            [&](int64_t i, double b) { out(i, HalfWidthFromBend(b, largest_, maxW_, minW_, f_)); });
    }

    // The sum of the data of rows a .. b (0 <= a <= b < n), once prepared.
    double Sum(int64_t a, int64_t b) const { return prefix_.Sum(a, b); }

  private:
    template <typename Out> void ForEachBend(const Out& out) const {
        if (norm_ == 0.0) {
            for (int64_t i = 0; i < n_; ++i)
                out(i, 0.0);
            return;
        }
        SlideWindow<true>(n_, w_, ArrayColumn{slope_.get()},
                          [&](int64_t i, double, double m) { out(i, std::fabs(m / norm_)); });
    }

    const double* rows_;
    int64_t n_, w_;
    int maxW_, minW_;
    WeightFunction f_;
    double norm_;
    double largest_ = 0.0;
    std::unique_ptr<double[]> data_, slope_;
    BlockedPrefix prefix_;
};

} // namespace

bool OptimisedHalfWidths(const double* rows, int rowCount, int halfWidth, int maxWidth,
                         int minWidth, WeightFunction weight, std::vector<int>* widths) {
    if (!widths || rowCount < 0 || (rowCount > 0 && !rows) || !weight) return false;
    const int64_t n = rowCount;
    try {
        widths->assign(static_cast<size_t>(n), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (n == 0) return true;
    OptimisedWindow window(rows, n, std::max(halfWidth, 0), std::max(maxWidth, 0),
                           std::max(minWidth, 0), weight);
    if (!window.Prepare()) return false;
    window.ForEachHalfWidth([&](int64_t i, int wi) { (*widths)[static_cast<size_t>(i)] = wi; });
    return true;
}

bool OptimisedHalfWidths(const SplSample* rows, int rowCount, int halfWidth, int maxWidth,
                         int minWidth, WeightFunction weight, std::vector<int>* widths) {
    if (rowCount < 0 || (rowCount > 0 && !rows)) return false;
    std::vector<double> data;
    try {
        data.resize(static_cast<size_t>(rowCount));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int i = 0; i < rowCount; ++i)
        data[static_cast<size_t>(i)] = rows[i].data;
    return OptimisedHalfWidths(data.data(), rowCount, halfWidth, maxWidth, minWidth, weight,
                               widths);
}

int SmoothColumn(const double* rows, int rowCount, double* smoothed, int halfWidth, int maxWidth,
                 int minWidth, WeightFunction weight) {
    if (rowCount <= 0) return 1;
    if (!rows || !smoothed) return 0;
    const int64_t n = rowCount;
    const int64_t w = std::max(halfWidth, 0);
    const int maxW = std::max(maxWidth, 0), minW = std::max(minWidth, 0);

    if (maxW == 0 || minW == 0 || weight == nullptr) {
        const double divisor = 2.0 * static_cast<double>(w) + 1.0;
        SlideWindow<false>(n, w, MakeDataColumn(rows, n),
                           [&](int64_t i, double sum, double) { smoothed[i] = sum / divisor; });
        return 1;
    }

    OptimisedWindow window(rows, n, w, maxW, minW, weight);
    if (!window.Prepare()) return 0;
    window.ForEachHalfWidth([&](int64_t i, int wi) {
        const int64_t a = std::max<int64_t>(0, i - wi), b = std::min<int64_t>(n - 1, i + wi);
        smoothed[i] = window.Sum(a, b) / (2.0 * static_cast<double>(wi) + 1.0);
    });
    return 1;
}

int SmoothChart(SplSample* rows, int rowCount, int halfWidth, int maxWidth, int minWidth,
                WeightFunction weight) {
    if (rowCount <= 0) return 1;
    if (!rows) return 0;
    std::vector<double> data, out;
    try {
        data.resize(static_cast<size_t>(rowCount));
        out.resize(static_cast<size_t>(rowCount));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    for (int i = 0; i < rowCount; ++i)
        data[static_cast<size_t>(i)] = rows[i].data;
    if (!SmoothColumn(data.data(), rowCount, out.data(), halfWidth, maxWidth, minWidth, weight))
        return 0;
    for (int i = 0; i < rowCount; ++i)
        rows[i].smoothed = out[static_cast<size_t>(i)];
    return 1;
}
