// Page geometry of a print and pages rendered into images: frames, curves, peak marks and the
// advance of the running start sample. Pages are 800 x 1000 dots at 100 dots per inch, labels
// 100 x 14 dots, two rolls per page, so plotLeft 105, plotWidth 690, rollHeight 457, and the rolls
// start at rows 38 and 514; a roll spans 1 V from top 1.0 to bottom 0.0.
#include "chart/settings.h"
#include "chart/spl_types.h"
#include "support/paint_fixture.h"
#include "support/viewer_test_support.h"
#include "views/print_page.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr int PW = 800, PH = 1000, LW = 100, LH = 14;
constexpr int LEFT = 105, WIDTH = 690, ROLL_H = 457;
constexpr int Y0 = 38, Y1 = 514;

struct PageFixture {
    std::vector<SplSample> rows;
    uint32_t chartFlags = 0;
    int start = 0; // the running start sample

    PageFixture(int n, double level) : rows(static_cast<size_t>(n)) {
        for (SplSample& s : rows)
            s.data = level;
        Settings = SettingsRecord{
            .printRoll = 2, .printFlags = PRINT_DATA | PRINT_PEAKS, .printMagnification = 1.0};
    }
    // Renders one page from sample from; returns it and leaves the running start in start.
    QImage Render(int samplesPerRoll, int from = 0, int firstRoll = 1) {
        start = from;
        QImage page(PW, PH, QImage::Format_RGB32);
        page.setDotsPerMeterX(3937); // 100 dots per inch: a centimetre is 39 dots
        page.setDotsPerMeterY(3937);
        page.fill(Qt::white);
        QPainter painter(&page);
        const ChartStore store(rows);
        PrintPage(painter, PW, PH, LW, LH, samplesPerRoll, 0.0, 1.0, firstRoll, &start,
                  static_cast<int>(rows.size()), &store, 0, chartFlags);
        return page;
    }
};

// The pixels of colour in the rectangle from (x0, y0) to before (x1, y1).
int Count(const QImage& image, int x0, int y0, int x1, int y1, QRgb colour) {
    return CountOf(image.copy(x0, y0, x1 - x0, y1 - y0), colour);
}

} // namespace

// A peak mark is half a centimetre each way; every sample lands on a page; unusable values give
// none. (The page layout itself shows in where the rendered pages below put frames and curves.)
TEST(PrintPageCount, EverySampleLandsOnAPageAndUnusableValuesGiveNone) {
    EXPECT_EQ(PeakMarkHalf(4960, 210), 118); // 600 dots per inch
    EXPECT_EQ(PeakMarkHalf(800, 0), 0);
    EXPECT_EQ(PrintRollRow(0.5, 0.0, 457), 0); // a flat chart's roll spans nothing
    EXPECT_EQ(PrintSamplesPerRoll(4000, 1.0), 4000);
    EXPECT_EQ(PrintSamplesPerRoll(4000, 3.0), 1333);
    // Below one dot per sample a roll holds its width in whole columns.
    EXPECT_EQ(PrintSamplesPerRoll(4000, 0.25), 16000);
    EXPECT_EQ(PrintSamplesPerRoll(4000, 0.3), 12000);
    for (double bad : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity(), 5000.0,
                       1e-12}) // 1e-12: more samples than a roll can count
        EXPECT_EQ(PrintSamplesPerRoll(4000, bad), 0) << bad;
    EXPECT_EQ(PrintSamplesPerRoll(0, 1.0), 0);
    EXPECT_EQ(PrintPageCount(16000, 4000, 4), 1);
    EXPECT_EQ(PrintPageCount(16001, 4000, 4), 2);
    EXPECT_EQ(PrintPageCount(0, 4000, 4), 0);
    EXPECT_EQ(PrintPageCount(100, 0, 4), 0);
}

TEST(ChoosePrintRange, FollowsTheRangeBits) {
    auto range = [](uint32_t flags, double minimum) {
        const PrintVerticalRange r = ChoosePrintRange(flags, 1.0, 4.0, 9.0, minimum, 2.0);
        return std::pair(r.top, r.bottom);
    };
    EXPECT_EQ(range(0, -0.5), std::pair(1.5, -0.5)); // stands on the minimum
    EXPECT_EQ(range(0, -3.0), std::pair(1.0, -1.0)); // hangs from the view's top
    EXPECT_EQ(range(PRINT_VIEW_RANGE, -3.0).second, -3.0);
    EXPECT_EQ(range(PRINT_VIEW_RANGE | PRINT_FULL_RANGE, -3.0).first, 9.0);
}

TEST(PrintPage, DrawsFramesCurvesAndMarks) {
    PageFixture f(2000, 0.5);
    MarkPeak(f.rows, 100, 0, 0.8, 0.2);
    MarkPeak(f.rows, 300, 1, 0.7, 0.1);
    MarkPeak(f.rows, 500, 0, 1.0, 0.0); // levels on the roll's edges are still marked
    for (SplSample& s : f.rows)
        s.smoothed = 0.25;
    Settings.printFlags |= PRINT_SMOOTHED;
    QImage page = f.Render(688);
    EXPECT_EQ(f.start, 1376);
    for (int y0 : {Y0, Y1}) {
        // Frame: the outline covers plotLeft .. plotLeft + plotWidth - 1.
        EXPECT_EQ(page.pixel(LEFT + WIDTH - 1, y0 + 200), BLACK);
        EXPECT_EQ(page.pixel(LEFT + WIDTH, y0 + 200), WHITE);
        EXPECT_EQ(page.pixel(LEFT + 400, y0 + ROLL_H - 1), BLACK);
        EXPECT_EQ(page.pixel(LEFT + 400, y0 + ROLL_H), WHITE);
        // The curve at 0.5 V, half way down, and labels on the left.
        EXPECT_EQ(page.pixel(LEFT + 50, y0 + 228), BLACK);
        EXPECT_EQ(page.pixel(LEFT + 50, y0 + 227), WHITE);
        EXPECT_GT(Count(page, 0, y0, LEFT - 5, y0 + LH, BLACK), 0);
    }
    EXPECT_GT(Count(page, 0, 0, 300, LH, BLACK), 0); // the header line
    // The list-0 peak at sample 100: a cross one centimetre across at 0.8 V, a bar at 0.2 V.
    const int x = LEFT + 100, yt = Y0 + 91, yb = Y0 + 365;
    EXPECT_EQ(ColumnsOf(page.copy(x - 30, yt, 61, 1), 0, BLUE).size(), 39u);
    EXPECT_EQ(RowsOf(page.copy(x, yt - 30, 1, 61), 0, BLUE).size(), 39u);
    EXPECT_EQ(ColumnsOf(page.copy(x - 30, yb, 61, 1), 0, BLUE).size(), 39u);
    EXPECT_EQ(page.pixel(x, yb - 5), WHITE); // the bar has no upright
    EXPECT_EQ(page.pixel(LEFT + 510, Y0), BLUE);
    EXPECT_EQ(page.pixel(LEFT + 510, Y0 + ROLL_H), BLUE);
    // The other list's peak is left out without PRINT_ALL_PEAKS, smoothed data without HASSM.
    EXPECT_EQ(CountOf(page, GREEN), 0);
    EXPECT_EQ(CountOf(page, RED), 0);

    Settings.printFlags |= PRINT_ALL_PEAKS;
    f.chartFlags = HASSM;
    page = f.Render(688);
    EXPECT_EQ(page.pixel(LEFT + 300, Y0 + 137), GREEN);
    EXPECT_EQ(page.pixel(LEFT + 300 + 19, Y0 + 411), GREEN);
    EXPECT_EQ(page.pixel(LEFT + 50, Y0 + 342), RED); // 0.25 V: trunc(457 * 0.75)
    // Marks go with the data curve; the rolls advance without it.
    Settings.printFlags = PRINT_PEAKS | PRINT_SMOOTHED;
    page = f.Render(688);
    EXPECT_EQ(f.start, 1376);
    EXPECT_EQ(CountOf(page, BLUE), 0);
    EXPECT_EQ(page.pixel(LEFT + 50, Y0 + 342), RED);
    EXPECT_EQ(page.pixel(LEFT + 50, Y0 + 228), WHITE);
}

TEST(PrintPage, RollsAfterTheLastSampleKeepOnlyTheirFrameAndReducedColumnsShowTheirLargest) {
    PageFixture f(500, 0.5);
    QImage page = f.Render(688);
    EXPECT_EQ(f.start, 500);
    EXPECT_EQ(page.pixel(LEFT + 498, Y0 + 228), BLACK);
    EXPECT_EQ(page.pixel(LEFT + 520, Y0 + 228), WHITE); // the curve stops with the chart
    EXPECT_EQ(Count(page, LEFT + 1, Y1 + 1, LEFT + WIDTH - 1, Y1 + ROLL_H - 1, BLACK), 0);
    EXPECT_EQ(page.pixel(LEFT, Y1 + 100), BLACK);
    // No sample numbers under the empty roll, but its voltage labels and number.
    EXPECT_EQ(Count(page, LEFT, Y1 + ROLL_H + 1, PW, Y1 + ROLL_H + LH, BLACK), 0);
    EXPECT_GT(Count(page, LEFT, Y0 + ROLL_H + 1, PW, Y0 + ROLL_H + LH, BLACK), 0);
    EXPECT_GT(Count(page, 0, Y1 + ROLL_H / 2 - LH / 2, LEFT - 5, Y1 + ROLL_H / 2 + LH, BLACK), 0);
    // A page starting beyond the chart draws frames and labels only.
    page = f.Render(688, 500, 3);
    EXPECT_EQ(f.start, 500);
    EXPECT_EQ(Count(page, LEFT + 1, Y0 + 1, LEFT + WIDTH - 1, Y0 + ROLL_H - 1, BLACK), 0);

    // Reduced, a column shows its largest sample.
    PageFixture r(3000, 0.2);
    r.rows[41].data = 0.9; // column 10 of the first roll
    MarkPeak(r.rows, 42, 0, 0.95, 0.05);
    Settings.printMagnification = 0.25;
    page = r.Render(688 * 4);
    EXPECT_EQ(r.start, 3000);
    EXPECT_EQ(page.pixel(LEFT + 10, Y0 + 45), BLACK);     // trunc(457 * 0.1)
    EXPECT_EQ(page.pixel(LEFT + 20, Y0 + 365), BLACK);    // 0.2 V elsewhere
    EXPECT_EQ(page.pixel(LEFT + 10 - 19, Y0 + 22), BLUE); // the peak's cross in the same column
    // The second roll starts at sample 2752, column 0.
    EXPECT_EQ(page.pixel(LEFT + 30, Y1 + 365), BLACK);
    EXPECT_EQ(page.pixel(LEFT + 62, Y1 + 365), WHITE); // 248 samples are 62 columns
    // A roll whose samples end inside a column still takes that column whole.
    PageFixture g(10000, 0.2);
    Settings.printMagnification = 0.25;
    g.Render(2750);
    EXPECT_EQ(g.start, 2 * 2752);
}
