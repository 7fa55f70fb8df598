// vortan-cli peaks IN OUT.pks [--table 0|1] [--csv]: saves the peaks marked in a chart as a PKS
// file, or with --csv as a CSV table (OUT "-": standard output).
#include "chart/peak_csv.h"
#include "chart/peak_file.h"
#include "cli/cli_command.h"
#include "cli/read_chart.h"

#include <cstdio>

namespace {

int RunPeaks(const std::vector<std::string>& args) {
    int table = 0;
    bool csv = false;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--table") {
            if (i + 1 == args.size() || (args[i + 1] != "0" && args[i + 1] != "1"))
                return cli::Fail("--table takes 0 or 1");
            table = args[++i] == "1" ? 1 : 0;
        } else if (a == "--csv") {
            csv = true;
        } else if (a.rfind("--", 0) == 0) {
            return cli::Fail("peaks: unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2)
        return cli::Fail(
            "peaks takes IN and OUT (OUT.pks, or OUT.csv with --csv; see peaks --help)");

    SplChart chart;
    std::string reason;
    auto rows = cli::ReadChart(files[0], chart, &reason);
    if (!rows) return cli::Fail(reason);
    auto peaks = PeaksMarkedInRows(*rows, table);
    if (peaks.empty())
        return cli::Fail("no peaks in table " + std::to_string(table) + " of " + files[0]);
    // Nobody to ask here: every low peak is written, with a warning.
    for (const PeakEntry& p : peaks) {
        if (p.height >= LOW_PEAK_HEIGHT) continue;
        std::fprintf(stderr, "vortan-cli: warning: very low peak (below 0.01 mV) at row %lld\n",
                     static_cast<long long>(p.position));
    }
    std::string error;
    if (csv) {
        auto csvRows = PeakCsvRows(peaks.data(), static_cast<int>(peaks.size()), *rows, table);
        if (files[1] == "-") {
            const std::string text = PeakCsvText(csvRows);
            std::fwrite(text.data(), 1, text.size(), stdout);
            return std::fflush(stdout) == 0 ? 0 : cli::Fail("cannot write standard output");
        }
        if (!WritePeakCsv(files[1], csvRows, &error))
            return cli::Fail("cannot write " + files[1] + (error.empty() ? "" : ": " + error));
        return 0;
    }
    SaveReport report;
    if (!WritePeakFile(files[1], peaks.data(), static_cast<int>(peaks.size()), chart, &error,
                       &report))
        return cli::Fail("cannot write " + files[1] + (error.empty() ? "" : ": " + error));
    cli::WarnAboutSave(files[1], report);
    return 0;
}

cli::Register reg("peaks",
                  {"peaks IN OUT.pks [--table 0|1] [--csv]",
                   "save the peaks marked in a chart's table (default 0) as a PKS file, or with "
                   "--csv as CSV (position,time,height,top,base,name; OUT - is standard output)",
                   RunPeaks});

} // namespace
