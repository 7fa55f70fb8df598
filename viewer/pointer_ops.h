// What the mouse does in the chart pane, as model operations: the sample, time and level under a
// pane pixel, scrolling along the chart, zooming about a pixel, dragging the view, and placing the
// point of the peak being set. Pane pixels count from the chart pane's top-left corner.
#pragma once

#include "viewer/chart_viewer.h"

struct PanePoint {
    int sample = 0;     // sample index under the pixel (may lie in the blank padding)
    int time = 0;       // its Time(S) value; 0 in the padding
    double volts = 0.0; // the level of the pixel's row
};

// Samples per pixel column as the chart pane draws them: 1 / trunc(magnification) when magnified,
// trunc(1 / magnification) when reduced; 0.0 without a usable magnification.
double SamplesPerColumn(const CHARTBLOCK& chart);
// The pane column of a sample (may lie outside the pane).
double ColumnOfSample(const CHARTBLOCK& chart, int sample);

// The point under pane pixel (x, y) of a pane paneHeight pixels high; false without a chart.
bool PointAtPixel(const ChartView* viewer, int x, int y, int paneHeight, PanePoint* out);
// Scrolls along the chart by wheel notches (positive: towards later samples), a tenth of the
// visible width per notch.
int ScrollByNotches(ChartView* viewer, double notches);
// Multiplies the magnification by factor, keeping the sample under pane column x there. The
// model's limits hold (a magnification that would show more samples than the chart has is
// refused with a beep); a zoom that would leave fewer than two samples across the pane is
// refused the same way. Returns the new magnification, 0.0 when refused.
double ZoomAbout(ChartView* viewer, double factor, int x);
// Dragging: the view moves so that the point grabbed at (start, top) follows the pointer moved by
// (dx, dy) pixels. Levels follow only while a fixed range is shown (not the full height).
int DragView(ChartView* viewer, int start, double top, int dx, int dy, int paneHeight,
             bool fixedRange);
// Places the point being set (the base point, or the top) at sample and level, as the cursor keys
// move it: kept within the chart's samples, the guide repainted, VN_ADJUST posted. Beeps (0)
// while no peak is being set.
int PlacePeakPoint(ChartView* viewer, int sample, double level);
