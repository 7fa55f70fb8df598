// The store holds times as a steady step while the rows keep one, and names as runs: rows read,
// built one by one or joined from two stores come back exactly as they went in, whatever the
// times do and wherever a name first appears.
#include "chart/chart_store.h"
#include "support/spl_test_support.h"

#include <climits>
#include <functional>

using namespace spltest;

namespace {

struct Pattern {
    const char* what;
    std::function<int32_t(int)> time;
};

const Pattern PATTERNS[] = {
    {"steady from 0", [](int i) { return i; }},
    {"steady step 3 from -5", [](int i) { return -5 + 3 * i; }},
    {"jump at row 2", [](int i) { return i < 2 ? i : i + 7; }},
    {"jump late", [](int i) { return i < 120000 ? i : i + 1000; }},
    {"all equal", [](int) { return 42; }},
    {"extremes", [](int i) { return i == 0   ? INT_MIN
                                    : i == 1 ? INT_MAX
                                             : i; }},
};

std::string NameOf(int i) {
    return i < 130000 ? (i % 1000 < 990 ? "BG" : "Cs-137") : (i % 2 ? "Co-60" : "BG");
}

std::vector<SplSample> Rows(const Pattern& p, int n) {
    std::vector<SplSample> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back(Row(p.time(i), (i % 1000) / 8.0, NameOf(i).c_str()));
    return rows;
}

} // namespace

TEST(ChartStoreColumns, RowsComeBackAsBuiltJoinedOrRead) {
    const int n = 150000;
    TempDir dir;
    ChartStore scratch; // reused for every join, as the reader does
    for (const Pattern& p : PATTERNS) {
        SCOPED_TRACE(p.what);
        const std::vector<SplSample> rows = Rows(p, n);
        ExpectRows(ChartStore(rows), rows);
        for (size_t split : {size_t{0}, size_t{1}, size_t{2}, size_t{3}, size_t{125000}}) {
            SCOPED_TRACE(split);
            ChartStore joined(rows.data(), split);
            scratch.Clear();
            for (size_t i = split; i < rows.size(); ++i)
                scratch.Append(rows[i]);
            joined.AppendStore(scratch);
            ExpectRows(joined, rows);
            EXPECT_EQ(joined.NameCount(), 3u);
        }
        // Through a file, where the reader parses the halves of its blocks on two threads.
        ASSERT_EQ(WriteSplData(dir.Name("in.spl"), ChartStore(rows), SplChart()), 1);
        SplChart chart;
        std::optional<ChartStore> read = ReadSplData(dir.Name("in.spl"), chart);
        ASSERT_TRUE(read);
        ExpectRows(*read, rows);
    }
}
