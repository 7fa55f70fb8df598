// Helpers of the SPL reader and writer tests: a short chart, reads of text and rows compared.
#pragma once

#include "chart/spl_io.h"
#include "support/files.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

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
