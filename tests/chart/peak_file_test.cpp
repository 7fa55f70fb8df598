#include "chart/peak_file.h"
#include "support/files.h"
#include "support/spl_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace spltest;

TEST(PeakFileText, KnownAnswers) {
    // The header without "Num of DATA:" and "Number", then the named peaks.
    const SplChart tagged{
        2, HASSM, {{"Comment:", "Run 3"}, {"Num of DATA:", "300"}, {"Number", "x"}}};
    // Tag texts are cleaned as the chart writer cleans them.
    SplChart unsafe;
    unsafe.tags = {{"Site", "bc\nnext"},
                   {"Quote", "say \"hi\""},
                   {"Nul", std::string("a\0b", 3)},
                   {"\"", "no name left"},
                   {std::string(40, 'N'), "long name"}};
    // A name filling the whole field is written whole, never past its end.
    PeakEntry full = Peak(1234567, 0.25, "", 4.0);
    std::memset(full.name, 'N', sizeof full.name);
    const struct {
        std::vector<PeakEntry> peaks;
        SplChart chart;
        std::string text;
    } cases[] = {
        {{Peak(29, 0.00002, "C"), Peak(57, 0.0525, "A"), Peak(100, 0.5, ""), Peak(240, 0.12, "B")},
         tagged,
         "\"Comment:\",\"Run 3\"\r\n"
         "   29,   2.00000000E-005, \"C\"\r\n"
         "   57,   5.25000000E-002, \"A\"\r\n"
         "  240,   1.20000000E-001, \"B\"\r\n"},
        // The height times the factor; positions wider than their field.
        {{Peak(1234567, 0.25, "Xe-133", 4.0)}, {}, "1234567,   1.00000000E+000, \"Xe-133\"\r\n"},
        {{full},
         {},
         "1234567,   1.00000000E+000, \"" + std::string(sizeof full.name, 'N') + "\"\r\n"},
        {{Peak(1, 0.5, "A\"B")},
         unsafe,
         "\"Site\",\"bc\"\r\n\"Quote\",\"say \"\r\n\"Nul\",\"a\"\r\n\"" + std::string(29, 'N') +
             "\",\"long name\"\r\n    1,   5.00000000E-001, \"A\"\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PeakFileText(c.peaks.data(), static_cast<int>(c.peaks.size()), c.chart), c.text);
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
    const std::string first =
        "10に非常に低い(0.001mV未満)ピークがあります。本当にピークかどうかをチェック"
        "してください。ピークの保存を中止しますか？|";
    for (bool abandon : {false, true}) {
        std::string asked; // the first question whole, then the others' positions
        EXPECT_EQ(CheckLowPeaks(peaks.data(), 4,
                                [&](const std::string& text) {
                                    asked += (asked.empty() ? text : text.substr(0, 2)) + "|";
                                    return abandon;
                                }),
                  !abandon);
        EXPECT_EQ(asked, first + (abandon ? "" : "30|40|"));
    }
}

TEST(ProposePeakFileName, ReplacesFromTheLastDotOfThePath) {
    EXPECT_EQ(ProposePeakFileName("D:\\data\\run.1\\chart"), "D:\\data\\run.PKS");
    EXPECT_EQ(ProposePeakFileName("/home/u/run3.spl"), "/home/u/run3.PKS");
    EXPECT_EQ(ProposePeakFileName("chart"), "chart");
    EXPECT_EQ(ProposePeakFileName("a.b.spl"), "a.b.PKS");
}

TEST(WritePeakFile, SortsThePeaksItWrites) {
    TempDir dir;
    const std::string path = dir.Name("run.PKS");
    std::vector<PeakEntry> peaks = {Peak(240, 0.12, "B"), Peak(57, 0.0525, "A")};
    const SplChart chart{0, 0, {{"Comment:", "Run 3"}}};
    ASSERT_EQ(WritePeakFile(path, peaks.data(), 2, chart), 1);
    EXPECT_EQ(peaks[0].position, 57.0); // sorted in place
    EXPECT_EQ(Slurp(path), PeakFileText(peaks.data(), 2, chart));
}

// Peaks taken from a chart's row marks (where and how high: the command-line tool's tests) are
// named after the row: cut to MAX_ELEM_NAME - 1 bytes, never inside a UTF-8 character.
TEST(PeaksMarkedInRows, NamesAreCutBetweenCharacters) {
    const std::string a28(28, 'a'), kana = "\xE3\x81\x82"; // one character of three bytes
    std::string tenKana;
    for (int i = 0; i < 10; ++i)
        tenKana += kana;
    const struct {
        std::string name, expected;
    } names[] = {
        {std::string(40, 'K'), std::string(29, 'K')},
        {a28 + kana, a28},
        {tenKana, tenKana.substr(0, 27)},
        {"ab" + kana, "ab" + kana},
    };
    for (const auto& c : names) {
        SplSample row;
        row.flags = SAMPLE_HAS_PEAK;
        std::strncpy(row.isotopeName, c.name.c_str(), sizeof row.isotopeName - 1);
        EXPECT_EQ(PeaksMarkedInRows(ChartStore(&row, 1), 0).at(0).name, c.expected) << c.name;
    }
}
