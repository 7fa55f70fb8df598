// The index pane's pictures: the overview image of the whole chart (black curve on white) and the
// red cursor box over it. Units: pixels of the index pane's client area; levels in volts.
#pragma once

#include "viewer/chart_viewer.h"
#include "viewer/max_pyramid.h"

#include <QImage>
#include <QPainter>

// A w x h overview: column x shows the largest data value v of samples x*step .. x*step+step-1
// (from the pyramid) at row h - trunc(scale * v), joined from (0, h). A null image when w or h is
// below 1.
QImage DrawIndexOverview(const MaxPyramid& data, int step, double scale, int w, int h);
// The overview's curve alone, in the data pen, onto any painter (pictures, vector files).
void PaintIndexOverview(QPainter& painter, const MaxPyramid& data, int step, double scale, int w,
                        int h);

// The box's rectangle: the stored one, or the whole w x h pane while no size is set.
QRect CursorBoxRect(const IndexPaneState& state, int w, int h);
// Outlines exactly the border pixels of the box in red.
void PaintCursorBox(QPainter& painter, const IndexPaneState& state, int w, int h);
