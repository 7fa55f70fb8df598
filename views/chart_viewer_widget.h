// The "chartviewer" control: a Qt widget holding the chart pane (child 1) above the index pane
// (child 2), with the viewer model (ChartView) it hosts. Model notifications reach the parent
// through the queued signal notify(), in posting order.
#pragma once

#include "viewer/chart_viewer.h"
#include "viewer/max_pyramid.h"

#include <QPointer>
#include <QWidget>

class ChartPane;
class IndexPane;

class ChartViewerWidget : public QWidget, private ViewerHost {
    Q_OBJECT
  public:
    explicit ChartViewerWidget(QWidget* parent = nullptr, int controlId = 101);
    ~ChartViewerWidget() override;

    // The model; every viewer operation takes it first.
    ChartView* view() { return &model; }
    int controlId() const { return id; }
    ChartPane* chartPane() const { return chart; }
    IndexPane* indexPane() const { return index; }
    // Tests and the benchmark pin the desktop width; 0 means the screen's width.
    void setDesktopWidth(int pixels) { desktopWidthOverride = pixels; }
    // Block maxima of the chart shown, shared by both panes' painting.
    ChartPyramids& pyramids() { return pyramidCache; }
    // Axis ticks with values along the chart pane's left and bottom edges.
    bool axesShown() const { return showAxes; }
    void setAxesShown(bool on);

  signals:
    // A VN_* code from the model, delivered queued.
    void notify(int code);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Moves the panes to the layout of the current size and re-lays the model.
    void layoutNow();

    // ViewerHost
    int DesktopWidth() const override;
    bool HasChartPane() const override;
    bool HasIndexPane() const override;
    PaneSize ChartPaneSize() const override;
    PaneSize IndexPaneSize() const override;
    bool DrawIndexImage(int step, double scale) override;
    void RepaintChartPane() override;
    void RepaintIndexPane() override;
    void InvalidateIndexRect(int left, int top, int right, int bottom) override;
    void UpdateIndexPane() override;
    void Post(int code) override;
    void Beep() override;

    ChartView model{this};
    ChartPyramids pyramidCache;
    int id;
    int desktopWidthOverride = 0;
    bool showAxes = false;
    ChartPane* chart = nullptr;
    IndexPane* index = nullptr;
    // A resize arrived while the window was minimised: lay out once it is restored.
    bool layoutPending = false;
    QPointer<QWidget> watchedWindow;
};
