// The measuring cursors A and B: two samples of the chart marked by the user, and what lies
// between them.
#pragma once

#include "viewer/chart_viewer.h"

inline constexpr int MEASURE_A = 0;
inline constexpr int MEASURE_B = 1;

struct Measurement {
    int a = 0, b = 0;     // the two samples
    int dSamples = 0;     // b - a
    double dTime = 0.0;   // Time(S) of b minus that of a
    double dVolts = 0.0;  // data of b minus data of a
    double mean = 0.0;    // of the data from the earlier to the later sample, both included
    double minimum = 0.0; // extremes of the same data
    double maximum = 0.0;
};

// Puts cursor which (MEASURE_A or MEASURE_B) on sample, kept within the chart's samples, and
// repaints both panes. 0 without a chart.
int SetMeasureMark(ChartView* viewer, int which, int sample);
// The sample of cursor which, or -1 when it is not placed.
int GetMeasureMark(const ChartView* viewer, int which);
// Takes both cursors away; 1 when there was one to take.
int ClearMeasureMarks(ChartView* viewer);
// The sample a key places a cursor on: the point being set, else the view's centre sample.
int MeasureKeySample(const ChartView* viewer);
// The figures between A and B; false unless both are placed on the chart.
bool Measure(const ChartView* viewer, Measurement* out);
