#include "chart/spl_io.h"
#include "chart/spl_line_reader.h"
#include "chart/spl_scan.h"
#include "support/spl_test_support.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sys/stat.h>

using namespace spltest;
using namespace std::string_literals;

namespace {

const char PLAIN_COLUMNS[] = "\"Number\",\"Time(S)\",\"Data(Volt)\"     ,\"Isotope name\"\n";

std::string Rows(int count, int first = 0) {
    std::string text;
    char line[128];
    for (int i = first; i < first + count; ++i) {
        std::snprintf(line, sizeof line, "%8d,%9d,%17.7E, \"N\"\n", i, i, i * 0.5);
        text += line;
    }
    return text;
}

} // namespace

TEST(ReadSplData, ReadsTheExampleSpl2File) {
    TempDir dir;
    LogCapture log;
    ReadResult r = ReadText(dir, SHORT_SPL2_FILE);
    ASSERT_TRUE(r.rows);
    ASSERT_EQ(r.rows->size(), 3u);
    EXPECT_EQ(r.chart.version, 2);
    EXPECT_EQ(r.chart.flags, HASSM);
    ASSERT_EQ(r.chart.tagCount(), 2);
    EXPECT_EQ(r.chart.tags[0].name, "Comment:");
    EXPECT_EQ(r.chart.tags[0].value, "Run 3");
    EXPECT_EQ(r.chart.tags[1].name, "Num of DATA:");
    EXPECT_EQ(r.chart.tags[1].value, "3");
    const SplSample& a = (*r.rows)[0];
    EXPECT_EQ(a.time, 0);
    EXPECT_EQ(a.data, 1.0e-3);
    EXPECT_STREQ(a.isotopeName, "A");
    EXPECT_EQ(a.smoothed, 1.1e-3);
    EXPECT_EQ(a.flags, 0u);
    EXPECT_EQ(a.top[0], 0.0);
    const SplSample& b = (*r.rows)[1];
    EXPECT_EQ(b.flags, SAMPLE_HAS_PEAK);
    EXPECT_EQ(b.top[0], 5.25e-2);
    EXPECT_EQ(b.base[0], 1.0e-3);
    EXPECT_EQ(b.top[1], 0.0);
    EXPECT_EQ((*r.rows)[2].data, 2.0e-3);
    std::vector<std::string> expected = {
        "Comment:",
        "Num of DATA:",
        "Version",
        "Smoothed",
        "Set HASSM",
        "Number",
        "\"Time(S)\",\"Data(Volt)\"     ,\"Isotope name\",\"Smoothed\",\"Peak Top\",\"Peak "
        "Base\",\"Revised Top\",\"Revised Base\",\"Left\",\"Top\",\"Right\",\"Bottom\",\"Left "
        "a\",\"Right a\"",
        "Comment: the end of header.",
        "Header loaded.",
        "3 items"};
    EXPECT_EQ(log.lines, expected);
}

TEST(ReadSplData, HeaderTagValues) {
    TempDir dir;
    ReadResult r = ReadText(dir, "\"Gain\", 2.5\n"
                                 "\"Count\",     100\n"
                                 "\"Range\", -+12x\n"
                                 "\"Neg\",-5\n"
                                 "\"Site\",abc\n"
                                 "\"Open\",\"abc\n"
                                 "\"Comment:\",\"\"\n"
                                 "\"Comment:\",\"second\" tail\n"
                                 "\"High\",\xe9t\xe9\"\n"
                                 "\"Smoothed\",\"yes\"\n" +
                                     std::string(PLAIN_COLUMNS) + Rows(2));
    ASSERT_TRUE(r.rows);
    EXPECT_EQ(r.rows->size(), 2u);
    EXPECT_EQ(r.chart.flags, HASSM);
    EXPECT_EQ(r.chart.version, 0);
    std::vector<std::pair<std::string, std::string>> tags;
    for (const SplTag& t : r.chart.tags)
        tags.emplace_back(t.name, t.value);
    std::vector<std::pair<std::string, std::string>> expected = {
        {"Gain", "2"},    {"Count", "100"},       {"Range", "-+12"},
        {"Neg", "5\n"},   {"Site", "bc\n"},       {"Open", "abc\n"},
        {"Comment:", ""}, {"Comment:", "second"}, {"High", "t\xe9"}};
    EXPECT_EQ(tags, expected);

    // "NO" and any other value leave HASSM alone; no "Number" line: the first other line is row 0.
    r = ReadText(dir, "\"Smoothed\",\"NO\"\n\"Smoothed\",\"YE\"\n" + Rows(3));
    ASSERT_TRUE(r.rows);
    EXPECT_EQ(r.rows->size(), 3u);
    EXPECT_EQ(r.chart.flags, 0u);
    EXPECT_EQ(r.chart.tagCount(), 0);

    // A tag name longer than 29 characters is cut to 29.
    r = ReadText(dir, "\"" + std::string(40, 'T') + "\",\"v\"\n" + Rows(1));
    ASSERT_TRUE(r.rows);
    ASSERT_EQ(r.chart.tagCount(), 1);
    EXPECT_EQ(r.chart.tags[0].name, std::string(29, 'T'));
}

TEST(ReadSplData, HeaderFailuresAndTheStateTheyLeave) {
    TempDir dir;
    LogCapture log;
    const std::string good = "\"Comment:\",\"x\"\n\"Version\",\"3\"\n\"Smoothed\",\"YES\"\n";

    ReadResult r = ReadText(dir, good + "\"Title\"\n" + Rows(1));
    EXPECT_FALSE(r.rows);
    EXPECT_EQ(log.lines.end()[-2], "\"Title\"");
    EXPECT_EQ(log.Last(), "Invalid format of record(tag)");
    EXPECT_EQ(r.chart.tagCount(), 0);
    EXPECT_EQ(r.chart.version, 3); // what the header set before the fault stays
    EXPECT_EQ(r.chart.flags, HASSM);

    for (const char* bad : {"\"\",\"x\"\n", "\"Title\n", "\"Title\" ,\"x\"\n"}) {
        r = ReadText(dir, good + bad + Rows(1));
        EXPECT_FALSE(r.rows) << bad;
        EXPECT_EQ(log.Last(), "Invalid format of record(tag)") << bad;
    }

    r = ReadText(dir, good + "\"Comment:\",\n" + Rows(1));
    EXPECT_FALSE(r.rows);
    EXPECT_EQ(log.Last(), "Invalid format fo record(content: number)");
    EXPECT_EQ(r.chart.tagCount(), 0);
    r = ReadText(dir, "\"Gain\",  x5\n" + Rows(1));
    EXPECT_FALSE(r.rows);
    EXPECT_EQ(log.lines.end()[-2], "  x5");
    EXPECT_EQ(log.Last(), "Invalid format fo record(content: number)");

    for (const char* bad : {"\"Version\",2\n", "\"Version\",\"x\"\n", "\"Version\",\"\"\n",
                            "\"Version\",\"2147483648\"\n", "\"Version\",\"99999999999\"\n"}) {
        r = ReadText(dir, std::string("\"Comment:\",\"x\"\n") + bad + Rows(1));
        EXPECT_FALSE(r.rows) << bad;
        EXPECT_EQ(log.Last(), "Invalid version format") << bad;
        EXPECT_EQ(r.chart.tagCount(), 0);
    }
    // The closing quote of the version is not checked; blanks and a sign are taken.
    r = ReadText(dir, "\"Version\",\" -7\n" + Rows(1));
    ASSERT_TRUE(r.rows);
    EXPECT_EQ(r.chart.version, -7);

    // The file ends inside the header: the tags read so far stay.
    r = ReadText(dir, good);
    EXPECT_FALSE(r.rows);
    EXPECT_EQ(log.Last(), "Unexpected end of file.");
    EXPECT_EQ(r.chart.tagCount(), 1);
    EXPECT_EQ(r.chart.version, 3);
    r = ReadText(dir, "");
    EXPECT_FALSE(r.rows);
    EXPECT_EQ(log.Last(), "Unexpected end of file.");
}

TEST(ReadSplData, ArgumentAndOpenFailuresLeaveTheChartAlone) {
    TempDir dir;
    LogCapture log;
    SplChart chart;
    chart.version = 2;
    chart.tags.push_back({"Comment:", "kept"});
    EXPECT_FALSE(ReadSplData("", chart));
    EXPECT_EQ(log.Last(), "Invalid arguments.");
    std::string missing = dir.Name("missing.spl");
    EXPECT_FALSE(ReadSplData(missing, chart));
    EXPECT_EQ(log.Last(), missing + " can't be opened.");
    EXPECT_FALSE(ReadSplData(dir.path.string(), chart)); // a folder
    EXPECT_EQ(log.Last(), dir.path.string() + " can't be opened.");
    EXPECT_EQ(chart.version, 2);
    ASSERT_EQ(chart.tagCount(), 1);
    EXPECT_EQ(chart.tags[0].value, "kept");
}

TEST(ReadSplData, WhereTheRowsEnd) {
    TempDir dir;
    LogCapture log;
    // The column-header line is the last line: a chart of no rows.
    ReadResult r = ReadText(dir, "\"Comment:\",\"x\"\n" + std::string(PLAIN_COLUMNS));
    ASSERT_TRUE(r.rows);
    EXPECT_TRUE(r.rows->empty());
    EXPECT_EQ(log.Last(), "0 items");

    // An empty line ends the rows; so does a line beginning with anything but a blank.
    r = ReadText(dir, std::string(PLAIN_COLUMNS) + Rows(4) + "\n" + Rows(2, 4));
    ASSERT_TRUE(r.rows);
    EXPECT_EQ(r.rows->size(), 4u);
    EXPECT_EQ(log.lines.end()[-3], "");
    EXPECT_EQ(log.lines.end()[-2], "Invalid format of record");
    EXPECT_EQ(log.Last(), "4 items");
    r = ReadText(dir, std::string(PLAIN_COLUMNS) + Rows(2) + "\t2, 2, 1.0, \"N\"\n");
    ASSERT_TRUE(r.rows);
    EXPECT_EQ(r.rows->size(), 2u);

    // The last row without its line end, and CR LF against LF.
    std::string lf = std::string(PLAIN_COLUMNS) + Rows(3);
    r = ReadText(dir, lf.substr(0, lf.size() - 1));
    ASSERT_TRUE(r.rows);
    EXPECT_EQ(r.rows->size(), 3u);
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ReadResult r2 = ReadText(dir, crlf);
    ASSERT_TRUE(r2.rows);
    ASSERT_EQ(r2.rows->size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(SameRow((*r.rows)[i], (*r2.rows)[i]));

    // The header ends at a line that is no header line; when it is no row either, no rows.
    r = ReadText(dir, "\"Comment:\",\"x\"\nfree text\n" + Rows(2));
    ASSERT_TRUE(r.rows);
    EXPECT_TRUE(r.rows->empty());
    EXPECT_EQ(r.chart.tagCount(), 1);
}

TEST(ReadSplData, TellsWhereAChartWasCutShort) {
    TempDir dir;
    LogCapture log;
    struct Case {
        std::string text;
        bool read; // the read succeeds
        size_t rows;
        bool cutShort;
        long long stopLine;
        std::string failure;
    } cases[] = {
        // A blank line in the middle, with rows after it: cut short at line 6.
        {std::string(PLAIN_COLUMNS) + Rows(4) + "\n" + Rows(2, 4), true, 4, true, 6, ""},
        // Blank lines (and blanks) at the end only: whole.
        {std::string(PLAIN_COLUMNS) + Rows(3) + "\n \r\n\t\n", true, 3, false, 0, ""},
        // A long line of text after the rows.
        {std::string(PLAIN_COLUMNS) + Rows(1) + std::string(1500, 'x') + "\n", true, 1, true, 3,
         ""},
        // No header line and no row: no chart (a binary file, free text).
        {"\x7f"
         "ELF\x02\x01\x01\n\x00\x00",
         false, 0, false, 0, "line 1: neither a header line nor a row"},
        {"\n", false, 0, false, 0, "line 1: neither a header line nor a row"},
        {std::string(PLAIN_COLUMNS) + " 7, 0, 1.0, \"A\"\n", false, 0, false, 0,
         "line 2: Bad format of spl body."},
    };
    for (const Case& c : cases) {
        SplChart chart;
        SplReadInfo info;
        auto rows = ReadSplData(dir.File("cut.spl", c.text), chart, &info);
        ASSERT_EQ(rows.has_value(), c.read) << c.text.substr(0, 40);
        EXPECT_EQ(info.failure, c.failure);
        if (!rows) continue;
        EXPECT_EQ(rows->size(), c.rows);
        EXPECT_EQ(info.cutShort, c.cutShort);
        EXPECT_EQ(info.stopLine, c.stopLine);
    }
}

TEST(ReadSplData, RefusesFifosAndFoldersAtOnceWithTheReason) {
    TempDir dir;
    const std::string fifo = dir.Name("pipe.spl");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    SplChart chart;
    SplReadInfo info;
    // No writer ever opens the FIFO: a blocking open would never return.
    EXPECT_FALSE(ReadSplData(fifo, chart, &info));
    EXPECT_EQ(info.failure, "not a regular file (a device or FIFO)");
    EXPECT_FALSE(ReadSplData(dir.path.string(), chart, &info));
    EXPECT_EQ(info.failure, "Is a directory");
    EXPECT_FALSE(ReadSplData(dir.Name("missing.spl"), chart, &info));
    EXPECT_EQ(info.failure, "No such file or directory");
}

TEST(ReadSplData, RejectedRowsFailTheWholeRead) {
    TempDir dir;
    LogCapture log;
    const std::string head = "\"Comment:\",\"x\"\n\"Version\",\"1\"\n\"Smoothed\",\"YES\"\n" +
                             std::string(PLAIN_COLUMNS);
    const std::string bad[] = {
        " 1, 0, 1.0, \"A\"\n"s,                    // numbered from 1
        " 0, 0, 1.0, \"\"\n"s,                     // empty name
        " 0, 0.5, 1.0, \"A\"\n"s,                  // time with a fraction
        " 0 , 0, 1.0, \"A\"\n"s,                   // blank before a comma
        " 0, 0, 1.0 , \"A\"\n"s,                   //
        " 0, 0, x, \"A\"\n"s,                      // no number
        " 0, 0, 1.0, A\n"s,                        // name without quotes
        " 0, 0, 1.0, \"A\n"s,                      // no closing quote
        " 0, 0, 1.0, \"A\0\"\n"s,                  // the line ends (NUL) inside the name
        " 0, 2147483648, 1.0, \"A\"\n"s,           // time beyond 32 bits
        " 0, 99999999999999999999, 1.0, \"A\"\n"s, //
        " 4294967296, 0, 1.0, \"A\"\n"s,           // number that wraps to 0 in 32 bits
        " 0\n"s,                                   // too few fields
    };
    for (const std::string& row : bad) {
        std::string text = head + row;
        ReadResult r = ReadText(dir, text);
        EXPECT_FALSE(r.rows) << row;
        EXPECT_EQ(log.Last(), "Bad format of spl body.") << row;
        EXPECT_EQ(r.chart.tagCount(), 0);
        EXPECT_EQ(r.chart.version, 1); // the header's version and flags stay
        EXPECT_EQ(r.chart.flags, HASSM);
    }
    // A gap in the numbering.
    ReadResult r = ReadText(dir, head + Rows(3) + Rows(1, 4));
    EXPECT_FALSE(r.rows);
    EXPECT_EQ(log.Last(), "Bad format of spl body.");
    // A number of eight digits leaves no leading blank: the rows end before it.
    r = ReadText(dir, head + "12345678,        0,   1.0000000E-003, \"A\"\n");
    ASSERT_TRUE(r.rows);
    EXPECT_TRUE(r.rows->empty());
}

TEST(ReadSplData, RowErrorsGoToTheHandler) {
    TempDir dir;
    LogCapture log;
    std::vector<std::pair<std::string, std::string>> shown;
    SetSplRowErrorHandler([&](const std::string& text, const std::string& title) {
        shown.emplace_back(text, title);
    });
    const std::string head = "\"Version\",\"2\"\n" + std::string(PLAIN_COLUMNS) + Rows(2);
    ReadResult r = ReadText(dir, head + "       2,        2,   1.0E-003, \"A\", oops\n");
    EXPECT_FALSE(r.rows);
    r = ReadText(dir, head + "       2,        2,   1.0E-003, \"A\",\n");
    EXPECT_FALSE(r.rows);
    r = ReadText(dir, head + "       2,        2,   1.0E-003, \"A\",1.0, 2.0, 3.0\r\n");
    EXPECT_FALSE(r.rows);
    r = ReadText(dir, head + " 2, 2, 1.0, \"A\", 1.0, 2.0, 3.0 , 4.0\n");
    EXPECT_FALSE(r.rows);
    EXPECT_EQ(r.chart.tagCount(), 0);
    SetSplRowErrorHandler(nullptr);
    std::vector<std::pair<std::string, std::string>> expected = {
        {", oops", "2/(Spldata:203)"},
        {",", "2/(Spldata:203)"},
        {", 2.0, 3.0", "2/(Spldata:220)"},
        {", 2.0, 3.0 , 4.0", "2/(Spldata:220)"}};
    EXPECT_EQ(shown, expected);

    // Without a handler the rejection is logged.
    r = ReadText(dir, " 0, 0, 1.0, \"A\",-\n");
    EXPECT_FALSE(r.rows);
    EXPECT_EQ(log.Last(), "0/(Spldata:203) ,-");
}

TEST(ReadSplData, ExtendedColumnsPerRow) {
    TempDir dir;
    ReadResult r = ReadText(dir, "\"Version\",\"1\"\n" + std::string(PLAIN_COLUMNS) +
                                     " 0, 0, 1.0, \"A\"\n"                     // plain
                                     " 1, 1, 2.0, \"A\" , 9.0\n"               // blank: plain
                                     " 2, 2, 3.0, \"A\",4.5\n"                 // smoothed only
                                     " 3, 3, 4.0, \"A\", 5.5 , 1, 2, 3, 4\n"   // blank: no peaks
                                     " 4, 4, 5.0, \"A\",6.5,0,0,7,0\n"         // revised only
                                     " 5, 5, 6.0, \"A\",6.5,1,0,0,-2, extra\n" // both tables
                                     " 6, -6, +7e1, \"A B\", 0x1p3,-0,0,0,nan\n"
                                     " 7,+7,\t-INF,\"A\",infinity,1e999,1e-999,.5,5.\n");
    ASSERT_TRUE(r.rows);
    const auto& rows = *r.rows;
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(r.chart.version, 2); // raised by the first row with a smoothed value
    EXPECT_EQ(rows[0].smoothed, 0.0);
    EXPECT_EQ(rows[1].smoothed, 0.0);
    EXPECT_EQ(rows[2].smoothed, 4.5);
    EXPECT_EQ(rows[3].smoothed, 5.5);
    EXPECT_EQ(rows[3].top[0], 0.0);
    EXPECT_EQ(rows[3].flags, 0u);
    EXPECT_EQ(rows[4].flags, SAMPLE_HAS_REVISED);
    EXPECT_EQ(rows[4].top[1], 7.0);
    EXPECT_EQ(rows[5].flags, SAMPLE_HAS_PEAK | SAMPLE_HAS_REVISED);
    EXPECT_EQ(rows[5].base[1], -2.0);
    EXPECT_EQ(rows[6].time, -6);
    EXPECT_EQ(rows[6].data, 70.0);
    EXPECT_STREQ(rows[6].isotopeName, "A B");
    EXPECT_EQ(rows[6].smoothed, 8.0);
    EXPECT_EQ(rows[6].flags, SAMPLE_HAS_REVISED); // NaN differs from 0
    EXPECT_EQ(rows[7].time, 7);
    EXPECT_EQ(rows[7].data, -INFINITY);
    EXPECT_EQ(rows[7].smoothed, INFINITY);
    EXPECT_EQ(rows[7].top[0], INFINITY);
    EXPECT_EQ(rows[7].base[0], 0.0);
    EXPECT_EQ(rows[7].top[1], 0.5);
    EXPECT_EQ(rows[7].base[1], 5.0);
}

TEST(ReadSplData, LongLinesAreReadInPieces) {
    TempDir dir;
    // A 1500-character header line: its remainder is the next line, which ends the header and,
    // beginning with no blank, the rows.
    ReadResult r = ReadText(dir, "\"Comment:\",\"" + std::string(1500, 'x') + "\"\n" + Rows(2));
    ASSERT_TRUE(r.rows);
    EXPECT_TRUE(r.rows->empty());
    ASSERT_EQ(r.chart.tagCount(), 1);
    EXPECT_EQ(r.chart.tags[0].value, std::string(1023 - 12, 'x'));
    // Its remainder beginning with a blank is taken as a row.
    r = ReadText(dir, "\"Comment:\",\"" + std::string(1011, 'x') + " 0, 0, 1.0, \"A\"\n");
    ASSERT_TRUE(r.rows);
    ASSERT_EQ(r.rows->size(), 1u);

    // Isotope names fill their field up to 63 characters and are written back as read; a longer
    // one is cut to its first 63, and the columns after it are still read.
    for (size_t length : {63, 64, 65, 100}) {
        const std::string name(length, 'n'), kept(std::min<size_t>(length, 63), 'n');
        r = ReadText(dir, " 0, 0, 1.0, \"" + name + "\", 2.0\n");
        ASSERT_TRUE(r.rows) << length;
        EXPECT_EQ(std::string((*r.rows)[0].isotopeName), kept) << length;
        EXPECT_EQ((*r.rows)[0].smoothed, 2.0) << length;
        const std::string copy = dir.Name("copy.spl");
        ASSERT_EQ(WriteSplData(copy, *r.rows, r.chart), 1);
        EXPECT_NE(Slurp(copy).find(", \"" + kept + "\","), std::string::npos) << length;
        EXPECT_EQ(Slurp(copy).find(kept + "n"), std::string::npos) << length;
    }

    // A row of 1022 characters and its line end is one piece; one more character splits it,
    // and its line end becomes an empty line that ends the rows.
    auto row = [](int i, size_t length) {
        std::string s(1, ' ');
        s += std::to_string(i) + ", 0, 1.0, \"A\"";
        return s + std::string(length - s.size(), ' ');
    };
    r = ReadText(dir, row(0, 1022) + "\r\n" + row(1, 1022) + "\n");
    ASSERT_TRUE(r.rows);
    EXPECT_EQ(r.rows->size(), 2u);
    r = ReadText(dir, row(0, 1023) + "\r\n" + row(1, 30) + "\n");
    ASSERT_TRUE(r.rows);
    EXPECT_EQ(r.rows->size(), 1u);
}

TEST(SplLineReader, PiecesAsTextModeFgetsGivesThem) {
    TempDir dir;
    std::string text = std::string(1022, 'a') + "\r\n" + std::string(1023, 'b') + "\r\n" +
                       std::string(2100, 'c') + "\n\r\r\nlast\r";
    SplLineReader reader;
    ASSERT_TRUE(reader.Open(dir.File("t", text)));
    std::vector<std::string> pieces;
    std::string_view piece;
    while (reader.Next(piece))
        pieces.emplace_back(piece);
    EXPECT_FALSE(reader.failed());
    std::vector<std::string> expected = {
        std::string(1022, 'a') + "\n", std::string(1023, 'b'),      "\n",   std::string(1023, 'c'),
        std::string(1023, 'c'),        std::string(54, 'c') + "\n", "\r\n", "last\r"};
    EXPECT_EQ(pieces, expected);
    EXPECT_EQ(reader.consumed(), static_cast<long long>(text.size()));
}

TEST(ReadSplData, ChartsLargerThanTheFirstBlock) {
    TempDir dir;
    std::string text = "\"Version\",\"2\"\n" + std::string(PLAIN_COLUMNS);
    char line[128];
    for (int i = 0; i < 45000; ++i) {
        if (i % 3 == 0)
            std::snprintf(line, sizeof line, "%8d,%9d,%17.7E, \"N\"\n", i, i, 1.0);
        else
            std::snprintf(line, sizeof line, "%8d,%9d,%17.7E, \"N\",%17.7E\n", i, i, 1.0, 2.0);
        text += line;
    }
    ReadResult r = ReadText(dir, text);
    ASSERT_TRUE(r.rows);
    ASSERT_EQ(r.rows->size(), 45000u);
    for (int i = 0; i < 45000; ++i) {
        ASSERT_EQ((*r.rows)[i].time, i);
        ASSERT_EQ((*r.rows)[i].smoothed, i % 3 == 0 ? 0.0 : 2.0) << i;
    }
}

TEST(ReadSplData, ExampleCharts) {
    SplChart chart;
    auto rows = ReadSplData(VORTAN_EXAMPLES "/run3.spl", chart);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), 6000u);
    EXPECT_LT(chart.version, 2);
    EXPECT_EQ(chart.tagCount(), 4);

    rows = ReadSplData(VORTAN_EXAMPLES "/run3-peaks.spl", chart);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 6000u);
    EXPECT_EQ(chart.version, 2);
    EXPECT_EQ(chart.flags, HASSM);
    int peaks = 0, revised = 0, smoothed = 0;
    for (const SplSample& s : *rows) {
        peaks += (s.flags & SAMPLE_HAS_PEAK) != 0;
        revised += (s.flags & SAMPLE_HAS_REVISED) != 0;
        smoothed += s.smoothed != 0.0;
    }
    EXPECT_GT(peaks, 0);
    EXPECT_GT(revised, 0);
    EXPECT_GT(smoothed, 5000);
}

TEST(SplScanDouble, AcceptsWhatStrtodAccepts) {
    const char alphabet[] = "0123456789.eE+-xXpPinfatyNIFA()_ \t";
    std::mt19937 rng(7);
    for (int i = 0; i < 200000; ++i) {
        char text[16];
        size_t n = 1 + rng() % 12;
        for (size_t k = 0; k < n; ++k)
            text[k] = alphabet[rng() % (sizeof alphabet - 1)];
        text[n] = '\0';
        char* stop;
        double expected = std::strtod(text, &stop);
        double got = 0;
        const char* end = SplScanDouble(text, text + n, &got);
        if (stop == text) {
            ASSERT_EQ(end, nullptr) << text;
        } else {
            ASSERT_EQ(end, stop) << text;
            ASSERT_TRUE(SameDouble(got, expected)) << text;
            ASSERT_EQ(std::signbit(got), std::signbit(expected)) << text;
        }
    }
    // Exact rounding of long and boundary decimals.
    for (const char* text :
         {"2.2250738585072011e-308", "4.9406564584124654e-324", "1.7976931348623157e308",
          "0.1000000000000000055511151231257827", "9007199254740993", "1e-400", "-1e400"}) {
        double got = 0;
        ASSERT_NE(SplScanDouble(text, text + std::strlen(text), &got), nullptr);
        EXPECT_EQ(got, std::strtod(text, nullptr)) << text;
    }
}

TEST(ReadSplData, FuzzRegressionInputs) {
    // Inputs kept from fuzzing: each reads without a fault, and one that loads is written and
    // read back to as many rows, the second save giving the same bytes as the first.
    TempDir dir;
    SetSplRowErrorHandler([](const std::string&, const std::string&) {});
    int files = 0;
    for (const auto& entry : fs::directory_iterator(VORTAN_TEST_DATA "/fuzz")) {
        ++files;
        SplChart chart;
        auto rows = ReadSplData(entry.path().string(), chart);
        if (!rows) continue;
        std::string first = dir.Name("first.spl"), second = dir.Name("second.spl");
        ASSERT_EQ(WriteSplData(first, *rows, chart), 1) << entry.path();
        SplChart chart2;
        auto rows2 = ReadSplData(first, chart2);
        ASSERT_TRUE(rows2) << entry.path();
        ASSERT_EQ(rows2->size(), rows->size()) << entry.path();
        ASSERT_EQ(WriteSplData(second, *rows2, chart2), 1);
        EXPECT_EQ(Slurp(first), Slurp(second)) << entry.path();
    }
    SetSplRowErrorHandler(nullptr);
    EXPECT_GE(files, 5);
}

TEST(ReadSplData, CurrentChartAfterSuccessAndFailure) {
    TempDir dir;
    CurrentChart.Reset();
    auto rows = ReadSplData(dir.File("a.spl", "\"Comment:\",\"x\"\n\"Version\",\"2\"\n" +
                                                  std::string(PLAIN_COLUMNS) + Rows(2)),
                            CurrentChart);
    ASSERT_TRUE(rows);
    EXPECT_EQ(CurrentChart.tagCount(), 1);
    EXPECT_EQ(CurrentChart.version, 2);
    // A failed read in the rows leaves no tags, the header's version and no HASSM from before.
    rows = ReadSplData(dir.File("b.spl", "\"Comment:\",\"y\"\n\"Version\",\"1\"\n" + Rows(1, 1)),
                       CurrentChart);
    EXPECT_FALSE(rows);
    EXPECT_EQ(CurrentChart.tagCount(), 0);
    EXPECT_EQ(CurrentChart.version, 1);
    EXPECT_EQ(CurrentChart.flags, 0u);
    // A file that cannot be opened leaves it as it was.
    CurrentChart.tags.push_back({"Kept", "1"});
    EXPECT_FALSE(ReadSplData(dir.Name("none.spl"), CurrentChart));
    EXPECT_EQ(CurrentChart.tagCount(), 1);
    CurrentChart.Reset();
}
