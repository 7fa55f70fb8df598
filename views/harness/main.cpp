// vortan-viewer: a plain window holding one chart viewer, for developers and screenshots.
//
//   vortan-viewer [FILE] [--png OUT.png] [--width W] [--height H] [--mag M]
//                 [--start SAMPLE VOLTS] [--top] [--tilt N]
//
// FILE is an SPL chart. --png renders the viewer into OUT.png and exits (works with
// QT_QPA_PLATFORM=offscreen). --start begins setting a peak at a sample and level as a Ctrl+click
// there would, --top fixes its base and moves on to the top, --tilt presses "+" N times (negative:
// "-").
#include "chart/spl_io.h"
#include "views/chart_viewer_widget.h"

#include <QApplication>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Options {
    std::string file;
    std::string png;
    int width = 1000;
    int height = 500;
    double mag = 0.0;
    bool start = false;
    int startSample = 0;
    double startVolts = 0.0;
    bool top = false;
    int tilt = 0;
};

bool ParseOptions(const QStringList& args, Options& o) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto next = [&](QString& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        QString v, v2;
        if (a == "--png") {
            if (!next(v)) return false;
            o.png = v.toStdString();
        } else if (a == "--width") {
            if (!next(v)) return false;
            o.width = v.toInt();
        } else if (a == "--height") {
            if (!next(v)) return false;
            o.height = v.toInt();
        } else if (a == "--mag") {
            if (!next(v)) return false;
            o.mag = v.toDouble();
        } else if (a == "--start") {
            if (!next(v) || !next(v2)) return false;
            o.start = true;
            o.startSample = v.toInt();
            o.startVolts = v2.toDouble();
        } else if (a == "--top") {
            o.top = true;
        } else if (a == "--tilt") {
            if (!next(v)) return false;
            o.tilt = v.toInt();
        } else if (a.startsWith("--")) {
            return false;
        } else {
            o.file = a.toStdString();
        }
    }
    return o.width > 0 && o.height > 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Options options;
    if (!ParseOptions(app.arguments(), options)) {
        std::fprintf(stderr, "usage: vortan-viewer [FILE] [--png OUT.png] [--width W] [--height H] "
                             "[--mag M] [--start SAMPLE VOLTS] [--top] [--tilt N]\n");
        return 2;
    }

    QWidget window;
    window.setWindowTitle("Vortan viewer");
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* viewer = new ChartViewerWidget(&window);
    // The blank tail of a chart is a desktop wide; a window wider than the screen (offscreen
    // renders) still needs the whole index.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        viewer->setDesktopWidth(std::max(options.width, screen->geometry().width()));
    else
        viewer->setDesktopWidth(options.width);
    layout->addWidget(viewer);
    window.resize(options.width, options.height);
    window.show();

    ChartView* view = viewer->view();
    if (!options.file.empty()) {
        auto rows = ReadSplData(options.file, CurrentChart);
        if (!rows) {
            std::fprintf(stderr, "vortan-viewer: cannot read %s\n", options.file.c_str());
            return 1;
        }
        unsigned checked = RANGE_FULL_HEIGHT;
        if (!SetChart(view, std::move(*rows), CurrentChart.flags, 2) ||
            !DefaultRange(view, &checked)) {
            std::fprintf(stderr, "vortan-viewer: cannot show %s\n", options.file.c_str());
            return 1;
        }
        if (options.mag > 0.0) SetMagnification(view, options.mag, 1);
        if (options.start) {
            SetChartMode(view, CHART_MODE_BASE, 0, 0, 0, options.startSample, options.startVolts);
            for (int i = 0; i < options.tilt; ++i)
                MoveCursor(view, 27);
            for (int i = 0; i > options.tilt; --i)
                MoveCursor(view, 29);
            if (options.top) SetHeight(view);
        }
    }

    if (!options.png.empty()) {
        QCoreApplication::processEvents();
        if (!viewer->grab().save(QString::fromStdString(options.png))) {
            std::fprintf(stderr, "vortan-viewer: cannot write %s\n", options.png.c_str());
            return 1;
        }
        return 0;
    }
    return app.exec();
}
