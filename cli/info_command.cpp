// vortan-cli info FILE: what a chart file holds.
#include "chart/number_format.h"
#include "chart/peak_file.h"
#include "cli/cli_command.h"
#include "cli/read_chart.h"

#include <cstdio>

namespace {

void PrintPeaks(const ChartStore& rows, int table, const char* columns) {
    auto peaks = PeaksMarkedInRows(rows, table);
    std::printf("peaks, table %d (%s): %zu\n", table, columns, peaks.size());
    for (const PeakEntry& p : peaks) {
        std::printf("  %8lld %s \"%s\"\n", static_cast<long long>(p.position),
                    FormatE(p.height * p.factor, 17, 7).c_str(), p.name);
    }
}

int RunInfo(const std::vector<std::string>& args) {
    if (args.size() != 1) return cli::Fail("info takes one FILE (see info --help)");
    SplChart chart;
    std::string reason;
    auto rows = cli::ReadChart(args[0], chart, &reason);
    if (!rows) return cli::Fail(reason);
    std::printf("file: %s\n", args[0].c_str());
    std::printf("rows: %zu\n", rows->size());
    std::printf("version: %d (%s)\n", chart.version, chart.version >= 2 ? "SPL2" : "SPL");
    std::printf("smoothed: %s\n", (chart.flags & HASSM) ? "yes" : "no");
    std::printf("tags: %d\n", chart.tagCount());
    for (const SplTag& tag : chart.tags)
        std::printf("  \"%s\" = \"%s\"\n", tag.name.c_str(), tag.value.c_str());
    PrintPeaks(*rows, 0, "Peak Top / Peak Base");
    PrintPeaks(*rows, 1, "Revised Top / Revised Base");
    return 0;
}

cli::Register reg("info", {"info FILE",
                           "show a chart's rows, layout version, smoothed flag, header tags and "
                           "the peaks marked in each table",
                           RunInfo});

} // namespace
