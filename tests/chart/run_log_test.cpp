#include "chart/run_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

TEST(LogPrint, ClosedLogIgnoresLinesAndReleasesAdoptedText) {
    CloseLog();
    EXPECT_EQ(IsLogOpen(), 0);
    LogPrint("SetChart: Invalid arguments.");
    char* owned = static_cast<char*>(std::malloc(8));
    std::strcpy(owned, "adopted");
    LogPrint(owned, 1); // released, not stored; the sanitizer build checks the release
    EXPECT_TRUE(LogLines().empty());
}

TEST(LogPrint, KeepsTheNewestHundredLines) {
    CloseLog();
    ASSERT_TRUE(OpenLog());
    EXPECT_FALSE(OpenLog()); // only one log at a time
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

TEST(LogPrint, ListenerSeesEveryStoredLine) {
    CloseLog();
    ASSERT_TRUE(OpenLog());
    std::string seen;
    SetLogListener([&](const std::string& line) { seen += line + "|"; });
    LogPrint("a");
    char* owned = static_cast<char*>(std::malloc(2));
    std::strcpy(owned, "b");
    LogPrint(owned, 1);
    LogPrint(std::string_view("c"));
    EXPECT_EQ(seen, "a|b|c|");
    SetLogListener(nullptr);
    CloseLog();
}
