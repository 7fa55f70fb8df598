#include "app/panels/run_log_window.h"
#include "chart/run_log.h"

#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <gtest/gtest.h>

TEST(RunLogWindow, OneWindowAndClosingEndsTheLog) {
    CloseLog();
    RunLogWindow* window = RunLogWindow::Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VORTAN runlog"));
    EXPECT_EQ(IsLogOpen(), 1);
    EXPECT_EQ(RunLogWindow::Open(), nullptr);
    for (int i = 0; i < 101; ++i)
        LogPrintf("line %d", i);
    // The view does not follow the newest line.
    EXPECT_EQ(window->scrollState().topLine, 0);
    EXPECT_EQ(LogLines().front(), "line 1");
    window->ScrollBy(LOG_LINE_DOWN);
    EXPECT_EQ(window->scrollBar()->value(), 2);
    window->close();
    EXPECT_EQ(IsLogOpen(), 0);
    LogPrint("after close");
    EXPECT_TRUE(LogLines().empty());
}

TEST(RunLogWindow, DrawsTheStoredLinesFromTopLine) {
    CloseLog();
    RunLogWindow* window = RunLogWindow::Open();
    ASSERT_NE(window, nullptr);
    // The text area, left of the scroll bar.
    auto text = [window] {
        return window->grab().toImage().copy(0, 0, window->scrollBar()->x(), window->height());
    };
    const QImage empty = text();
    LogPrint("SetChart: Invalid arguments.");
    EXPECT_NE(text(), empty);
    // Scrolled past the only line, the text area is blank again.
    window->ScrollBy(LOG_LINE_DOWN);
    EXPECT_EQ(text(), empty);
    window->close();
}
