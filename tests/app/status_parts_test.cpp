#include "app/status_parts.h"

#include <gtest/gtest.h>

TEST(StatusPartCount, NarrowWindowsGetFewerParts) {
    EXPECT_EQ(StatusPartCount(585, 8), 9);
    EXPECT_EQ(StatusPartCount(584, 8), 6);
    EXPECT_EQ(StatusPartCount(390, 8), 6);
    EXPECT_EQ(StatusPartCount(389, 8), 3);
    EXPECT_EQ(StatusPartCount(195, 8), 3);
    EXPECT_EQ(StatusPartCount(194, 8), 0);
    EXPECT_EQ(StatusPartCount(0, 8), 0);
}

TEST(StatusPartRightEdge, SumsThePartWidths) {
    EXPECT_EQ(StatusPartRightEdge(0, 8), 56);
    EXPECT_EQ(StatusPartRightEdge(2, 8), 192);
    EXPECT_EQ(StatusPartRightEdge(8, 8), 576);
}
