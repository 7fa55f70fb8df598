// Shared by the chart commands of vortan-cli: reading a chart with a one-line reason on failure,
// and reading the numbers of command-line options.
#pragma once

#include "chart/run_log.h"
#include "chart/spl_io.h"

#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// Reads fileName into chart. On failure returns nothing and sets reason to the reader's last
// run-log line (the log is opened for the read when nothing else holds it open).
inline std::optional<ChartStore> ReadChart(const std::string& fileName, SplChart& chart,
                                           std::string* reason) {
    bool opened = !IsLogOpen() && OpenLog();
    auto rows = ReadSplData(fileName, chart);
    if (!rows) {
        auto lines = LogLines();
        *reason = "cannot read " + fileName + (lines.empty() ? "" : ": " + lines.back());
    }
    if (opened) CloseLog();
    return rows;
}

// An unsigned decimal number and nothing else; nothing when text is not one or exceeds max.
inline std::optional<int> ParseCount(const std::string& text, int max) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text[0] == '-' || text[0] == '+' || ec != std::errc() ||
        end != text.data() + text.size() || value > max)
        return std::nullopt;
    return value;
}

} // namespace cli
