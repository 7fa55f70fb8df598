// Pictures of a stretch of a chart: the curve's pixels in PNG, vector paths in SVG and PDF.
#include "views/chart_export.h"

#include "support/files.h"
#include "support/paint_fixture.h"
#include "support/viewer_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// 100 samples at 1 V after one at 0 V, with a peak of table 0 at sample 50 (3 V, base 1 V).
std::vector<SplSample> StepChart() {
    auto rows = MakeSamples(100, [](int i) { return i == 0 ? 0.0 : i == 50 ? 3.0 : 1.0; });
    MarkPeak(rows, 50, 0, 3.0, 1.0);
    return rows;
}

} // namespace

TEST(StretchPicture, CurveAndMarkPixelsWhereTheViewerPutsThem) {
    const auto rows = StepChart();
    // peakX: the column of sample 50; flatX: one of the 1 V stretch after it, right of its mark.
    struct Case {
        long long to;
        int width, wantWidth, peakX, flatX;
    } cases[] = {
        {99, 0, 1189, 600, 900},      // 12 pixels a sample
        {59, 0, 1181, 1000, 1100},    // 20 pixels a sample
        {99, 25, 25, 12, 20},         // 4 samples a column
        {59, 1500, 1500, 1250, 1400}, // 25 pixels a sample, blank after sample 59
    };
    for (const Case& c : cases) {
        StretchPicture picture;
        // 0 .. 4 V: the stretch's lowest value on the bottom row.
        const StretchOptions options{.to = c.to, .range = 4.0, .width = c.width, .height = 100};
        QString error;
        ASSERT_TRUE(picture.Set(rows.data(), 100, 0, options, &error)) << error.toStdString();
        ASSERT_EQ(picture.size(), QSize(c.wantWidth, 100));
        QImage image(picture.size(), QImage::Format_RGB32);
        QPainter painter(&image);
        picture.Paint(painter);
        painter.end();
        // 1 V lies on row 75, the peak's top (3 V) on row 25.
        EXPECT_EQ(RowsOf(image, c.flatX, BLACK), std::vector<int>{75}) << c.to;
        EXPECT_EQ(image.pixel(c.peakX - 10, 25), BLUE) << c.to;
        EXPECT_EQ(image.pixel(c.peakX - 10, 75), BLUE) << c.to;
        if (c.width > 1000) {
            EXPECT_TRUE(RowsOf(image, c.width - 5, BLACK).empty());
        }
    }
    StretchPicture bad;
    QString error;
    EXPECT_FALSE(bad.Set(rows.data(), 100, 0, StretchOptions{.from = 100}, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SavePicture, SvgAndPdfHoldVectorPathsAndPngThePixels) {
    const auto rows = StepChart();
    StretchPicture picture;
    ASSERT_TRUE(picture.Set(rows.data(), 100, 0, {.height = 100, .overviewHeight = 40}, nullptr));
    TempDir dir;
    auto file = [&](const char* name) { return QString::fromStdString(dir.Name(name)); };
    auto paint = [&](QPainter& p) { picture.Paint(p); };
    for (const char* name : {"c.png", "c.svg", "c.pdf"})
        ASSERT_TRUE(SavePicture(file(name), picture.size(), paint, nullptr)) << name;

    QImage png(file("c.png"));
    ASSERT_EQ(png.size(), QSize(1189, 140));
    EXPECT_EQ(RowsOf(png.copy(0, 0, 1189, 100), 900, BLACK).size(), 1u);
    EXPECT_EQ(png.pixel(0, 120), BLACK); // the overview's border
    const QByteArray svg = QByteArray::fromStdString(Slurp(dir.Name("c.svg")));
    EXPECT_GT(svg.count("<polyline"), 100);
    EXPECT_TRUE(svg.contains("#0000ff")); // the peak mark's pen
    EXPECT_FALSE(svg.contains("<image"));
    const QByteArray pdf = QByteArray::fromStdString(Slurp(dir.Name("c.pdf")));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));

    QString error;
    EXPECT_FALSE(SavePicture(file("c.bmp"), picture.size(), paint, &error));
    EXPECT_FALSE(SavePicture(file("no/c.png"), picture.size(), paint, &error));
    EXPECT_FALSE(fs::exists(dir.Name("c.bmp")));
}
