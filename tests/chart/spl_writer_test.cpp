#include "chart/spl_io.h"
#include "support/spl_test_support.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <random>

using namespace spltest;

TEST(WriteSplData, WritesBothLayoutsByteForByte) {
    TempDir dir;
    const std::string file = dir.Name("out.spl");
    // Stored Version, Smoothed and Number tags are dropped, "Num of DATA:" gets the row count.
    SplChart chart{2, HASSM, {}};
    chart.tags = {{"Comment:", "Run 3"},
                  {"Version", "9"},
                  {"Num of DATA:", "77"},
                  {"Number", "x"},
                  {"Smoothed", "NO"}};
    auto rows = ShortSpl2Rows();
    ASSERT_EQ(WriteSplData(file, rows.data(), 3, chart), 1);
    EXPECT_EQ(Slurp(file), SHORT_SPL2_FILE);
    SplChart back;
    ExpectRows(ReadSplData(file, back).value(), rows);

    // Below version 2 the plain layout, where HASSM is not written.
    chart = SplChart{1, HASSM, {{"Site", ""}}};
    rows[0].time = -2147483647 - 1;
    rows[0].data = -0.0;
    ASSERT_EQ(WriteSplData(file, rows.data(), 3, chart), 1);
    EXPECT_EQ(Slurp(file), "\"Site\",\"\"\r\n"
                           "\"Number\",\"Time(S)\",\"Data(Volt)\"     ,\"Isotope name\"\r\n"
                           "       0,-2147483648,  -0.0000000E+000, \"A\"\r\n"
                           "       1,        1,   5.2500000E-002, \"A\"\r\n"
                           "       2,        2,   2.0000000E-003, \"A\"\r\n");
    // No rows at all still makes a chart that loads (with no rows).
    ASSERT_EQ(WriteSplData(file, nullptr, 0, chart), 1);
    ExpectRows(ReadSplData(file, back).value(), {});
}

TEST(WriteSplData, RandomRowsRoundTrip) {
    TempDir dir;
    // Random SPL2 rows: values of every magnitude, non-finite ones, peaks in either table.
    std::mt19937_64 rng(99);
    std::vector<SplSample> rows(3000);
    for (size_t i = 0; i < rows.size(); ++i) {
        SplSample& s = rows[i];
        s.time = static_cast<int32_t>(rng());
        for (double* f : {&s.data, &s.smoothed, &s.top[0], &s.base[0], &s.top[1], &s.base[1]}) {
            uint64_t bits = rng();
            std::memcpy(f, &bits, sizeof bits);
        }
        s.flags = static_cast<uint32_t>(rng()) & (SAMPLE_HAS_PEAK | SAMPLE_HAS_REVISED);
        std::snprintf(s.isotopeName, sizeof s.isotopeName, "I%zu,x y", i % 17);
    }
    ExpectStableRoundTrip(dir, ChartStore(rows), SplChart{2, 0, {{"Comment:", "random"}}});
}

TEST(WriteSplData, UnsafeTextStillReadsBackWhole) {
    TempDir dir;
    SplChart chart{2, 0, {}};
    chart.tags = {{"Site", "bc\n"},
                  {"Quote", "say \"hi\" twice"},
                  {"Multi", "line one\r\nline two"},
                  {"", "no name"},
                  {"Number\nx", "would end the header"},
                  {std::string(40, 'L'), std::string(2000, 'v')},
                  {"Ends", "fine"}};
    std::vector<SplSample> rows = {Row(0, 1.0, "A\"B", 0.5), Row(1, 2.0, "line\nbreak", 0.5),
                                   Row(2, 3.0, "", 0.5), Row(3, 4.0, "\"", 0.5),
                                   Row(4, 5.0, "", 0.5)};
    std::memset(rows[4].isotopeName, 'z', sizeof rows[4].isotopeName); // no terminator at all
    std::string file = dir.Name("out.spl");
    ASSERT_EQ(WriteSplData(file, rows.data(), static_cast<int>(rows.size()), chart), 1);
    SplChart back;
    const std::string z63(63, 'z');
    ExpectRows(ReadSplData(file, back).value(),
               {Row(0, 1.0, "A", 0.5), Row(1, 2.0, "line", 0.5), Row(2, 3.0, " ", 0.5),
                Row(3, 4.0, " ", 0.5), Row(4, 5.0, z63.c_str(), 0.5)});
    const size_t room = 1022 - 29 - 5;
    EXPECT_EQ(Tags(back), "Site=bc|Quote=say |Multi=line one\r|" + std::string(29, 'L') + "=" +
                              std::string(room, 'v') + "|Ends=fine|");
}

TEST(WriteSplData, RowsFromTenMillionOnKeepALeadingBlank) {
    SplSample s = Row(5, 1.0, "A");
    char line[SPL_ROW_LINE_MAX];
    auto text = [&](int index, bool extended) {
        return std::string(line, static_cast<size_t>(FormatSplRow(line, index, s, extended)));
    };
    EXPECT_EQ(text(9999999, false), " 9999999,        5,   1.0000000E+000, \"A\"\r\n");
    EXPECT_EQ(text(10000000, false), " 10000000,        5,   1.0000000E+000, \"A\"\r\n");
    EXPECT_EQ(text(2147483647, true),
              " 2147483647,        5,   1.0000000E+000, \"A\",   0.0000000E+000\r\n");
    s.flags = SAMPLE_HAS_REVISED;
    s.top[1] = -1.5;
    EXPECT_EQ(text(0, true), "       0,        5,   1.0000000E+000, \"A\",   0.0000000E+000,   "
                             "0.0000000E+000,   0.0000000E+000,  -1.5000000E+000,   "
                             "0.0000000E+000\r\n");
    EXPECT_EQ(text(0, false), "       0,        5,   1.0000000E+000, \"A\"\r\n");
}

TEST(WriteSplData, FailureKeepsTheOldFileAndSaysWhy) {
    TempDir dir;
    LogCapture log;
    auto rows = ShortSpl2Rows();
    SplChart chart;
    std::string file = dir.File("old.spl", "old contents");
    EXPECT_EQ(WriteSplData(file, rows.data(), -1, chart), 0);
    EXPECT_EQ(log.Last(), "WriteSplData: Invalid arguments.");
    EXPECT_EQ(WriteSplData(file, nullptr, 3, chart), 0);
    EXPECT_EQ(WriteSplData("", rows.data(), 3, chart), 0);
    EXPECT_EQ(Slurp(file), "old contents");

    const std::string missing = dir.Name("no/such/folder.spl");
    SaveReport report;
    EXPECT_EQ(WriteSplData(missing, ChartStore(), SplChart(), &report), 0);
    EXPECT_EQ(report.error, std::strerror(ENOENT));
    EXPECT_EQ(log.Last(), "WriteSplData: " + missing + ": " + report.error);
    EXPECT_EQ(dir.FileCount(), 1u); // nothing is left behind
}
