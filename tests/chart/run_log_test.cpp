#include "chart/run_log.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// The log keeps the newest hundred lines and shows each to its listener; a closed log ignores
// lines and releases adopted text (the sanitizer build checks the release).
TEST(LogPrint, KeepsTheNewestHundredLinesWhileOpen) {
    CloseLog();
    EXPECT_EQ(IsLogOpen(), 0);
    LogPrint("SetChart: Invalid arguments.");
    LogPrint(::strdup("adopted"), 1);
    EXPECT_TRUE(LogLines().empty());
    ASSERT_TRUE(OpenLog());
    EXPECT_FALSE(OpenLog()); // only one log at a time
    std::string seen;
    SetLogListener([&](const std::string& line) { seen += line + "|"; });
    LogPrint("a");
    LogPrint(::strdup("b"), 1);
    LogPrint(std::string_view("c"));
    EXPECT_EQ(seen, "a|b|c|");
    SetLogListener(nullptr);
    for (int i = 1; i <= 101; ++i)
        LogPrintf("line %d", i);
    auto lines = LogLines();
    ASSERT_EQ(lines.size(), 100u);
    EXPECT_EQ(lines.front(), "line 2");
    EXPECT_EQ(lines.back(), "line 101");
    CloseLog();
    LogPrint("after close");
    EXPECT_TRUE(LogLines().empty());
}
