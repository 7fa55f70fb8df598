#include "chart/peak_file.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

PeakEntry Peak(double position, double height, const char* name) {
    PeakEntry p;
    p.position = position;
    p.height = height;
    std::strncpy(p.name, name, sizeof p.name - 1);
    return p;
}

SplChart ChartWithTags() {
    SplChart chart;
    chart.version = 2;
    chart.flags = HASSM;
    chart.tags = {{"Comment:", "Run 3"}, {"Num of DATA:", "300"}, {"Number", "x"}};
    return chart;
}

} // namespace

TEST(PeakFileText, SortedNamedPeaksAfterTheFilteredHeader) {
    std::vector<PeakEntry> peaks = {Peak(240, 0.12, "B"), Peak(57, 0.0525, "A"), Peak(100, 0.5, ""),
                                    Peak(29, 0.00002, "C")};
    SortPeaksByPosition(peaks.data(), 4);
    EXPECT_EQ(PeakFileText(peaks.data(), 4, ChartWithTags()),
              "\"Comment:\",\"Run 3\"\r\n"
              "   29,   2.00000000E-005, \"C\"\r\n"
              "   57,   5.25000000E-002, \"A\"\r\n"
              "  240,   1.20000000E-001, \"B\"\r\n");
}

TEST(PeakFileText, HeightTimesFactorAndWidePositions) {
    PeakEntry p = Peak(1234567, 0.25, "Xe-133");
    p.factor = 4.0;
    EXPECT_EQ(PeakFileText(&p, 1, SplChart{}), "1234567,   1.00000000E+000, \"Xe-133\"\r\n");
    // A name filling the whole field is written whole, never past its end.
    std::memset(p.name, 'N', sizeof p.name);
    EXPECT_EQ(PeakFileText(&p, 1, SplChart{}),
              "1234567,   1.00000000E+000, \"" + std::string(sizeof p.name, 'N') + "\"\r\n");
}

TEST(SortPeaksByPosition, StableAndNonNumbersLast) {
    std::vector<PeakEntry> peaks = {Peak(5, 1, "a"), Peak(NAN, 1, "n"), Peak(2, 1, "b"),
                                    Peak(5, 1, "c"), Peak(-1, 1, "d")};
    SortPeaksByPosition(peaks.data(), 5);
    std::string order;
    for (auto& p : peaks)
        order += p.name;
    EXPECT_EQ(order, "dbacn");
}

TEST(CheckLowPeaks, AsksOncePerLowPeakAndAbandonsOnYes) {
    std::vector<PeakEntry> peaks = {Peak(10, 0.000005, "A"), Peak(20, LOW_PEAK_HEIGHT, "B"),
                                    Peak(30.9, 0.0, "C"), Peak(40, NAN, "D")};
    std::vector<std::string> asked;
    EXPECT_TRUE(CheckLowPeaks(peaks.data(), 4, [&](const std::string& text) {
        asked.push_back(text);
        return false;
    }));
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0],
              "10に非常に低い(0.001mV未満)ピークがあります。本当にピークかどうかをチェック"
              "してください。ピークの保存を中止しますか？");
    EXPECT_EQ(asked[1].substr(0, 2), "30");
    asked.clear();
    EXPECT_FALSE(CheckLowPeaks(peaks.data(), 4, [&](const std::string& text) {
        asked.push_back(text);
        return true;
    }));
    EXPECT_EQ(asked.size(), 1u);
}

TEST(ProposePeakFileName, ReplacesFromTheLastDotOfThePath) {
    EXPECT_EQ(ProposePeakFileName("D:\\data\\run.1\\chart"), "D:\\data\\run.PKS");
    EXPECT_EQ(ProposePeakFileName("/home/u/run3.spl"), "/home/u/run3.PKS");
    EXPECT_EQ(ProposePeakFileName("chart"), "chart");
    EXPECT_EQ(ProposePeakFileName("a.b.spl"), "a.b.PKS");
}

TEST(WritePeakFile, WritesSortedFileAndReportsFailure) {
    TempDir dir;
    const std::string path = dir.Name("run.PKS");
    std::vector<PeakEntry> peaks = {Peak(240, 0.12, "B"), Peak(57, 0.0525, "A")};
    SplChart chart;
    chart.tags = {{"Comment:", "Run 3"}};
    ASSERT_EQ(WritePeakFile(path, peaks.data(), 2, chart), 1);
    EXPECT_EQ(peaks[0].position, 57.0); // sorted in place
    EXPECT_EQ(Slurp(path), "\"Comment:\",\"Run 3\"\r\n"
                           "   57,   5.25000000E-002, \"A\"\r\n"
                           "  240,   1.20000000E-001, \"B\"\r\n");
    std::string error;
    EXPECT_EQ(WritePeakFile(dir.Name("missing/x.PKS"), peaks.data(), 2, chart, &error), 0);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Slurp(path).substr(0, 10), "\"Comment:\"");
}

TEST(PeakFileText, CleansTagTextsAsTheChartWriterDoes) {
    SplChart chart;
    chart.tags = {{"Site", "bc\nnext"},
                  {"Quote", "say \"hi\""},
                  {"Nul", std::string("a\0b", 3)},
                  {"\"", "no name left"},
                  {std::string(40, 'N'), "long name"}};
    std::vector<PeakEntry> peaks = {Peak(1, 0.5, "A\"B")};
    EXPECT_EQ(PeakFileText(peaks.data(), 1, chart), "\"Site\",\"bc\"\r\n"
                                                    "\"Quote\",\"say \"\r\n"
                                                    "\"Nul\",\"a\"\r\n\"" +
                                                        std::string(29, 'N') +
                                                        "\",\"long name\"\r\n"
                                                        "    1,   5.00000000E-001, \"A\"\r\n");
}

TEST(PeaksMarkedInRows, BuildsEntriesLikeTheViewer) {
    std::vector<SplSample> rows(5);
    rows[1].flags = SAMPLE_HAS_PEAK | SAMPLE_HAS_REVISED;
    rows[1].top[0] = 0.5;
    rows[1].base[0] = 0.1;
    rows[1].top[1] = 0.7;
    std::memset(rows[1].isotopeName, 'K', 40);
    rows[3].flags = SAMPLE_HAS_PEAK;
    std::strcpy(rows[3].isotopeName, "Ar");
    auto table0 = PeaksMarkedInRows(rows.data(), 5, 0);
    ASSERT_EQ(table0.size(), 2u);
    EXPECT_EQ(table0[0].position, 1.0);
    EXPECT_DOUBLE_EQ(table0[0].height, 0.4);
    EXPECT_EQ(std::string(table0[0].name), std::string(29, 'K'));
    EXPECT_EQ(table0[1].position, 3.0);
    auto table1 = PeaksMarkedInRows(rows.data(), 5, 1);
    ASSERT_EQ(table1.size(), 1u);
    EXPECT_DOUBLE_EQ(table1[0].height, 0.7);
    EXPECT_TRUE(PeaksMarkedInRows(rows.data(), 5, 2).empty());
}
