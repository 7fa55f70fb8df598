// Shared by the chart commands of vortan-cli: reading a chart with a one-line reason on failure,
// and reading the numbers of command-line options.
#pragma once

#include "chart/run_log.h"
#include "chart/spl_io.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace cli {

// Exit status of a command that did its work on a chart that was cut short.
inline constexpr int EXIT_CUT_SHORT = 3;

// Set when a chart read by this run was cut short.
inline bool& ChartWasCutShort() {
    static bool cut = false;
    return cut;
}

// The files (device, inode) of the charts read cut short: writing over one would lose what the
// reading left out, and there is nobody to ask.
inline std::vector<std::pair<dev_t, ino_t>>& CutShortFiles() {
    static std::vector<std::pair<dev_t, ino_t>> files;
    return files;
}

inline bool IsCutShortFile(const std::string& fileName) {
    struct stat st;
    if (::stat(fileName.c_str(), &st) != 0) return false;
    for (const auto& [dev, ino] : CutShortFiles())
        if (dev == st.st_dev && ino == st.st_ino) return true;
    return false;
}

// Reads fileName into chart. On failure returns nothing and sets reason to "cannot read FILE:
// <why>". A chart cut short (more than blanks after the line where its rows end) is read as it
// stands, with a warning on standard error; the run then ends with EXIT_CUT_SHORT.
inline std::optional<ChartStore> ReadChart(const std::string& fileName, SplChart& chart,
                                           std::string* reason) {
    SplReadInfo info;
    auto rows = ReadSplData(fileName, chart, &info);
    if (!rows) {
        *reason = "cannot read " + fileName + ": " + info.error.Describe();
    } else if (info.cutShort) {
        ChartWasCutShort() = true;
        struct stat st;
        if (::stat(fileName.c_str(), &st) == 0) CutShortFiles().emplace_back(st.st_dev, st.st_ino);
        std::fprintf(stderr,
                     "vortan-cli: warning: %s: reading stopped at line %lld, which is not a row; "
                     "%zu rows were read and the rest of the file was left out\n",
                     fileName.c_str(), info.stopLine, rows->size());
    }
    return rows;
}

// Prints a warning about what a save could not keep (other hard links, owner, group).
inline void WarnAboutSave(const std::string& fileName, const SaveReport& report) {
    const std::string notice = report.Notice();
    if (!notice.empty())
        std::fprintf(stderr, "vortan-cli: warning: %s: %s\n", fileName.c_str(), notice.c_str());
}

// Writes rows with chart's header to fileName. On failure returns false and sets reason to
// "cannot write FILE: <why>". A chart is never written over a file that was read cut short.
inline bool WriteChart(const std::string& fileName, const ChartStore& rows, const SplChart& chart,
                       std::string* reason) {
    if (IsCutShortFile(fileName)) {
        *reason = "cannot write " + fileName +
                  ": its chart was cut short; writing it over the file would lose the rest "
                  "(write it to another file)";
        return false;
    }
    SaveReport report;
    if (!WriteSplData(fileName, rows, chart, &report)) {
        *reason = "cannot write " + fileName + ": " + report.error;
        return false;
    }
    WarnAboutSave(fileName, report);
    return true;
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
