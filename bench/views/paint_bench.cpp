// Chart pane and index pane painting on a long chart: one full repaint of a 1000 x 400 chart pane
// at the smallest magnification, at 0.5 and at 1.0, and one rebuild of a 1000 x 100 index image.
#include "bench_registry.h"
#include "viewer/chart_viewer.h"
#include "viewer/headless_host.h"
#include "viewer/max_pyramid.h"
#include "views/index_image.h"
#include "views/peak_view_paint.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int PANE_W = 1000;
constexpr int PANE_H = 400;
constexpr int INDEX_H = 100;
constexpr int DESKTOP_W = 1000;

void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "vortan-bench-views";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// n samples of noise with a few hundred peaks (marked in both lists) and a smoothed column.
std::unique_ptr<ChartView> MakeChart(int n, ViewerHost* host) {
    ChartStore rows;
    rows.Reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        rows.Append(SplSample{});
    std::vector<double> smoothed(static_cast<size_t>(n));
    double* data = rows.Data();
    std::mt19937 gen(1);
    std::normal_distribution<double> noise(0.0, 0.02);
    for (int i = 0; i < n; ++i) {
        data[i] = 0.2 + noise(gen);
        smoothed[i] = 0.2;
    }
    const int peaks = 300;
    for (int p = 0; p < peaks; ++p) {
        int centre = static_cast<int>((p + 0.5) * (static_cast<double>(n) / peaks));
        double height = 0.5 + (p % 7) * 0.3;
        for (int d = -400; d <= 400; ++d) {
            int i = centre + d;
            if (i < 0 || i >= n) continue;
            double bump = height * std::exp(-(d * d) / (2.0 * 120.0 * 120.0));
            data[i] += bump;
            smoothed[i] += bump;
        }
        RowMark& mark = rows.MarkOf(centre);
        for (int k = 0; k < 2; ++k) {
            mark.flags |= SAMPLE_HAS_PEAK << k;
            mark.top[k] = data[centre];
            mark.base[k] = 0.2;
        }
    }
    rows.SetSmoothedColumn(std::move(smoothed));
    auto view = std::make_unique<ChartView>(host);
    if (!SetChart(view.get(), std::move(rows), HASSM, 2)) return nullptr;
    return view;
}

void Run(const bench::Options& options) {
    EnsureApplication();
    const int n = options.quick ? 1'000'000 : 10'000'000;
    HeadlessViewerHost host(DESKTOP_W, PaneSize{PANE_W, PANE_H}, PaneSize{PANE_W, INDEX_H});
    std::unique_ptr<ChartView> view;
    double made = bench::Seconds([&] { view = MakeChart(n, &host); });
    if (!view) return;
    const CHARTBLOCK& c = *view->Chart();
    std::printf("chart: %d samples, 300 peaks in two lists, smoothed (%.0f ms to make)\n", n,
                made * 1e3);

    ChartPyramids pyramids;
    double built = bench::Seconds([&] { pyramids.Update(c); });
    std::printf("max pyramids (data + smoothed) built once per chart: %.1f ms\n", built * 1e3);

    QImage pane(PANE_W, PANE_H, QImage::Format_RGB32);
    const QRect rect(0, 0, PANE_W, PANE_H);
    const int frames = options.quick ? 5 : 30;
    for (double mag : {static_cast<double>(DESKTOP_W) / n, 0.5, 1.0}) {
        const int width = static_cast<int>(PANE_W / mag);
        const int span = std::max(1, c.sampleCount - width);
        std::vector<double> times;
        for (int f = 0; f < frames; ++f) {
            const int start = static_cast<int>(static_cast<long long>(span) * f / frames);
            PlaceView(view.get(), mag, start, width, c.range, c.viewTop);
            pane.fill(Qt::white);
            double t = bench::Seconds([&] {
                QPainter painter(&pane);
                PaintPeakView(painter, *view, rect, pyramids);
            });
            times.push_back(t);
        }
        std::sort(times.begin(), times.end());
        double total = 0.0;
        for (double t : times)
            total += t;
        std::printf("chart pane %dx%d at magnification %g: %.3f ms per frame (median %.3f, worst "
                    "%.3f ms)\n",
                    PANE_W, PANE_H, mag, total / frames * 1e3, times[times.size() / 2] * 1e3,
                    times.back() * 1e3);
    }

    const int step = (n + PANE_W - 1) / PANE_W;
    const double scale = INDEX_H / c.defaultRange;
    double total = 0.0;
    for (int f = 0; f < frames; ++f)
        total += bench::Seconds(
            [&] { DrawIndexOverview(pyramids.Data(), step, scale, PANE_W, INDEX_H); });
    std::printf("index image %dx%d rebuild: %.3f ms\n", PANE_W, INDEX_H, total / frames * 1e3);

    double m = 0.0;
    double scan = bench::Seconds([&] {
        for (int i = 0; i < n; ++i)
            m = std::max(m, c.rows.Data()[i]);
    });
    std::printf("for comparison, one plain scan of every sample: %.1f ms (max %.3f)\n", scan * 1e3,
                m);
}

bench::Register reg("views_paint", Run);

} // namespace
