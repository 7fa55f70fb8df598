// vortan-cli convert IN OUT [--spl2|--plain]: writes a chart again, in a chosen layout.
#include "cli/cli_command.h"
#include "cli/read_chart.h"

#include <cstdio>

namespace {

int RunConvert(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    int layout = 0; // 0: as read, 1: plain, 2: SPL2
    for (const std::string& a : args) {
        if (a == "--spl2" || a == "--plain") {
            int want = a == "--spl2" ? 2 : 1;
            if (layout != 0 && layout != want) return cli::Fail("give --spl2 or --plain, not both");
            layout = want;
        } else if (a.rfind("--", 0) == 0) {
            return cli::Fail("convert: unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return cli::Fail("convert takes IN and OUT (see convert --help)");

    SplChart chart;
    std::string reason;
    auto rows = cli::ReadChart(files[0], chart, &reason);
    if (!rows) return cli::Fail(reason);
    if (layout == 2) chart.version = 2;
    if (layout == 1) {
        chart.version = 1;
        size_t marked = 0;
        for (const RowMark& mark : rows->Marks())
            marked += (mark.flags & SAMPLE_PEAK_BITS) != 0;
        if ((chart.flags & HASSM) || marked > 0)
            std::fprintf(stderr,
                         "vortan-cli: warning: the plain layout leaves out the smoothed column "
                         "and the peaks of %zu rows\n",
                         marked);
    }
    if (!cli::WriteChart(files[1], *rows, chart, &reason)) return cli::Fail(reason);
    return 0;
}

cli::Register reg("convert", {"convert IN OUT [--spl2|--plain]",
                              "write a chart again, in the layout it was read with or the one "
                              "given",
                              RunConvert});

} // namespace
