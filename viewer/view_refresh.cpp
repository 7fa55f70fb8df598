// Refreshing the viewer's panes and the arithmetic of the index pane: the overview's scale
// (MakeIndexImage), the cursor box's size (MakeCursorBox), its placement (PlaceCursorBox), the
// view a dropped box stands for (ApplyCursorBox), the pane layout and the viewer's re-layout.
// The host draws; everything it draws from is decided here.
//
// Units: index-pane pixels for the box and the image, samples and volts for the chart.
#include "chart/run_log.h"
#include "viewer/chart_viewer.h"
#include "viewer/viewer_internal.h"

#include <algorithm>

using namespace viewer_detail;

void RefreshView(ChartView* viewer, int targets) {
    if (!viewer || !CheckChartView(viewer)) {
        LogPrint("RefreshView: Invalid arguments.");
        return;
    }
    if ((targets & REFRESH_INDEX) && HasPanes(viewer)) {
        MakeIndexImage(viewer);
        MakeCursorBox(viewer);
        viewer->Host()->RepaintIndexPane();
        LogPrint("RefreshView: Peak Index has been refreshed.");
    }
    if ((targets & REFRESH_CHART) && viewer->Host()->HasChartPane()) {
        viewer->Host()->RepaintChartPane();
        LogPrint("RefreshView: Peak Image has been refreshed.");
    }
    LogPrint("RefreshView: Requested targets have been refreshed.");
}

int IndexStep(int sampleCount, int paneWidth) {
    if (paneWidth < 1) return 0;
    if (sampleCount < 0) sampleCount = 0;
    int step = sampleCount / paneWidth;
    if (sampleCount % paneWidth != 0) step += 1;
    return step == 0 ? 1 : step;
}

void MakeIndexImage(ChartView* viewer) {
    if (!viewer || !CheckChartView(viewer)) {
        LogPrint("MakeIndexImage: Invalid argument.");
        return;
    }
    if (!viewer->Host()->HasIndexPane()) {
        LogPrint("MakeIndexImage: Peak index has not been opened yet.");
        return;
    }
    CHARTBLOCK* chart = State(viewer).chart.get();
    if (!chart) {
        LogPrint("MakeIndexImage: CHARTBLOCK has not been built yet.");
        return;
    }
    if (chart->paddedCount < 1) {
        LogPrint("MakeIndexImage: No data; No need for draw.");
        return;
    }
    PaneSize pane = viewer->Host()->IndexPaneSize();
    int step = IndexStep(chart->sampleCount, pane.width);
    if (step < 1) {
        // A pane without width shows nothing; the old image, if any, stays.
        LogPrint("MakeIndexImage: Index pane has no width; No need for draw.");
        return;
    }
    int64_t scroll = int64_t{step} * pane.width;
    if (scroll > chart->paddedCount) {
        chart->scrollCount = chart->paddedCount;
        LogPrint("MakeIndexImage: Too few width of chart. Something wrong in SetChart.");
        return;
    }
    chart->scrollCount = static_cast<int>(scroll);
    double maxR = IndexRange(*chart);
    // A chart of zeros only has no height: its curve lies on the bottom row.
    double scale = maxR > 0.0 ? pane.height / maxR : 0.0;
    LogPrintf("MakeIndexImage: Image size has been determined. (%d, %f) / (%d, %d) -> (%d, %f)",
              chart->scrollCount, maxR, pane.width, pane.height, step, scale);
    if (!viewer->Host()->DrawIndexImage(step, scale)) {
        LogPrint("MakeIndexImage: Fail to create bitmap buffer.");
        return;
    }
    LogPrint("MakeIndexImage: Ready to draw.");
    LogPrint("MakeIndexImage: Image has been drawn.");
    State(viewer).index.hasImage = true;
    viewer->Host()->Post(VN_INDEX);
    LogPrint("MakeIndexImage: Index has been made.");
}

void MakeCursorBox(ChartView* viewer) {
    if (!viewer || !CheckChartView(viewer)) {
        LogPrint("MakeCursorBox: Invalid argument.");
        return;
    }
    if (!viewer->Host()->HasChartPane()) {
        LogPrint("MakeCursorBox: View has not been created yet.");
        return;
    }
    if (!viewer->Host()->HasIndexPane()) {
        LogPrint("MakeCursorBox: Index has not been created yet.");
        return;
    }
    PaneSize pane = viewer->Host()->IndexPaneSize();
    IndexPaneState& box = State(viewer).index;
    const CHARTBLOCK* chart = State(viewer).chart.get();
    if (!chart || chart->paddedCount < 1) {
        box.boxWidth = pane.width;
        box.boxHeight = pane.height;
        LogPrint("MakeCursorBox: CHARTBLOCK has not been built yet.");
        return;
    }
    double maxR = IndexRange(*chart);
    // With no height at all (a chart of zeros) the box spans the whole pane.
    int height = maxR > 0.0 ? TruncToInt(pane.height / maxR * chart->range) : pane.height;
    if (height < 3) height = 3;
    if (height > pane.height) {
        LogPrint("MakeCursorBox: Box height exceeds index image size.");
        height = pane.height;
    }
    int width = pane.width;
    if (chart->scrollCount > 0)
        width = ClampToInt(int64_t{pane.width} * chart->viewWidth / chart->scrollCount);
    if (width < 3) width = 3;
    if (width > pane.width) {
        LogPrint("MakeCursorBox: Box width exceeds index image size.");
        width = pane.width;
    }
    box.boxWidth = width;
    box.boxHeight = height;
    viewer->Host()->Post(VN_BOX);
    LogPrint("MakeCursorBox: Box has been resized.");
}

void PlaceCursorBox(ChartView* viewer, int x, int y) {
    if (!CheckChartView(viewer) || !viewer->Host()->HasIndexPane()) return;
    IndexPaneState& box = State(viewer).index;
    PaneSize pane = viewer->Host()->IndexPaneSize();
    // A box without a size is drawn over the whole pane.
    bool sized = box.boxWidth >= 1 && box.boxHeight >= 1;
    int oldWidth = sized ? box.boxWidth : pane.width;
    int oldHeight = sized ? box.boxHeight : pane.height;
    viewer->Host()->InvalidateIndexRect(box.boxLeft, box.boxTop, box.boxLeft + oldWidth,
                                        box.boxTop + oldHeight);
    int left = std::max(x, 0);
    if (int64_t{left} + box.boxWidth > pane.width) left = pane.width - box.boxWidth;
    int top = std::max(y, 0);
    if (int64_t{top} + box.boxHeight > pane.height) top = pane.height - box.boxHeight;
    box.boxLeft = left;
    box.boxTop = top;
    int newWidth = sized ? box.boxWidth : pane.width;
    int newHeight = sized ? box.boxHeight : pane.height;
    viewer->Host()->InvalidateIndexRect(left, top, left + newWidth, top + newHeight);
    viewer->Host()->UpdateIndexPane();
}

void ApplyCursorBox(ChartView* viewer) {
    if (!CheckChartView(viewer) || !State(viewer).chart || !viewer->Host()->HasIndexPane()) return;
    const CHARTBLOCK& chart = *State(viewer).chart;
    const IndexPaneState& box = State(viewer).index;
    PaneSize pane = viewer->Host()->IndexPaneSize();
    if (pane.width < 1 || pane.height < 1) return;
    int start = ClampToInt(int64_t{box.boxLeft} * chart.scrollCount / pane.width);
    double maxR = IndexRange(chart);
    int row = box.boxTop + box.boxHeight >= pane.height ? box.boxTop + box.boxHeight : box.boxTop;
    double top = IndexBaseLevel(chart) + maxR - row * maxR / pane.height;
    SetViewPosition(viewer, start, top);
}

double IndexBaseLevel(const CHARTBLOCK& chart) {
    return chart.minValue < 0.0 ? chart.minValue : 0.0;
}

PaneRects ComputePaneLayout(int width, int height) {
    (void)width;
    if (height < 0) height = 0;
    int chartHeight = (3 * height) / 4;
    return {chartHeight, chartHeight + 1, std::max(0, height - (chartHeight + 1))};
}

void LayoutPanes(ChartView* viewer) {
    if (!CheckChartView(viewer)) return;
    CHARTBLOCK* chart = State(viewer).chart.get();
    if (chart && chart->paddedCount > 0) {
        chart->viewWidth = 0;
        if (viewer->Host()->HasChartPane() && chart->magnification > 0.0)
            chart->viewWidth = std::max(
                0, TruncToInt(viewer->Host()->ChartPaneSize().width / chart->magnification));
    }
    RefreshView(viewer, REFRESH_ALL);
    if (chart && chart->paddedCount >= 1) SetViewPosition(viewer, chart->viewStart, chart->viewTop);
}
