// ReducedPaint reads stretch maxima and peak samples from indexes; this plain painter scans
// every sample of every column, as the pane was first drawn, and the two must agree pixel for
// pixel. A column draws the marks of five peak samples at most and logs the others.
#include "support/log_capture.h"
#include "support/paint_fixture.h"
#include "views/gdi_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Counts in *dropped the peak samples a column has no room for.
void ScanPaint(QPainter& p, const CHARTBLOCK& c, const PeakTable& table, int peakMode, int w, int h,
               int chartMode, int* dropped) {
    p.setPen(ThinPen(PEN_DATA));
    LinePen pen(p);
    const int spp = static_cast<int>(1.0 / c.magnification);
    const bool hasSm = c.flags & HASSM;
    const PeakSet& list = *table[peakMode];
    int cursorCol = -1, xPrev = 0, yPrev = h, ySmPrev = h;
    int i = c.viewStart;
    QRect rect(0, 0, w, h);
    for (int x = 0; x < w; ++x) {
        int end = i + spp;
        const double* data = c.rows.Data();
        const double* smoothed = c.rows.SmoothedColumn();
        double v = data[i], sm = hasSm ? smoothed[i] : 0.0;
        std::vector<int> peaks;
        while (i < end && i < c.scrollCount) {
            const RowMark* s = c.rows.FindMark(i);
            if (s && (s->flags & 0xFFFF0000u)) {
                *dropped += peaks.size() >= 5;
                if (peaks.size() < 5) peaks.push_back(i);
            }
            v = std::max(v, data[i]);
            if (hasSm) sm = std::max(sm, smoothed[i]);
            if (chartMode && i == list.cursor) cursorCol = x;
            ++i;
        }
        double d = std::clamp(c.viewTop - v, 0.0, c.range);
        pen.MoveTo(xPrev, yPrev);
        int y = static_cast<int>(h * d / c.range);
        if (x) pen.LineTo(x, y);
        int ySm = ySmPrev;
        if (hasSm) {
            double dSm = std::clamp(c.viewTop - sm, 0.0, c.range);
            p.setPen(ThinPen(PEN_SMOOTHED));
            pen.MoveTo(x, ySmPrev);
            ySm = static_cast<int>(h * dSm / c.range);
            if (x) pen.LineTo(x, ySm);
            p.setPen(ThinPen(PEN_DATA));
        }
        for (auto it = peaks.rbegin(); it != peaks.rend(); ++it) {
            const RowMark& s = *c.rows.FindMark(*it);
            for (int k = 0; k < 2; ++k)
                if (k != peakMode && (s.flags & (0x10000u << k))) DrawPeak(&p, x, c, &s, k, &rect);
            if (s.flags & (0x10000u << peakMode)) DrawPeak(&p, x, c, &s, peakMode, &rect);
        }
        yPrev = y;
        ySmPrev = ySm;
        xPrev = x;
    }
    if (!chartMode || cursorCol < 0) return;
    p.setPen(ThinPen(peakMode == 0 ? PEN_LIST0 : PEN_OTHER_LIST));
    double level = chartMode == 1 ? list.baseLevel : list.topLevel;
    double d = c.viewTop - level;
    int yc = (0 <= d && d < c.range) ? static_cast<int>(h * d / c.range) : -1;
    double y2 = std::trunc(h * (c.viewTop - (std::tan(list.tilt) * 100 * spp + level)) / c.range);
    if (chartMode == 1)
        DrawBarGuide(p, cursorCol, yc, cursorCol + 100, y2, c, list, rect);
    else
        DrawCrossGuide(p, cursorCol, yc, cursorCol + 100, y2, c, list, rect, true);
}

} // namespace

TEST(ReducedPaint, MatchesAScanOfEverySampleAtSeveralZooms) {
    LogCapture log;
    const int n = 30000;
    PaintFixture f(n, 1000, 0.0);
    std::mt19937 gen(17);
    std::normal_distribution<double> noise(0.0, 0.4);
    std::uniform_int_distribution<int> where(0, n - 1);
    f.flags = HASSM;
    std::vector<double> smoothed(static_cast<size_t>(n));
    double* data = f.rows.Data();
    double walk = 4.0;
    for (int i = 0; i < n; ++i) {
        walk = std::clamp(walk + noise(gen) * 0.2, -1.0, 11.0);
        data[i] = walk + noise(gen);
        smoothed[static_cast<size_t>(i)] = walk;
    }
    for (int j = 0; j < 150; ++j) {
        int i = where(gen);
        f.Mark(i, j % 2, data[i] + 0.5, data[i] - 3.0);
    }
    for (int j = 0; j < 12; ++j)
        f.Mark(20000 + j * 3, 0, 6.0 + j * 0.1, 2.0); // a crowded stretch
    f.rows.SetSmoothedColumn(std::move(smoothed));
    const int w = 300, h = 120;
    const struct {
        double mag;
        int start, mode;
    } cases[] = {{0.999, 0, 0}, {0.5, 1234, 1},    {0.1, 17000, 2}, {0.0371, 9000, 1},
                 {0.013, 0, 0}, {0.013, 19000, 2}, {0.01, 29000, 0}};
    for (const auto& k : cases) {
        for (int peakMode : {0, 1}) {
            f.Zoom(k.mag, w, k.start, 9.0); // the blank tail at 0 V is in view
            const int cursor = k.start + 77 * static_cast<int>(1.0 / k.mag);
            f.Guide(peakMode, k.mode ? k.mode : CHART_MODE_TOP, cursor, 7.0, 3.0, 1);
            if (!k.mode) SetChartMode(&f.view, CHART_MODE_VIEW, 1, 0, 0, -1, 0.0);
            log.lines.clear();
            QImage fast = f.Render(w, h);

            QImage slow(w, h, QImage::Format_RGB32);
            slow.fill(Qt::white);
            QPainter painter(&slow);
            int dropped = 0;
            ScanPaint(painter, f.chart(), *f.view.PeakTables(), peakMode, w, h, k.mode, &dropped);
            painter.end();
            ASSERT_EQ(fast, slow) << "magnification " << k.mag << " from " << k.start;
            EXPECT_EQ(log.Count("ReducedPaint: Too many peaks"), dropped);
            EXPECT_GT(CountOf(fast, BLACK), w / 2); // not a blank picture
        }
    }
}
