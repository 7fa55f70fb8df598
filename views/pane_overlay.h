// What the chart pane draws over the chart itself: the optional axes with round values along its
// left (volts) and bottom (sample index) edges, the measuring cursors A and B, the readout of the
// pointer's sample, time and level, and the measuring figures. The index pane shows A and B as
// lines over its overview.
#pragma once

#include "viewer/chart_viewer.h"
#include "viewer/measuring.h"

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

struct PaneOverlay {
    bool axes = false;
    std::optional<QPoint> pointer; // while the pointer is over the pane
};

inline const QColor MEASURE_A_COLOR(200, 0, 200);
inline const QColor MEASURE_B_COLOR(230, 120, 0);

void PaintChartOverlay(QPainter& painter, const ChartView& viewer, const QRect& client,
                       const PaneOverlay& overlay);
void PaintIndexMeasureMarks(QPainter& painter, const ChartView& viewer, int width, int height);

// "#1234  t 2468 s  0.1234 V": the sample, its time and the level at pane pixel `at`.
QString PointerReadout(const ChartView& viewer, QPoint at, int paneHeight);
// Two lines: the cursors with Δsamples, Δtime, ΔV; the mean and the extremes between them.
QString MeasureReadout(const Measurement& m);
// The figures between A and B, computed once per placement of the cursors.
std::optional<Measurement> CachedMeasure(const ChartView& viewer);
