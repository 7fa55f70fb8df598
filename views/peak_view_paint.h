// Painting of the chart pane: the data curve (black), the smoothed curve (red), a mark for every
// peak of every list (blue for list 0, green for the others) and, while a peak is being set, the
// guide of the working peak. The painters take a QPainter, so the screen, the tests, the benchmark
// and printing draw the same pixels.
//
// Units: x is a pixel column of the client rectangle, y a pixel row from its top; levels are
// volts; a row of a pane H high shows viewTop - y * range / H.
#pragma once

#include "viewer/chart_viewer.h"
#include "viewer/max_pyramid.h"

#include <QPainter>
#include <QRect>

#include <memory>
#include <vector>

using PeakTable = std::vector<std::unique_ptr<PeakSet>>;

// The whole pane's contents over the background: picks MagnifiedPaint (magnification >= 1) or
// ReducedPaint. Draws nothing without a chart with samples, a peak table and a current list.
void PaintPeakView(QPainter& painter, const ChartView& viewer, const QRect& client,
                   ChartPyramids& pyramids);

// Every visible sample at its own column, trunc(magnification) pixels apart.
void MagnifiedPaint(QPainter& painter, const CHARTBLOCK& chart, const PeakTable& table,
                    int listCount, int peakMode, const QRect& client, int chartMode);

// Each column shows the largest value of its trunc(1 / magnification) samples, from pyramids.
void ReducedPaint(QPainter& painter, const CHARTBLOCK& chart, const PeakTable& table, int listCount,
                  int peakMode, const QRect& client, int chartMode, ChartPyramids& pyramids);

// The mark of the peak of list k at a marked row: a cross at its top and a bar at its base, each
// only when its level lies within the pane's voltages. Logs "DrawPeak: Invalid arguments." when
// the painter, the mark or the rectangle is missing or k is not a list a row carries.
void DrawPeak(QPainter* painter, int x, const CHARTBLOCK& chart, const RowMark* sample, int k,
              const QRect* client);

// The guide line of the working peak through (xc, yc), tilted through (x2, y2) and clipped to the
// pane's top and bottom; yc = -1: the level is outside the pane, no line. Coordinates are whole
// pixels held in doubles, since a far cursor lies well beyond int range at high magnification.
void DrawBarGuide(QPainter& painter, double xc, int yc, double x2, double y2,
                  const CHARTBLOCK& chart, const PeakSet& list, const QRect& client);
// The guide line, then the vertical cursor line when the cursor column is in the pane.
void DrawCrossGuide(QPainter& painter, double xc, int yc, double x2, double y2,
                    const CHARTBLOCK& chart, const PeakSet& list, const QRect& client,
                    bool cursorInPane);
