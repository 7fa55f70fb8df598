// Block maxima over a column of the chart's samples, so that painters can ask for the largest value
// of any stretch of samples without scanning it. Answers are exact: equal to a plain scan.
#pragma once

#include "chart/spl_types.h"

#include <cstdint>
#include <vector>

struct CHARTBLOCK;

// Which value of a sample a pyramid covers.
enum class SampleColumn { Data, Smoothed };

class MaxPyramid {
  public:
    // Samples per block at the first level, and the fan-in of every level above it.
    static constexpr int FAN = 8;

    // Builds the levels over values[0 .. count-1] of a column. The values must stay alive and
    // unchanged while the pyramid is used; they are read directly at the stretch ends.
    void Build(const double* values, int count);
    void Clear();

    // Largest value among samples [first, last), cut to 0 .. count; 0.0 for an empty stretch.
    double Max(int first, int last) const;
    int Count() const { return count; }
    bool Empty() const { return count == 0; }

  private:
    double Value(int i) const { return samples[i]; }
    // The largest of [first, last) at level (0 = the samples themselves).
    double MaxAt(int level, int first, int last) const;

    const double* samples = nullptr;
    int count = 0;
    // levels[l-1][b] = largest value of the FAN^l samples of block b at level l.
    std::vector<std::vector<double>> levels;
};

// The pyramids of one chart block (data and, when smoothed, the smoothed values), rebuilt only
// when the block or its generation changes.
class ChartPyramids {
  public:
    // Brings both pyramids up to date for chart (all paddedCount + 1 rows are covered).
    void Update(const CHARTBLOCK& chart);
    const MaxPyramid& Data() const { return data; }
    const MaxPyramid& Smoothed() const { return smoothed; }

  private:
    const CHARTBLOCK* block = nullptr;
    const double* rows = nullptr;
    uint64_t generation = 0;
    int rowCount = -1;
    uint32_t flags = 0;
    MaxPyramid data;
    MaxPyramid smoothed;
};
