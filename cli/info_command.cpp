// vortan-cli info FILE: what a chart file holds. Text from the file is shown with its control
// characters escaped.
#include "chart/number_format.h"
#include "chart/peak_file.h"
#include "cli/cli_command.h"
#include "cli/read_chart.h"

#include <cstdio>
#include <string_view>

namespace {

// Text from a file for the terminal: control characters (C0, DEL, and C1 in UTF-8), bytes that are
// not UTF-8, backslashes and double quotes are shown escaped, so that nothing in a file can steer
// the terminal.
std::string Printable(std::string_view text) {
    std::string out;
    char hex[8];
    auto escape = [&](unsigned char c) {
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
    };
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            escape(c);
            ++i;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else {
            // One UTF-8 character, or its first byte escaped when it is none (or is C1).
            size_t n = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
            bool whole = n > 0 && i + n <= text.size();
            for (size_t k = 1; whole && k < n; ++k)
                whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
            const auto second = whole ? static_cast<unsigned char>(text[i + 1]) : 0;
            if (whole && n == 3 && ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F)))
                whole = false; // overlong or a surrogate
            if (whole && n == 4 && ((c == 0xF0 && second < 0x90) || (c == 0xF4 && second > 0x8F)))
                whole = false;
            if (whole && n == 2 && c == 0xC2 && second < 0xA0) whole = false; // C1 control
            if (!whole) {
                escape(c);
                ++i;
                continue;
            }
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

void PrintPeaks(const ChartStore& rows, int table, const char* columns) {
    auto peaks = PeaksMarkedInRows(rows, table);
    std::printf("peaks, table %d (%s): %zu\n", table, columns, peaks.size());
    for (const PeakEntry& p : peaks) {
        std::printf("  %8lld %s \"%s\"\n", static_cast<long long>(p.position),
                    FormatE(p.height * p.factor, 17, 7).c_str(), Printable(p.name).c_str());
    }
}

int RunInfo(const std::vector<std::string>& args) {
    if (args.size() != 1) return cli::Fail("info takes one FILE (see info --help)");
    SplChart chart;
    std::string reason;
    auto rows = cli::ReadChart(args[0], chart, &reason);
    if (!rows) return cli::Fail(reason);
    std::printf("file: %s\n", Printable(args[0]).c_str());
    std::printf("rows: %zu\n", rows->size());
    std::printf("version: %d (%s)\n", chart.version, chart.version >= 2 ? "SPL2" : "SPL");
    std::printf("smoothed: %s\n", (chart.flags & HASSM) ? "yes" : "no");
    std::printf("tags: %d\n", chart.tagCount());
    for (const SplTag& tag : chart.tags)
        std::printf("  \"%s\" = \"%s\"\n", Printable(tag.name).c_str(),
                    Printable(tag.value).c_str());
    PrintPeaks(*rows, 0, "Peak Top / Peak Base");
    PrintPeaks(*rows, 1, "Revised Top / Revised Base");
    return 0;
}

cli::Register reg("info", {"info FILE",
                           "show a chart's rows, layout version, smoothed flag, header tags and "
                           "the peaks marked in each table",
                           RunInfo});

} // namespace
