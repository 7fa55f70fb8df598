// The chart pane ("peakviewpane", child 1 of the viewer): paints the visible stretch of the chart
// and starts setting a peak on a Ctrl + left click. The mouse also works the view: the wheel
// scrolls along the chart, Ctrl + wheel zooms about the pointer, a left drag pans; while a peak is
// being set a left click or drag places the point being set. Shift + left click places the
// measuring cursor A, Shift + right click B. The pointer's sample, time and level show while it
// is over the pane.
#pragma once

#include "viewer/chart_viewer.h"

#include <QWidget>

#include <optional>

class ChartViewerWidget;

class ChartPane : public QWidget {
    Q_OBJECT
  public:
    explicit ChartPane(ChartViewerWidget* viewer);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void PlacePointAt(QPoint at);

    ChartViewerWidget* viewer;
    std::optional<QPoint> pointer; // while the pointer is over the pane
    // A left drag that pans: where it started and the view at that moment.
    bool dragging = false;
    QPoint dragFrom;
    int dragStart = 0;
    double dragTop = 0.0;
    bool placing = false; // a left drag that places the point being set
    int wheelRest = 0;    // wheel angle not yet turned into whole notches
};

// Starts setting a peak at pane pixel (x, y) of a pane paneHeight pixels high: the clicked sample
// and voltage become the base point (the detector, when installed, looks from that sample).
// Refused with a beep while a peak is being set or without data.
void StartSet(ChartView* viewer, int x, int y, int paneHeight);
