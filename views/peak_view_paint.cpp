#include "views/peak_view_paint.h"

#include "chart/run_log.h"
#include "views/gdi_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Peak columns a sample carries (top[k], base[k]).
constexpr int SAMPLE_LISTS = 2;
// Peak samples whose marks one column of ReducedPaint draws.
constexpr int MAX_COLUMN_PEAKS = 5;

// Lists whose marks can be drawn: those of the table that a sample has columns for.
int DrawableLists(const PeakTable& table, int listCount) {
    return std::clamp(std::min(listCount, static_cast<int>(table.size())), 0, SAMPLE_LISTS);
}

// The scale is usable: a positive, finite range over the pane.
bool UsableRange(const CHARTBLOCK& chart) {
    return chart.range > 0.0 && std::isfinite(chart.range) && std::isfinite(chart.viewTop);
}

// Saves the painter, moves the origin to the client rectangle and sets the data pen.
class PaneScope {
  public:
    PaneScope(QPainter& painter, const QRect& client) : p(painter) {
        p.save();
        p.setClipRect(client, Qt::IntersectClip);
        p.translate(client.topLeft());
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(DataPen());
        p.setBrush(Qt::NoBrush);
    }
    ~PaneScope() { p.restore(); }

  private:
    QPainter& p;
};

// Marks of one peak sample: the other lists in increasing order, then the current one on top.
void DrawSampleMarks(QPainter& painter, int x, const CHARTBLOCK& chart, const RowMark& sample,
                     int lists, int peakMode, const QRect& client) {
    for (int k = 0; k < lists; ++k) {
        if (k == peakMode) continue;
        if (sample.flags & (SAMPLE_HAS_PEAK << k))
            DrawPeak(&painter, x, chart, &sample, k, &client);
    }
    if (peakMode >= 0 && peakMode < lists && (sample.flags & (SAMPLE_HAS_PEAK << peakMode)))
        DrawPeak(&painter, x, chart, &sample, peakMode, &client);
}

// Row of a guide level, or -1 when it lies outside the pane's voltages.
int GuideRow(const CHARTBLOCK& chart, double level, int h) {
    double d = chart.viewTop - level;
    if (0.0 <= d && d < chart.range) return PixelOf(h * d / chart.range);
    return -1;
}

double GuideLevel(const PeakSet& list, int chartMode) {
    return chartMode == CHART_MODE_BASE ? list.baseLevel : list.topLevel;
}

// Draws the guide of the working peak with its list's pen; rise is the guide's rise in volts
// from xc to x2.
void DrawGuide(QPainter& painter, const CHARTBLOCK& chart, const PeakSet& list, int peakMode,
               int chartMode, const QRect& local, double xc, double x2, double rise,
               bool cursorInPane) {
    double level = GuideLevel(list, chartMode);
    int h = local.height();
    int yc = GuideRow(chart, level, h);
    double y2 = std::trunc(h * (chart.viewTop - (rise + level)) / chart.range);
    const QPen previous = painter.pen();
    painter.setPen(ListPen(peakMode));
    if (chartMode == CHART_MODE_BASE)
        DrawBarGuide(painter, xc, yc, x2, y2, chart, list, local);
    else if (chartMode == CHART_MODE_TOP)
        DrawCrossGuide(painter, xc, yc, x2, y2, chart, list, local, cursorInPane);
    painter.setPen(previous);
}

// One end of the tilted guide at column x, moved along the line onto row 0 or row h when it
// falls above or below the pane.
QPoint GuideEnd(double x, double xc, double yc, double s, int h) {
    double y = std::trunc(yc + (x - xc) * s);
    if (y < 0) {
        y = 0;
        x = std::trunc(xc - yc / s);
    } else if (y > h) {
        y = h;
        x = std::trunc(xc + (h - yc) / s);
    }
    return QPoint(PixelOf(x), PixelOf(y));
}

} // namespace

void PaintPeakView(QPainter& painter, const ChartView& viewer, const QRect& client,
                   ChartPyramids& pyramids) {
    const CHARTBLOCK* chart = viewer.Chart();
    if (!chart || chart->sampleCount < 1 || !viewer.PeakTables()) return;
    const PeakTable& table = *viewer.PeakTables();
    if (viewer.PeakMode() < 0 || viewer.PeakMode() >= static_cast<int>(table.size()) ||
        !table[viewer.PeakMode()])
        return;
    if (chart->magnification < 1.0)
        ReducedPaint(painter, *chart, table, viewer.ListCount(), viewer.PeakMode(), client,
                     viewer.ChartMode(), pyramids);
    else
        MagnifiedPaint(painter, *chart, table, viewer.ListCount(), viewer.PeakMode(), client,
                       viewer.ChartMode());
}

void MagnifiedPaint(QPainter& painter, const CHARTBLOCK& chart, const PeakTable& table,
                    int listCount, int peakMode, const QRect& client, int chartMode) {
    LogPrintf("MagnifiedPaint: %d->%d", chart.viewStart, chart.viewWidth);
    if (!UsableRange(chart) || !std::isfinite(chart.magnification)) return;
    PaneScope scope(painter, client);
    LinePen pen(painter);
    const int w = client.width();
    const int h = client.height();
    const QRect local(0, 0, w, h);
    const int lists = DrawableLists(table, listCount);
    const bool smoothed = chart.flags & HASSM;
    const QPen& dataPen = DataPen();
    const QPen& redPen = SmoothedPen();
    const int64_t pps = static_cast<int64_t>(std::min(chart.magnification, 1e9));

    // Samples viewStart .. viewStart + viewWidth, both included, as far as the block holds rows.
    const int64_t rows = chart.rows.Data() ? int64_t{chart.paddedCount} + 1 : 0;
    const double* data = chart.rows.Data();
    const double* smoothedColumn = chart.rows.SmoothedColumn();
    const std::vector<RowMark>& marks = chart.rows.Marks();
    const int64_t first = std::max<int64_t>(chart.viewStart, 0);
    const int64_t last = std::min<int64_t>(int64_t{chart.viewStart} + chart.viewWidth, rows - 1);

    int64_t x = (first - chart.viewStart) * pps;
    int xPrev = 0, yPrev = h, ySmPrev = h;
    auto mark =
        std::lower_bound(marks.begin(), marks.end(), first,
                         [](const RowMark& m, int64_t row) { return int64_t{m.row} < row; });
    for (int64_t i = first; i <= last; ++i) {
        const double value = data[i];
        pen.MoveTo(xPrev, yPrev);
        double d = chart.viewTop - value;
        int r = std::rand();
        if (w > 0 && r % w < 2)
            LogPrintf("MagnifiedPaint: %d(%d), %E", static_cast<int>(i), static_cast<int>(x),
                      value);
        d = std::clamp(d, 0.0, chart.range);
        int y = PixelOf(d / chart.range * h);
        if (x > w) x = w;
        const int xi = static_cast<int>(x);
        if (xi != 0) pen.LineTo(xi, y);
        int ySm = ySmPrev;
        if (smoothed) {
            pen.MoveTo(xPrev, ySmPrev);
            const double sm = smoothedColumn ? smoothedColumn[i] : 0.0;
            double dSm = std::clamp(chart.viewTop - sm, 0.0, chart.range);
            ySm = PixelOf(dSm / chart.range * h);
            if (xi != 0) {
                painter.setPen(redPen);
                pen.LineTo(xi, ySm);
                painter.setPen(dataPen);
            }
        }
        while (mark != marks.end() && mark->row < i)
            ++mark;
        if (mark != marks.end() && mark->row == i && (mark->flags & SAMPLE_PEAK_BITS))
            DrawSampleMarks(painter, xi, chart, *mark, lists, peakMode, local);
        yPrev = y;
        ySmPrev = ySm;
        xPrev = xi;
        x += pps;
    }

    if (chartMode == CHART_MODE_VIEW) return;
    const PeakSet& list = *table[peakMode];
    double xc = static_cast<double>(int64_t{list.cursor} - chart.viewStart) * pps;
    double x2 = xc + 100.0 * pps;
    DrawGuide(painter, chart, list, peakMode, chartMode, local, xc, x2, std::tan(list.tilt) * 100,
              0 <= xc && xc < w);
}

void ReducedPaint(QPainter& painter, const CHARTBLOCK& chart, const PeakTable& table, int listCount,
                  int peakMode, const QRect& client, int chartMode, ChartPyramids& pyramids) {
    LogPrintf("ReducedPaint: %d->%d", chart.viewStart, chart.viewWidth);
    if (chart.viewStart < 0) return;
    if (!UsableRange(chart) || !(chart.magnification > 0.0)) return;
    const int64_t rows = chart.rows.Data() ? int64_t{chart.paddedCount} + 1 : 0;
    if (chart.viewStart >= rows) return;
    const double* data = chart.rows.Data();
    const double* smoothedColumn = chart.rows.SmoothedColumn();
    const std::vector<RowMark>& marks = chart.rows.Marks();
    pyramids.Update(chart);

    PaneScope scope(painter, client);
    LinePen pen(painter);
    const int w = client.width();
    const int h = client.height();
    const QRect local(0, 0, w, h);
    const int lists = DrawableLists(table, listCount);
    const bool smoothed = chart.flags & HASSM;
    const QPen& dataPen = DataPen();
    const QPen& redPen = SmoothedPen();
    const int64_t spp = static_cast<int64_t>(std::min(1.0 / chart.magnification, 1e15));
    // The samples the view scrolls over, never past the block's rows.
    const int64_t scrollEnd = std::clamp<int64_t>(chart.scrollCount, 0, rows);
    const PeakSet& list = *table[peakMode];
    const bool setting = chartMode != CHART_MODE_VIEW;

    int cursorCol = -1;
    int xPrev = 0, yPrev = h, ySmPrev = h;
    int64_t i = chart.viewStart;
    const RowMark* collected[MAX_COLUMN_PEAKS];
    for (int x = 0; x < w; ++x) {
        const int64_t end = i + spp;
        const int64_t stop = std::min(end, scrollEnd);
        const size_t row = static_cast<size_t>(std::min(i, rows - 1));
        double v = data[row];
        double sm = smoothed && smoothedColumn ? smoothedColumn[row] : 0.0;
        int count = 0;
        if (i < stop) {
            const int a = static_cast<int>(i), b = static_cast<int>(stop);
            v = std::max(v, pyramids.Data().Max(a, b));
            if (smoothed) sm = std::max(sm, pyramids.Smoothed().Max(a, b));
            auto it = std::lower_bound(marks.begin(), marks.end(), a,
                                       [](const RowMark& m, int row) { return m.row < row; });
            for (; it != marks.end() && it->row < b; ++it) {
                if (!(it->flags & SAMPLE_PEAK_BITS)) continue;
                if (count < MAX_COLUMN_PEAKS)
                    collected[count++] = &*it;
                else
                    LogPrint("ReducedPaint: Too many peaks");
            }
            if (setting && a <= list.cursor && list.cursor < b) cursorCol = x;
            i = stop;
        }

        double d = std::clamp(chart.viewTop - v, 0.0, chart.range);
        pen.MoveTo(xPrev, yPrev);
        int y = PixelOf(h * d / chart.range);
        if (x != 0) pen.LineTo(x, y);
        int ySm = ySmPrev;
        if (smoothed) {
            double dSm = std::clamp(chart.viewTop - sm, 0.0, chart.range);
            painter.setPen(redPen);
            pen.MoveTo(x, ySmPrev);
            ySm = PixelOf(h * dSm / chart.range);
            if (x != 0) pen.LineTo(x, ySm);
            painter.setPen(dataPen);
        }
        for (int c = count - 1; c >= 0; --c)
            DrawSampleMarks(painter, x, chart, *collected[c], lists, peakMode, local);
        yPrev = y;
        ySmPrev = ySm;
        xPrev = x;
    }

    if (!setting || cursorCol < 0) return;
    DrawGuide(painter, chart, list, peakMode, chartMode, local, cursorCol, cursorCol + 100.0,
              std::tan(list.tilt) * 100 * static_cast<double>(spp), true);
}

void DrawPeak(QPainter* painter, int x, const CHARTBLOCK& chart, const RowMark* sample, int k,
              const QRect* client) {
    if (!painter || !sample || !client || k < 0 || k >= SAMPLE_LISTS) {
        LogPrint("DrawPeak: Invalid arguments.");
        return;
    }
    if (!UsableRange(chart)) return;
    const int w = client->width();
    const int h = client->height();
    const int xl = std::max(x - 13, 0);
    const int xr = std::min(x + 14, w);
    // The strokes share one pen; one call draws them in order. Each leaves out its end pixel.
    QLine strokes[3];
    int count = 0;
    auto add = [&](int x0, int y0, int x1, int y1) {
        if (x0 != x1 || y0 != y1) strokes[count++] = QLine(x0, y0, x1, y1);
    };
    double d = chart.viewTop - sample->top[k];
    if (0.0 <= d && d < chart.range) {
        int yt = PixelOf(h * d / chart.range);
        add(x, std::max(yt - 11, 0), x, std::min(yt + 12, h));
        add(xl, yt, xr, yt);
    }
    d = chart.viewTop - sample->base[k];
    if (0.0 <= d && d < chart.range) {
        int yb = PixelOf(h * d / chart.range);
        add(xl, yb, xr, yb);
    }
    if (count == 0) return;
    const QPen previous = painter->pen();
    painter->setPen(ListPen(k));
    painter->drawLines(strokes, count);
    painter->setPen(previous);
}

void DrawBarGuide(QPainter& painter, double xc, int yc, double x2, double y2,
                  const CHARTBLOCK& chart, const PeakSet& list, const QRect& client) {
    (void)chart;
    if (yc == -1) return;
    const int w = client.width();
    const int h = client.height();
    LinePen pen(painter);
    if (list.tilt == 0.0) {
        pen.Line(0, yc, w, yc);
        return;
    }
    if (x2 == xc) return;
    const double s = (y2 - yc) / (x2 - xc);
    QPoint left = GuideEnd(0, xc, yc, s, h);
    QPoint right = GuideEnd(w, xc, yc, s, h);
    pen.Line(left.x(), left.y(), right.x(), right.y());
}

void DrawCrossGuide(QPainter& painter, double xc, int yc, double x2, double y2,
                    const CHARTBLOCK& chart, const PeakSet& list, const QRect& client,
                    bool cursorInPane) {
    DrawBarGuide(painter, xc, yc, x2, y2, chart, list, client);
    if (cursorInPane) LinePen(painter).Line(PixelOf(xc), 0, PixelOf(xc), client.height());
}
