// A failed read or write says why, as a value: the reason and the line it concerns.
#include "support/spl_test_support.h"

#include <cerrno>
#include <cstring>

using namespace spltest;

namespace {

const char HEAD[] = "\"Comment:\",\"x\"\n";
const char COLUMNS[] = "\"Number\",\"Time(S)\",\"Data(Volt)\"     ,\"Isotope name\"\n";

} // namespace

TEST(ReadErrors, GiveTheLoggedReasonAndItsLine) {
    TempDir dir;
    LogCapture log;
    // Logging must not change the system's reason: the listener spoils errno.
    SetLogListener([](const std::string&) { errno = EINVAL; });
    const std::string rows = std::string(HEAD) + COLUMNS;
    struct Case {
        std::string text; // empty: no such file
        std::string reason;
        long long line;
    } cases[] = {
        {"", std::strerror(ENOENT), 0},
        {std::string(HEAD) + "\"Version\",\"v\"\n", "Invalid version format", 2},
        {std::string(HEAD) + "\"Comment:\"x\n", "Invalid format of record(tag)", 2},
        {std::string(HEAD) + "\"Tag\", x\n", "Invalid format fo record(content: number)", 2},
        {HEAD, "Unexpected end of file.", 2},
        {"free text\n", "neither a header line nor a row", 1},
        {rows + " 0, 0, 1.0, \"A\"\n 2, 1, 1.0, \"A\"\n", "Bad format of spl body.", 4},
        {rows + " 0, 0, 1.0, \"A\", 1.0, 2.0\n", "fewer than four peak values", 3},
    };
    for (const Case& c : cases) {
        SplChart chart;
        SplReadInfo info;
        const std::string name =
            c.text.empty() ? dir.Name("missing.spl") : dir.File("bad.spl", c.text);
        SplProgress progress; // takes the rejected row's message box
        progress.rowError = [](const std::string&, const std::string&) {};
        EXPECT_FALSE(ReadSplData(name, chart, &info, &progress)) << c.reason;
        EXPECT_EQ(info.error.text, c.reason);
        EXPECT_EQ(info.error.line, c.line) << c.reason;
        EXPECT_EQ(info.failure, info.error.Describe());
    }
    SetLogListener(nullptr);
}

TEST(WriteErrors, ReportTheReasonTheLogGives) {
    TempDir dir;
    LogCapture log;
    const std::string name = dir.Name("no-such-folder/out.spl");
    SaveReport report;
    EXPECT_EQ(WriteSplData(name, ChartStore(), SplChart(), &report), 0);
    EXPECT_EQ(report.error, std::strerror(ENOENT));
    EXPECT_EQ(log.Last(), "WriteSplData: " + name + ": " + report.error);
}
