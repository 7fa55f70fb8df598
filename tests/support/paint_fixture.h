// A chart block and peak tables built by hand, rendered into an image through the chart pane's
// painters, and helpers to read the pixels back. Rows: viewTop 10 V, range 10 V unless changed,
// so on a pane 100 pixels high a level of v volts lies on row 10 * (10 - v).
#pragma once

#include "viewer/chart_viewer.h"
#include "viewer/max_pyramid.h"
#include "views/peak_view_paint.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

inline const QRgb WHITE = qRgb(255, 255, 255);
inline const QRgb BLACK = qRgb(0, 0, 0);
inline const QRgb RED = qRgb(255, 0, 0);
inline const QRgb BLUE = qRgb(0, 0, 255);
inline const QRgb GREEN = qRgb(0, 200, 0);

struct PaintFixture {
    ChartView view{nullptr};
    ChartPyramids pyramids;

    // n samples of level volts, a blank tail of pad samples and the spare row.
    PaintFixture(int n, int pad, double level) {
        static uint64_t generation = 1000;
        view.chart = std::make_unique<CHARTBLOCK>();
        CHARTBLOCK& c = *view.chart;
        c.sampleCount = n;
        c.paddedCount = n + pad;
        c.scrollCount = n + pad;
        SplSample row;
        row.data = level;
        for (int i = 0; i < n; ++i)
            c.rows.Append(row);
        c.rows.PadColumns(static_cast<size_t>(pad) + 1);
        c.viewTop = 10.0;
        c.range = 10.0;
        c.defaultRange = 10.0;
        c.magnification = 1.0;
        c.generation = ++generation;
        view.peakTable = std::make_unique<std::vector<std::unique_ptr<PeakSet>>>();
        for (int k = 0; k < 2; ++k)
            view.peakTable->push_back(std::make_unique<PeakSet>());
        view.listCount = 2;
    }

    CHARTBLOCK& chart() { return *view.chart; }
    PeakSet& list(int k) { return *(*view.peakTable)[k]; }

    void Mark(int i, int k, double top, double base) {
        RowMark& s = chart().rows.MarkOf(i);
        s.flags |= SAMPLE_HAS_PEAK << k;
        s.top[k] = top;
        s.base[k] = base;
    }
    // The view at magnification mag over a pane w pixels wide.
    void Zoom(double mag, int w, int start = 0) {
        chart().magnification = mag;
        chart().viewWidth = static_cast<int>(w / mag);
        chart().viewStart = start;
    }
    QImage Render(int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintPeakView(painter, view, QRect(0, 0, w, h), pyramids);
        return image;
    }
};

// The rows of column x that carry colour.
inline std::vector<int> RowsOf(const QImage& image, int x, QRgb colour) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) == colour) rows.push_back(y);
    return rows;
}
// The columns of row y that carry colour.
inline std::vector<int> ColumnsOf(const QImage& image, int y, QRgb colour) {
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == colour) columns.push_back(x);
    return columns;
}
inline int CountOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}
