// Helpers of the SPL reader and writer tests: temporary files and the run log's lines.
#pragma once

#include "chart/run_log.h"
#include "chart/spl_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace spltest {

// A short SPL2 file exactly as the writer produces it: three rows, one peak.
inline const char SHORT_SPL2_FILE[] =
    "\"Comment:\",\"Run 3\"\r\n"
    "\"Num of DATA:\",       3\r\n"
    "\"Version\",\"2\"\r\n"
    "\"Smoothed\",\"YES\"\r\n"
    "\"Number\",\"Time(S)\",\"Data(Volt)\"     ,\"Isotope "
    "name\",\"Smoothed\",\"Peak Top\",\"Peak Base\",\"Revised Top\",\"Revised "
    "Base\",\"Left\",\"Top\",\"Right\",\"Bottom\",\"Left a\",\"Right a\"\r\n"
    "       0,        0,   1.0000000E-003, \"A\",   1.1000000E-003\r\n"
    "       1,        1,   5.2500000E-002, \"A\",   5.0000000E-002,   5.2500000E-002,   "
    "1.0000000E-003,   0.0000000E+000,   0.0000000E+000\r\n"
    "       2,        2,   2.0000000E-003, \"A\",   1.9000000E-003\r\n";

namespace fs = std::filesystem;

// A folder of its own for one test, removed afterwards.
struct TempDir {
    fs::path path;
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = fs::temp_directory_path() /
               (std::string("vortan_spl_") + info->test_suite_name() + "_" + info->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string File(const std::string& name, const std::string& contents) const {
        fs::path p = path / name;
        std::ofstream(p, std::ios::binary) << contents;
        return p.string();
    }
    std::string Name(const std::string& name) const { return (path / name).string(); }
};

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Opens an empty run log for the test.
struct LogCapture {
    LogCapture() {
        CloseLog();
        OpenLog();
    }
    ~LogCapture() { CloseLog(); }
    std::vector<std::string> Lines() const { return LogLines(); }
    bool Has(const std::string& line) const {
        auto lines = LogLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::string Last() const {
        auto lines = LogLines();
        return lines.empty() ? std::string() : lines.back();
    }
};

// Reads text written to a file of the test's folder.
struct ReadResult {
    std::optional<ChartStore> rows;
    SplChart chart;
};
inline ReadResult ReadText(const TempDir& dir, const std::string& text) {
    ReadResult r;
    r.rows = ReadSplData(dir.File("chart.spl", text), r.chart);
    return r;
}

inline SplSample Row(int time, double data, const char* name) {
    SplSample s;
    s.time = time;
    s.data = data;
    std::snprintf(s.isotopeName, sizeof s.isotopeName, "%s", name);
    return s;
}

// Rows equal field by field (NaN equal to NaN).
inline bool SameDouble(double a, double b) {
    return a == b || (a != a && b != b);
}
inline bool SameRow(const SplSample& a, const SplSample& b) {
    return a.flags == b.flags && a.time == b.time && SameDouble(a.data, b.data) &&
           std::string(a.isotopeName) == b.isotopeName && SameDouble(a.smoothed, b.smoothed) &&
           SameDouble(a.top[0], b.top[0]) && SameDouble(a.top[1], b.top[1]) &&
           SameDouble(a.base[0], b.base[0]) && SameDouble(a.base[1], b.base[1]);
}

} // namespace spltest
