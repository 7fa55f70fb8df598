// vortan-cli detect FILE [--threshold V] [--from N]: the peak the viewer would propose when a peak
// is started, found by the built-in threshold detector exactly as the viewer runs it.
#include "chart/settings.h"
#include "cli/cli_command.h"
#include "cli/read_chart.h"
#include "viewer/chart_viewer.h"
#include "viewer/headless_host.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// A finite number above 0 and nothing else.
bool ParseVolts(const std::string& text, double* volts) {
    if (text.empty()) return false;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(v) || !(v > 0.0)) return false;
    *volts = v;
    return true;
}

int RunDetect(const std::vector<std::string>& args) {
    std::string file;
    double threshold = Settings.threshold;
    int from = -1;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--threshold" || a == "--from") {
            if (i + 1 == args.size()) return cli::Fail("detect: " + a + " needs a value");
            const std::string& value = args[++i];
            if (a == "--threshold") {
                if (!ParseVolts(value, &threshold))
                    return cli::Fail("detect: the threshold must be a number of volts above 0");
            } else {
                auto n = cli::ParseCount(value, INT_MAX);
                if (!n) return cli::Fail("detect: --from takes a sample index");
                from = *n;
            }
        } else if (a.rfind("--", 0) == 0) {
            return cli::Fail("detect: unknown option " + a);
        } else if (file.empty()) {
            file = a;
        } else {
            return cli::Fail("detect takes one FILE (see detect --help)");
        }
    }
    if (file.empty()) return cli::Fail("detect takes one FILE (see detect --help)");

    SplChart chart;
    std::string reason;
    auto rows = cli::ReadChart(file, chart, &reason);
    if (!rows) return cli::Fail(reason);
    if (rows->size() > static_cast<size_t>(INT_MAX - 1)) return cli::Fail("the chart is too long");

    HeadlessViewerHost host;
    ChartView view(&host);
    if (!SetChart(&view, std::move(*rows), chart.flags, 2))
        return cli::Fail("cannot hold the chart in memory");

    double savedThreshold = Settings.threshold;
    SetDetectionThreshold(threshold);
    SetPeakDetector(&view, ThresholdDetector, nullptr);
    PeakSet result;
    int found = DetectPeak(view.Chart(), from, &result);
    SetPeakDetector(&view, nullptr, nullptr);
    Settings.threshold = savedThreshold;

    int start = from < 0 ? 0 : from;
    if (!found)
        return cli::Fail("no peak found from sample " + std::to_string(start) + " with threshold " +
                         std::to_string(threshold) + " V");
    const SplSample row = view.Chart()->rows.Row(static_cast<size_t>(result.cursor));
    std::printf("sample: %d\n", result.cursor);
    std::printf("time: %d\n", static_cast<int>(row.time));
    std::printf("top: %.6f V%s\n", result.topLevel,
                (view.Chart()->flags & HASSM) ? " (smoothed)" : "");
    std::printf("base: %.6f V\n", result.baseLevel);
    std::printf("height: %.6f V\n", result.topLevel - result.baseLevel);
    return 0;
}

cli::Register reg("detect",
                  {"detect FILE [--threshold V] [--from N]",
                   "the peak the viewer would propose: the middle of the first whole excursion "
                   "above the threshold (default 0.005 V) from sample N (default 0); exit 1 when "
                   "there is none",
                   RunDetect});

} // namespace
