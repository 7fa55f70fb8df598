// Peaks taken from a chart's row marks are named after the row as the viewer names them: cut to
// MAX_ELEM_NAME - 1 bytes, never inside a UTF-8 character.
#include "chart/peak_file.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(PeaksMarkedInRows, NamesAreCutBetweenCharacters) {
    const std::string a28(28, 'a');
    const std::string kana = "\xE3\x81\x82"; // one character of three bytes
    std::string tenKana, nineKana;
    for (int i = 0; i < 10; ++i)
        tenKana += kana;
    nineKana = tenKana.substr(0, 27);
    const struct {
        std::string name, expected;
    } cases[] = {
        {std::string(40, 'K'), std::string(29, 'K')},
        {a28 + kana, a28},
        {tenKana, nineKana},
        {"ab" + kana, "ab" + kana},
    };
    for (const auto& c : cases) {
        SplSample row;
        row.flags = SAMPLE_HAS_PEAK;
        std::strncpy(row.isotopeName, c.name.c_str(), sizeof row.isotopeName - 1);
        EXPECT_EQ(PeaksMarkedInRows(&row, 1, 0).at(0).name, c.expected) << c.name;
        EXPECT_EQ(PeaksMarkedInRows(ChartStore(&row, 1), 0).at(0).name, c.expected) << c.name;
    }
}
