// Pictures of a long chart: making the off-screen viewer for it, then writing the whole chart and
// a stretch of 2000 samples as PNG, SVG and PDF (1200 x 400 with the overview), with file sizes.
#include "bench_registry.h"
#include "views/chart_export.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

std::vector<SplSample> NoisyPeaks(int n) {
    std::vector<SplSample> rows(static_cast<size_t>(n));
    std::mt19937 gen(2);
    std::normal_distribution<double> noise(0.0, 0.02);
    for (int i = 0; i < n; ++i) {
        const double d = (i % 20000) - 10000;
        rows[i].data = 0.2 + noise(gen) + std::exp(-d * d / 2e5);
        rows[i].smoothed = 0.2 + std::exp(-d * d / 2e5);
        if (i % 20000 == 10000) {
            rows[i].flags = SAMPLE_HAS_PEAK;
            rows[i].top[0] = 1.2;
            rows[i].base[0] = 0.2;
        }
    }
    return rows;
}

void Run(const bench::Options& options) {
    if (!QCoreApplication::instance()) {
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "vortan-bench-views";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
    const int n = options.quick ? 100000 : 10000000;
    const std::vector<SplSample> rows = NoisyPeaks(n);
    QTemporaryDir dir;
    std::printf("export: %d samples\n", n);
    for (long long stretch : {-1LL, 2000LL}) {
        StretchOptions request;
        request.from = stretch < 0 ? 0 : n / 2;
        request.to = stretch < 0 ? -1 : n / 2 + stretch - 1;
        request.width = 1200;
        request.overviewHeight = 133;
        StretchPicture picture;
        const double set =
            bench::Seconds([&] { picture.Set(rows.data(), n, HASSM, request, nullptr); });
        std::printf("  %-13s viewer %.3f s", stretch < 0 ? "whole chart" : "2000 samples", set);
        for (const char* suffix : {"png", "svg", "pdf"}) {
            const QString file = dir.filePath(QStringLiteral("e.") + QLatin1String(suffix));
            const double s = bench::Seconds([&] {
                SavePicture(
                    file, picture.size(), [&](QPainter& p) { picture.Paint(p); }, nullptr);
            });
            std::printf(", %s %.3f s %lld KB", suffix, s, QFileInfo(file).size() / 1024);
        }
        std::printf("\n");
    }
}

bench::Register reg("export", Run);

} // namespace
