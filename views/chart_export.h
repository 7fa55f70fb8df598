// Pictures of a chart for reports: the chart pane as the screen shows it, optionally with the
// overview below it, written as PNG (pixels), SVG or PDF (vector paths). The curves, peak marks and
// guides come from the same painters as the screen and the printer.
//
// Units: pixels of the picture; one pixel is one point (1/72 inch) in a PDF.
#pragma once

#include "viewer/chart_viewer.h"
#include "viewer/headless_host.h"
#include "viewer/max_pyramid.h"

#include <QPainter>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its suffix (.png, .svg, .pdf, any letter case).
std::optional<PictureFormat> PictureFormatOf(const QString& fileName);

// A picture of a chart pane pane big, with overviewHeight more pixels below it for the overview
// (a separator row, then the overview's border and client area); overviewHeight 0: no overview.
QSize PictureSize(QSize pane, int overviewHeight);

// What the overview below a picture shows: the largest data value of step samples a column at
// scale pixels a volt above base, and the cursor box.
struct OverviewPicture {
    const MaxPyramid* data = nullptr;
    int step = 0;
    double scale = 0.0;
    double base = 0.0; // the level of the overview's bottom row
    IndexPaneState box;
    const ChartView* measured = nullptr; // whose measuring cursors are marked, if any
};

// Paints view on white as its panes show it: the chart pane at the top-left with the measuring
// cursors (and the axes when asked), then, when overviewHeight leaves room for one, the overview
// of the whole chart with the viewer's cursor box.
void PaintChartPicture(QPainter& painter, const ChartView& view, ChartPyramids& pyramids,
                       QSize pane, int overviewHeight, bool axes = false);

// Writes a size picture to fileName in the format of its suffix, drawn by paint, through a
// temporary file and a rename. Returns false (error says why) on failure; the old file then stays.
bool SavePicture(const QString& fileName, QSize size, const std::function<void(QPainter&)>& paint,
                 QString* error);

// What StretchPicture shows.
struct StretchOptions {
    long long from = 0; // first sample
    long long to = -1;  // last sample; below 0: the chart's last
    double range = 0.0; // volts the pane's height spans; 0: the stretch's height
    int width = 0;      // pane width; 0: as wide as the stretch takes, at most DEFAULT_WIDTH
    int height = DEFAULT_HEIGHT;
    int overviewHeight = 0; // 0: no overview
    static constexpr int DEFAULT_WIDTH = 1200;
    static constexpr int DEFAULT_HEIGHT = 400;
};

// A viewer of its own, not on screen, that shows a stretch of a chart: samples from..to at as many
// whole pixels per sample, or as few whole samples per pixel column, as the width allows; columns
// right of the stretch stay blank.
class StretchPicture {
  public:
    StretchPicture() = default;
    StretchPicture(const StretchPicture&) = delete;
    StretchPicture& operator=(const StretchPicture&) = delete;

    // Shows samples options.from .. options.to of rows. The rows must stay as they are until the
    // last Paint (the overview reads them). Returns false (error says why) for an empty chart, a
    // stretch outside it, a range or size that is no use.
    bool Set(const ChartStore& rows, uint32_t flags, const StretchOptions& options, QString* error);
    // The same for rowCount row records (a copy of them is kept).
    bool Set(const SplSample* rows, int rowCount, uint32_t flags, const StretchOptions& options,
             QString* error);
    QSize size() const { return PictureSize(pane, overview); }
    void Paint(QPainter& painter);
    const ChartView& view() const { return model; }

  private:
    HeadlessViewerHost host;
    ChartView model{&host};
    ChartPyramids pyramids;
    MaxPyramid wholeChart;
    ChartStore ownRows; // rows given as records
    OverviewPicture ownOverview;
    QSize pane;
    int overview = 0;
    int columns = -1; // the pane's columns the stretch takes
};
