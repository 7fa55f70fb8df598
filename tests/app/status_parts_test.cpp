#include "app/window/status_parts.h"

#include <QCoreApplication>
#include <QLabel>
#include <gtest/gtest.h>

#include <algorithm>

TEST(StatusPartCount, NarrowWindowsGetFewerParts) {
    EXPECT_EQ(StatusPartCount(585, 8), 9);
    EXPECT_EQ(StatusPartCount(584, 8), 6);
    EXPECT_EQ(StatusPartCount(390, 8), 6);
    EXPECT_EQ(StatusPartCount(389, 8), 3);
    EXPECT_EQ(StatusPartCount(195, 8), 3);
    EXPECT_EQ(StatusPartCount(194, 8), 0);
    EXPECT_EQ(StatusPartCount(0, 8), 0);
}

TEST(PlaceStatusParts, PartsNeverOverlapAndStopAtTheRightEdge) {
    const int widths[9] = {50, 60, 100, 50, 60, 100, 50, 60, 100};
    struct Case {
        int count, barWidth, expectCount;
    } cases[] = {{9, 1000, 9}, {9, 629, 6}, {9, 630, 9}, {6, 200, 3}, {3, 150, 3}};
    for (const Case& c : cases) {
        const int n = FittingStatusParts(c.count, widths, c.barWidth);
        EXPECT_EQ(n, c.expectCount) << c.barWidth;
        StatusPartPlace places[9];
        PlaceStatusParts(n, widths, c.barWidth, places);
        int edge = 0;
        for (int k = 0; k < 9; ++k) {
            EXPECT_EQ(places[k].left, std::min(edge, c.barWidth)) << c.barWidth << " part " << k;
            EXPECT_LE(places[k].left + places[k].width, c.barWidth);
            if (k >= n) {
                EXPECT_EQ(places[k].width, 0);
            }
            edge += places[k].width;
        }
    }
}

TEST(StatusPartsBar, LongestTextsShowWholeAndPartsFollowTheWidth) {
    StatusPartsBar bar;
    bar.resize(1200, 24);
    bar.show();
    const QString texts[3] = {QStringLiteral("No Data"), QStringLiteral("1600131234"),
                              QStringLiteral("-1.846472E-123")};
    for (int width : {1200, 700, 420, 250, 120}) {
        bar.resize(width, 24);
        QCoreApplication::processEvents();
        int edge = 0;
        for (int k = 0; k < 9; ++k) {
            QLabel* label = bar.label(k);
            if (label->isHidden()) continue;
            bar.setText(k, texts[k % 3]);
            const QRect r = label->geometry();
            EXPECT_GE(r.left(), edge) << width << " part " << k;
            EXPECT_LE(r.right(), width - 1);
            edge = r.right() + 1;
            // Every part but one cut at the bar's edge holds its widest text.
            if (r.right() < width - 1 && bar.partCount() > 0) {
                EXPECT_GE(r.width(), label->sizeHint().width()) << width << " part " << k;
            }
        }
    }
    EXPECT_EQ(bar.partCount(), 0);
    EXPECT_FALSE(bar.label(1)->isVisible());
    bar.resize(1200, 24);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar.partCount(), 9);
}
