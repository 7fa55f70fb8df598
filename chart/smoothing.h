// Smoothing: fills the smoothed column of a chart with a moving average of its data, over a fixed
// window or over a window optimised row by row (narrow where the chart bends, wide where it runs
// straight). Widths are half-widths in rows: half-width w covers the 2w + 1 rows i - w .. i + w.
// Levels are in volts.
#pragma once

#include "chart/chart_store.h"
#include "chart/spl_types.h"

#include <vector>

// Maps 1 - bend / largest bend (0 at the sharpest bend, 1 where the chart runs straight) to the
// share of the range between the minimum and the maximum half-width.
using WeightFunction = double (*)(double);

struct WeightFunctionEntry {
    const char* name; // as shown in the smoothing dialog
    WeightFunction function;
};

inline constexpr int WEIGHT_FUNCTION_COUNT = 2;
// "二次関数" (x * x), then "デジタル" (1 from 0.5 up, else 0).
extern const WeightFunctionEntry WeightFunctions[WEIGHT_FUNCTION_COUNT];
// The function chosen when the smoothing dialog was last accepted; null until then.
extern WeightFunction CurrentWeightFunction;

double QuadraticWeight(double x);
double DigitalWeight(double x); // 0 for NaN

// Computes rows[i].smoothed for every row, changing nothing else. The window is optimised
// between minWidth and maxWidth with weight when all three are nonzero, else fixed at halfWidth.
// Negative widths count as 0. Rows beyond either end count as 0 volts, and a first row outside
// -0.1 .. 20.0 V counts as 0 too (its data is left as it is). Returns 1, or 0 when the work
// memory cannot be had (nothing is changed then).
int SmoothChart(SplSample* rows, int rowCount, int halfWidth, int maxWidth, int minWidth,
                WeightFunction weight);
// The same over a data column of rowCount values, into smoothed (rowCount values).
int SmoothColumn(const double* data, int rowCount, double* smoothed, int halfWidth, int maxWidth,
                 int minWidth, WeightFunction weight);

// The half-width of every row that the optimised window gives (what SmoothChart uses when all of
// maxWidth, minWidth and weight are nonzero). Returns false when the memory cannot be had.
bool OptimisedHalfWidths(const double* data, int rowCount, int halfWidth, int maxWidth,
                         int minWidth, WeightFunction weight, std::vector<int>* widths);
bool OptimisedHalfWidths(const SplSample* rows, int rowCount, int halfWidth, int maxWidth,
                         int minWidth, WeightFunction weight, std::vector<int>* widths);
