// The store holds times as a steady step while the rows keep one, and names as runs: rows read,
// built one by one or joined from two stores come back exactly as they went in. Long charts are
// parsed in stretches on two threads, yet the rows, the first error's log line and a rejected
// row's message are those of reading front to back; a cancelled read gives nothing.
#include "chart/chart_store.h"
#include "chart/spl_io.h"
#include "support/spl_test_support.h"

#include <climits>
#include <cstdio>
#include <functional>

using namespace spltest;

namespace {

// n rows as the writer forms them, every third one without the SPL2 columns (about 70 bytes each,
// so that 150000 rows span several of the reader's blocks), with the rows named in defects
// replaced by their lines.
std::string LongChart(int n, const std::vector<std::pair<int, std::string>>& defects = {}) {
    std::string text = "\"Comment:\",\"long\"\r\n\"Version\",\"2\"\r\n\"Number\",\"Time(S)\"\r\n";
    char line[160];
    size_t next = 0;
    for (int i = 0; i < n; ++i) {
        if (next < defects.size() && defects[next].first == i) {
            text += defects[next++].second;
            continue;
        }
        std::snprintf(line, sizeof line, "%8d,%9d,%17.7E, \"%s\",%17.7E\r\n", i, i, i * 1e-6,
                      i % 1000 < 990 ? "BG" : "Cs-137", i * 2e-6);
        text += line;
        if (i % 3 == 0 && i % 5000 != 17) { // the layout changes from row to row
            text.resize(text.size() - 20);
            text += "\r\n";
        }
        if (i % 5000 == 17) {
            text.resize(text.size() - 2);
            text += ",   1.0000000E+000,   2.5000000E-001,   0.0000000E+000,   0.0000000E+000\r\n";
        }
    }
    return text;
}

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

TEST(ChartStore, ReadingInStretchesEndsAtTheFirstDefectAsReadingInOrderWould) {
    const int n = 150000;
    struct Case {
        std::vector<std::pair<int, std::string>> defects;
        int rows;            // rows of the chart, or -1 when the read fails
        std::string lastLog; // the last run-log line
        std::string shown;   // the rejected row's title and text, if any
        long long line;      // the line told where the rows stopped (0: none)
    };
    const std::string badNumber = "       5,        5,   1.0E-003, \"BG\"\r\n";
    const std::string noSmoothed = "   40000,    40000,   1.0E-003, \"BG\",\r\n";
    const Case cases[] = {
        {{}, n, "150000 items", "", 0},
        {{{40000, "END\r\n"}}, 40000, "40000 items", "", 40004},
        {{{33000, badNumber}, {140000, "END\r\n"}}, -1, "Bad format of spl body.", "", 33004},
        {{{40000, "END\r\n"}, {140000, badNumber}}, 40000, "40000 items", "", 40004},
        {{{100001, badNumber}}, -1, "Bad format of spl body.", "", 100005},
        {{{40000, noSmoothed}}, -1, "", "40000/(Spldata:203) ,", 40004},
        {{{n - 1, "\r\n"}}, n - 1, "149999 items", "", 0},
    };
    TempDir dir;
    for (const Case& c : cases) {
        LogCapture log;
        std::string shown;
        SetSplRowErrorHandler([&shown](const std::string& text, const std::string& title) {
            shown = title + " " + text;
        });
        SplChart chart;
        SplReadInfo info;
        auto rows = ReadSplData(dir.File("chart.spl", LongChart(n, c.defects)), chart, &info);
        SetSplRowErrorHandler(nullptr);
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(rows ? info.stopLine : info.error.line, c.line);
        if (!c.lastLog.empty()) {
            EXPECT_EQ(log.Last(), c.lastLog);
        }
        ASSERT_EQ(rows ? static_cast<int>(rows->size()) : -1, c.rows);
        if (!rows) {
            EXPECT_TRUE(chart.tags.empty());
            continue;
        }
        EXPECT_EQ(rows->NameCount(), 2u);
        for (int i : {0, 33333, 39999, 67777, c.rows - 1}) {
            if (i >= c.rows) continue;
            SplSample s = rows->Row(static_cast<size_t>(i));
            EXPECT_EQ(s.time, i);
            EXPECT_STREQ(s.isotopeName, i % 1000 < 990 ? "BG" : "Cs-137");
            EXPECT_DOUBLE_EQ(s.smoothed, i % 3 == 0 ? 0.0 : i * 2e-6);
        }
        EXPECT_EQ(rows->Marks().size(), static_cast<size_t>((c.rows - 18) / 5000 + 1));
        EXPECT_EQ(rows->Row(5017).flags, SAMPLE_HAS_PEAK);
        // The rows are held by column: well under the row record's size.
        EXPECT_LT(rows->BytesHeld(), static_cast<size_t>(c.rows) * 32);
    }
}

TEST(ChartStore, CancelledReadGivesNothing) {
    TempDir dir;
    std::string file = dir.File("chart.spl", LongChart(1000));
    SplProgress progress;
    progress.cancel = true;
    SplChart chart;
    EXPECT_FALSE(ReadSplData(file, chart, nullptr, &progress));
    EXPECT_TRUE(progress.cancelled);
    EXPECT_TRUE(chart.tags.empty());
}

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
        ExpectRows(ReadSplData(dir.Name("in.spl"), chart).value(), rows);
    }
}
