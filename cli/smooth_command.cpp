// vortan-cli smooth IN OUT [--width N] [--optimize --max N --min N --weight quadratic|digital]:
// fills the smoothed column and writes the chart as SPL2.
#include "chart/settings.h"
#include "chart/smoothing.h"
#include "cli/cli_command.h"
#include "cli/read_chart.h"

#include <climits>
#include <cstdio>
#include <new>
#include <vector>

namespace {

int RunSmooth(const std::vector<std::string>& args) {
    SettingsRecord defaults;
    int width = defaults.smoothWidth;
    int maxWidth = defaults.smoothMaxWidth;
    int minWidth = defaults.smoothMinWidth;
    bool optimize = false;
    WeightFunction weight = WeightFunctions[0].function;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--optimize") {
            optimize = true;
        } else if (a == "--width" || a == "--max" || a == "--min" || a == "--weight") {
            if (i + 1 == args.size()) return cli::Fail(a + " needs a value");
            const std::string& v = args[++i];
            if (a == "--weight") {
                if (v == "quadratic")
                    weight = WeightFunctions[0].function;
                else if (v == "digital")
                    weight = WeightFunctions[1].function;
                else
                    return cli::Fail("--weight takes quadratic or digital, not " + v);
                continue;
            }
            constexpr int LIMIT = INT_MAX / 4;
            auto n = cli::ParseCount(v, LIMIT);
            if (!n)
                return cli::Fail(a + " takes a whole number from 0 to " + std::to_string(LIMIT) +
                                 ", not " + v);
            (a == "--width" ? width : a == "--max" ? maxWidth : minWidth) = *n;
        } else if (a.rfind("--", 0) == 0) {
            return cli::Fail("smooth: unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return cli::Fail("smooth takes IN and OUT (see smooth --help)");

    if (optimize && (maxWidth == 0 || minWidth == 0))
        std::fprintf(stderr, "vortan-cli: warning: --optimize needs --max and --min above 0; "
                             "the fixed window is used\n");

    SplChart chart;
    std::string reason;
    auto rows = cli::ReadChart(files[0], chart, &reason);
    if (!rows) return cli::Fail(reason);
    if (rows->size() > static_cast<size_t>(INT_MAX)) return cli::Fail("the chart is too long");
    std::vector<double> smoothed;
    try {
        smoothed.resize(rows->size());
    } catch (const std::bad_alloc&) {
        return cli::Fail("not enough memory to smooth " + files[0]);
    }
    if (!SmoothColumn(rows->Data(), static_cast<int>(rows->size()), smoothed.data(), width,
                      maxWidth, minWidth, optimize ? weight : nullptr))
        return cli::Fail("not enough memory to smooth " + files[0]);
    rows->SetSmoothedColumn(std::move(smoothed));
    chart.flags |= HASSM;
    chart.version = 2;
    if (!cli::WriteChart(files[1], *rows, chart, &reason)) return cli::Fail(reason);
    return 0;
}

cli::Register reg("smooth",
                  {"smooth IN OUT [--width N] [--optimize --max N --min N --weight W]",
                   "fill the smoothed column (half-width N, default 7; optimised between --min "
                   "and --max with W quadratic or digital) and write SPL2",
                   RunSmooth});

} // namespace
