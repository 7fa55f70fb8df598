// A chart in a viewer of its own, rendered into an image through the chart pane's painters, and
// helpers to read the pixels back. Rows: viewTop 10 V, range 10 V unless Zoom says otherwise, so
// on a pane 100 pixels high a level of v volts lies on row 10 * (10 - v).
#pragma once

#include "support/fake_viewer_host.h"
#include "viewer/chart_viewer.h"
#include "viewer/max_pyramid.h"
#include "views/peak_view_paint.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <vector>

inline const QRgb WHITE = qRgb(255, 255, 255);
inline const QRgb BLACK = qRgb(0, 0, 0);
inline const QRgb RED = qRgb(255, 0, 0);
inline const QRgb BLUE = qRgb(0, 0, 255);
inline const QRgb GREEN = qRgb(0, 200, 0);

struct PaintFixture {
    FakeViewerHost host;
    ChartView view{&host};
    ChartPyramids pyramids;
    // The chart's rows and flags until the first Zoom hands them to the viewer.
    ChartStore rows;
    uint32_t flags = 0;

    // n samples of level volts, followed by pad blank samples.
    PaintFixture(int n, int pad, double level) {
        host.desktopWidth = pad;
        SplSample row;
        row.data = level;
        for (int i = 0; i < n; ++i)
            rows.Append(row);
    }
    ~PaintFixture() { FreeViewerData(&view); }

    const CHARTBLOCK& chart() const { return *view.Chart(); }

    // Marks row i as a peak of list k (before the first Zoom).
    void Mark(int i, int k, double top, double base) {
        RowMark& s = rows.MarkOf(i);
        s.flags |= SAMPLE_HAS_PEAK << k;
        s.top[k] = top;
        s.base[k] = base;
    }
    // The view at magnification mag over a pane w pixels wide from sample start; the first call
    // installs the chart.
    void Zoom(double mag, int w, int start = 0, double top = 10.0, double range = 10.0) {
        if (!view.Chart()) {
            ASSERT_EQ(SetChart(&view, std::move(rows), flags, 2), 1);
        }
        PlaceView(&view, mag, start, static_cast<int>(w / mag), range, top);
    }
    // Sets a peak of list k as the keys do, at sample cursor with its top at top volts; in
    // CHART_MODE_BASE then its base at base volts, tilted by tiltSteps coarse steps. A peak being
    // set before is cancelled; the view stays where Zoom put it.
    void Guide(int k, int mode, int cursor, double top, double base = 0.0, int tiltSteps = 0) {
        const CHARTBLOCK& c = chart();
        const double mag = c.magnification, range = c.range, viewTop = c.viewTop;
        const int start = c.viewStart, width = c.viewWidth;
        SetChartMode(&view, CHART_MODE_VIEW, 1, 0, 0, -1, 0.0);
        ASSERT_EQ(SetPeakMode(&view, k), 1);
        ASSERT_EQ(SetChartMode(&view, CHART_MODE_TOP, 0, 0, 0, cursor, top), 1);
        if (mode == CHART_MODE_BASE) {
            ASSERT_EQ(SetChartMode(&view, CHART_MODE_BASE, 0, 0, 0, -1, 0.0), 1);
            AdjustPeak(&view, 19, base); // the base rises from 0 V by base volts
        }
        for (int i = 0; i < tiltSteps; ++i)
            AdjustPeak(&view, 28, 0.0);
        PlaceView(&view, mag, start, width, range, viewTop);
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
