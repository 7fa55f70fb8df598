// The narrow interface between the viewer model and its window. The Qt viewer widget implements
// it; tests fake it. Sizes are client sizes in pixels.
#pragma once

struct PaneSize {
    int width = 0;
    int height = 0;
};

class ViewerHost {
  public:
    virtual ~ViewerHost() = default;

    // Width of the desktop (the screen the window is on), pixels.
    virtual int DesktopWidth() const = 0;
    virtual bool HasChartPane() const = 0;
    virtual bool HasIndexPane() const = 0;
    virtual PaneSize ChartPaneSize() const = 0;
    virtual PaneSize IndexPaneSize() const = 0;

    // Draws the overview into a fresh off-screen image of the index pane's size: column x shows
    // the largest data value of samples x*step .. x*step+step-1, at row H - trunc(scale * v).
    // Returns false when no image could be made (the old one stays).
    virtual bool DrawIndexImage(int step, double scale) = 0;
    // Invalidate the whole pane and repaint it now.
    virtual void RepaintChartPane() = 0;
    virtual void RepaintIndexPane() = 0;
    // Invalidate a rectangle of the index pane (right and bottom exclusive); UpdateIndexPane
    // repaints what is invalid now.
    virtual void InvalidateIndexRect(int left, int top, int right, int bottom) = 0;
    virtual void UpdateIndexPane() = 0;

    // Queue a VN_* code to the viewer's parent; delivered after the current operation returns,
    // in posting order.
    virtual void Post(int code) = 0;
    // The exclamation beep.
    virtual void Beep() = 0;
};
