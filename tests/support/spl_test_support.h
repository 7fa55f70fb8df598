// Helpers of the chart file tests: a short chart, rows and peaks built, rows compared.
#pragma once

#include "chart/peak_entry.h"
#include "chart/spl_io.h"
#include "support/files.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
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

// A row with its fields in file order; top and base are those of tables 0 and 1.
inline SplSample Row(int time, double data, const char* name, double smoothed = 0.0,
                     uint32_t flags = 0, double top0 = 0.0, double base0 = 0.0, double top1 = 0.0,
                     double base1 = 0.0) {
    SplSample s{flags, time, data, {}, smoothed, {top0, top1}, {base0, base1}};
    std::snprintf(s.isotopeName, sizeof s.isotopeName, "%s", name);
    return s;
}

// A peak table entry.
inline PeakEntry Peak(double position, double height, const char* name, double factor = 1.0) {
    PeakEntry p{position, height, factor, {}};
    std::snprintf(p.name, sizeof p.name, "%s", name);
    return p;
}

// The rows of SHORT_SPL2_FILE.
inline std::vector<SplSample> ShortSpl2Rows() {
    return {Row(0, 1e-3, "A", 1.1e-3), Row(1, 5.25e-2, "A", 5e-2, SAMPLE_HAS_PEAK, 5.25e-2, 1e-3),
            Row(2, 2e-3, "A", 1.9e-3)};
}

// The chart's tags as name=value|name=value|...
inline std::string Tags(const SplChart& chart) {
    std::string text;
    for (const SplTag& t : chart.tags)
        text += t.name + "=" + t.value + "|";
    return text;
}

// Rows equal field by field (NaN equal to NaN).
inline bool SameRow(const SplSample& a, const SplSample& b) {
    auto same = [](double x, double y) { return x == y || (x != x && y != y); };
    return a.flags == b.flags && a.time == b.time && same(a.data, b.data) &&
           std::string(a.isotopeName) == b.isotopeName && same(a.smoothed, b.smoothed) &&
           same(a.top[0], b.top[0]) && same(a.top[1], b.top[1]) && same(a.base[0], b.base[0]) &&
           same(a.base[1], b.base[1]);
}

// The rows are want, field by field; the first row that differs is reported.
inline void ExpectRows(const ChartStore& rows, const std::vector<SplSample>& want) {
    ASSERT_EQ(rows.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
        ASSERT_TRUE(SameRow(rows[i], want[i])) << "row " << i;
}

// Rows written, read back (as many) and written again give the same bytes.
inline void ExpectStableRoundTrip(const TempDir& dir, const ChartStore& rows,
                                  const SplChart& chart) {
    const std::string first = dir.Name("first.spl"), second = dir.Name("second.spl");
    ASSERT_EQ(WriteSplData(first, rows, chart), 1);
    SplChart back;
    auto read = ReadSplData(first, back);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), rows.size());
    ASSERT_EQ(WriteSplData(second, *read, back), 1);
    EXPECT_EQ(Slurp(first), Slurp(second));
}

} // namespace spltest
