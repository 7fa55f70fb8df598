#include "viewer/max_pyramid.h"

#include "viewer/chart_viewer.h"

#include <algorithm>

namespace {

inline void TakeMax(double& m, double v) {
    if (v > m) m = v;
}

} // namespace

void MaxPyramid::Clear() {
    samples = nullptr;
    count = 0;
    levels.clear();
}

void MaxPyramid::Build(const double* rows, int rowCount) {
    Clear();
    if (!rows || rowCount < 1) return;
    samples = rows;
    count = rowCount;

    // First level straight from the samples, then each level from the one below.
    size_t blocks = (static_cast<size_t>(count) + FAN - 1) / FAN;
    std::vector<double> first(blocks);
    for (size_t b = 0; b < blocks; ++b) {
        int lo = static_cast<int>(b * FAN);
        int hi = std::min(count, lo + FAN);
        double m = Value(lo);
        for (int i = lo + 1; i < hi; ++i)
            TakeMax(m, Value(i));
        first[b] = m;
    }
    levels.push_back(std::move(first));
    while (levels.back().size() > static_cast<size_t>(FAN)) {
        const std::vector<double>& below = levels.back();
        std::vector<double> next((below.size() + FAN - 1) / FAN);
        for (size_t b = 0; b < next.size(); ++b) {
            size_t lo = b * FAN;
            size_t hi = std::min(below.size(), lo + FAN);
            double m = below[lo];
            for (size_t i = lo + 1; i < hi; ++i)
                TakeMax(m, below[i]);
            next[b] = m;
        }
        levels.push_back(std::move(next));
    }
}

double MaxPyramid::MaxAt(int level, int first, int last) const {
    auto at = [&](int i) { return level == 0 ? Value(i) : levels[level - 1][i]; };
    // Whole blocks of the level above, when there are any.
    int blockFirst = (first + FAN - 1) / FAN;
    int blockLast = last / FAN;
    if (level >= static_cast<int>(levels.size()) || blockFirst >= blockLast) {
        double m = at(first);
        for (int i = first + 1; i < last; ++i)
            TakeMax(m, at(i));
        return m;
    }
    double m = MaxAt(level + 1, blockFirst, blockLast);
    for (int i = first; i < blockFirst * FAN; ++i)
        TakeMax(m, at(i));
    for (int i = blockLast * FAN; i < last; ++i)
        TakeMax(m, at(i));
    return m;
}

double MaxPyramid::Max(int first, int last) const {
    first = std::max(first, 0);
    last = std::min(last, count);
    if (first >= last) return 0.0;
    return MaxAt(0, first, last);
}

void ChartPyramids::Update(const CHARTBLOCK& chart) {
    // The columns run over the blank samples: paddedCount + 1 values (none without rows).
    int rows = chart.rows.Data() ? chart.paddedCount + 1 : 0;
    if (rows < 0) rows = 0;
    if (block == &chart && this->rows == chart.rows.Data() && generation == chart.generation &&
        rowCount == rows && flags == chart.flags)
        return;
    block = &chart;
    this->rows = chart.rows.Data();
    generation = chart.generation;
    rowCount = rows;
    flags = chart.flags;
    data.Build(chart.rows.Data(), rows);
    if ((chart.flags & HASSM) && chart.rows.SmoothedColumn())
        smoothed.Build(chart.rows.SmoothedColumn(), rows);
    else
        smoothed.Clear();
}
