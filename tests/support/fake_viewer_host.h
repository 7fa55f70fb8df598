// A ViewerHost for tests: fixed sizes that a test may change, and a record of everything the
// model asked of its window (posted codes, beeps, repaints, index images, box rectangles).
#pragma once

#include "viewer/viewer_host.h"

#include <vector>

class FakeViewerHost : public ViewerHost {
  public:
    struct DrawCall {
        int step;
        double scale;
        bool operator==(const DrawCall&) const = default;
    };
    struct Rect {
        int left, top, right, bottom;
        bool operator==(const Rect&) const = default;
    };

    int desktopWidth = 1024;
    PaneSize chartPane{800, 300};
    PaneSize indexPane{400, 100};
    bool drawSucceeds = true; // DrawIndexImage's answer

    std::vector<int> posted;
    int beeps = 0;
    int chartRepaints = 0;
    int indexRepaints = 0;
    int indexUpdates = 0;
    std::vector<DrawCall> draws;
    std::vector<Rect> invalidated;

    // Forgets every record (the sizes stay).
    void ClearRecords() {
        posted.clear();
        beeps = chartRepaints = indexRepaints = indexUpdates = 0;
        draws.clear();
        invalidated.clear();
    }

    int DesktopWidth() const override { return desktopWidth; }
    bool HasChartPane() const override { return true; }
    bool HasIndexPane() const override { return true; }
    PaneSize ChartPaneSize() const override { return chartPane; }
    PaneSize IndexPaneSize() const override { return indexPane; }
    bool DrawIndexImage(int step, double scale) override {
        draws.push_back({step, scale});
        return drawSucceeds;
    }
    void RepaintChartPane() override { ++chartRepaints; }
    void RepaintIndexPane() override { ++indexRepaints; }
    void InvalidateIndexRect(int left, int top, int right, int bottom) override {
        invalidated.push_back({left, top, right, bottom});
    }
    void UpdateIndexPane() override { ++indexUpdates; }
    void Post(int code) override { posted.push_back(code); }
    void Beep() override { ++beeps; }
};
