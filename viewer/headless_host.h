// A window for the viewer model that draws nothing: for batch tools and benchmarks. With no panes
// (the default) the model adds no blank samples and keeps no view; with panes it behaves as a
// viewer of those sizes whose pictures are never made.
#pragma once

#include "viewer/viewer_host.h"

class HeadlessViewerHost : public ViewerHost {
  public:
    HeadlessViewerHost() = default;
    HeadlessViewerHost(int desktopWidth, PaneSize chartPane, PaneSize indexPane)
        : desktop(desktopWidth), chartPane(chartPane), indexPane(indexPane), panes(true) {}

    int DesktopWidth() const override { return desktop; }
    bool HasChartPane() const override { return panes; }
    bool HasIndexPane() const override { return panes; }
    PaneSize ChartPaneSize() const override { return chartPane; }
    PaneSize IndexPaneSize() const override { return indexPane; }
    bool DrawIndexImage(int, double) override { return panes; }
    void RepaintChartPane() override {}
    void RepaintIndexPane() override {}
    void InvalidateIndexRect(int, int, int, int) override {}
    void UpdateIndexPane() override {}
    void Post(int) override {}
    void Beep() override {}

  private:
    int desktop = 0;
    PaneSize chartPane;
    PaneSize indexPane;
    bool panes = false;
};
