// vortan-cli render IN OUT.{png,svg,pdf}: a picture of a chart, or of a stretch of it, drawn as
// the viewer draws its chart pane. Built only with the Qt libraries; it paints without a display.
#include "cli/cli_command.h"
#include "cli/read_chart.h"
#include "views/chart_export.h"

#include <QGuiApplication>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// A finite number above 0 and nothing else.
bool ParsePositive(const std::string& text, double* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(v) || !(v > 0.0)) return false;
    *value = v;
    return true;
}

// Qt's own notes (a missing runtime folder and the like) are no business of the command's
// output; only its errors reach standard error.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "vortan-cli: %s\n", message.toLocal8Bit().constData());
}

// Painting needs a GUI application object, not a screen: the offscreen platform serves.
std::unique_ptr<QGuiApplication> StartPainting() {
    if (QGuiApplication::instance()) return nullptr;
    qInstallMessageHandler(QuietMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vortan-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int RunRender(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    StretchOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--overview") {
            options.overviewHeight = -1;
        } else if (a == "--from" || a == "--to" || a == "--width" || a == "--height" ||
                   a == "--range") {
            if (i + 1 == args.size()) return cli::Fail("render: " + a + " needs a value");
            const std::string& value = args[++i];
            if (a == "--range") {
                if (!ParsePositive(value, &options.range))
                    return cli::Fail("render: the range must be a number of volts above 0");
                continue;
            }
            const bool size = a == "--width" || a == "--height";
            auto n = cli::ParseCount(value, size ? 30000 : INT_MAX);
            if (!n || (size && *n < 8))
                return cli::Fail("render: " + a +
                                 (size ? " takes 8 to 30000 pixels" : " takes a sample index"));
            if (a == "--from") options.from = *n;
            if (a == "--to") options.to = *n;
            if (a == "--width") options.width = *n;
            if (a == "--height") options.height = *n;
        } else if (a.rfind("--", 0) == 0) {
            return cli::Fail("render: unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return cli::Fail("render takes IN and OUT (see render --help)");
    const QString out = QString::fromLocal8Bit(files[1].c_str());
    if (!PictureFormatOf(out)) return cli::Fail("render: OUT must end in .png, .svg or .pdf");
    // The overview takes a third of the chart pane's height below it.
    if (options.overviewHeight < 0) options.overviewHeight = std::max(options.height / 3, 16);

    SplChart chart;
    std::string reason;
    auto rows = cli::ReadChart(files[0], chart, &reason);
    if (!rows) return cli::Fail(reason);

    auto app = StartPainting();
    StretchPicture picture;
    QString error;
    if (rows->size() > static_cast<size_t>(INT_MAX / 2)) return cli::Fail("the chart is too long");
    if (!picture.Set(*rows, chart.flags, options, &error))
        return cli::Fail("render: " + error.toStdString());
    if (!SavePicture(
            out, picture.size(), [&](QPainter& p) { picture.Paint(p); }, &error))
        return cli::Fail("cannot write " + files[1] + ": " + error.toStdString());
    return 0;
}

cli::Register reg("render",
                  {"render IN OUT.png|svg|pdf [--from N] [--to N] [--range V] [--width W] "
                   "[--height H] [--overview]",
                   "draw samples N..N (default: all) as the viewer draws them, range V volts "
                   "(default: the chart's height), W x H pixels (default: as wide as needed up to "
                   "1200, 400 high); SVG and PDF hold vector paths",
                   RunRender});

} // namespace
