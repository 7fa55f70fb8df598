// The chart pane ("peakviewpane", child 1 of the viewer): paints the visible stretch of the chart
// and starts setting a peak on a Ctrl + left click.
#pragma once

#include "viewer/chart_viewer.h"

#include <QWidget>

class ChartViewerWidget;

class ChartPane : public QWidget {
    Q_OBJECT
  public:
    explicit ChartPane(ChartViewerWidget* viewer);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ChartViewerWidget* viewer;
};

// Starts setting a peak at pane pixel (x, y) of a pane paneHeight pixels high: the clicked sample
// and voltage become the base point (the detector, when installed, looks from that sample).
// Refused with a beep while a peak is being set or without data.
void StartSet(ChartView* viewer, int x, int y, int paneHeight);
