// Drawing of one printed page: a header line with the chart's name and roll numbers, then the
// rolls (framed horizontal strips of the chart) one under the other, each with its voltage labels,
// its number and the numbers of its first and last sample, and inside the frame the data curve,
// the smoothed curve and the peak marks as the print settings ask.
//
// Units: every coordinate is a device dot of the page's paint device, origin at the top-left of
// the printable area; levels are volts; printMagnification is dots per sample.
#pragma once

#include "chart/chart_store.h"
#include "chart/spl_types.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstdint>

// Width of the label column left of the rolls (LW): the widest voltage label that can occur -
// "%.6E" with a sign, a three-digit exponent, and the font's widest digit and sign - followed by
// two blanks, measured in metrics, the font of the device the page is drawn on. The label row
// height (LH) is metrics.height().
int PrintLabelWidth(const QFontMetrics& metrics);

// Where the rolls of a page lie.
struct PageGeometry {
    int plotLeft = 0;   // left edge of every roll's frame
    int plotWidth = 0;  // width of the frame
    int rollHeight = 0; // height of the frame
    int pitch = 0;      // from one roll's top to the next one's
    int firstTop = 0;   // top of roll 0, below the header line
};

// The page layout for a printable area PW x PH, labels LW x LH and rolls rolls per page.
PageGeometry ComputePageGeometry(int PW, int PH, int LW, int LH, int rolls);
// Top of roll r (0-based) of a page.
inline int RollTop(const PageGeometry& g, int r) {
    return g.pitch * r + g.firstTop;
}

// Width in dots that the job divides into samples: PW - (LW + 12).
inline int PrintPlotWidth(int PW, int LW) {
    return PW - (LW + 12);
}

// Samples one roll covers at magnification dots per sample: trunc(plotWidth / magnification),
// or, below one dot per sample, plotWidth whole columns of trunc(1 / magnification) samples each,
// so that a roll never runs past its frame. 0 when the values give no usable roll.
int PrintSamplesPerRoll(int plotWidth, double magnification);

// Pages for count samples at samplesPerRoll per roll and rolls per page, rounded up; every sample
// lands on a page. 0 when nothing fits.
int PrintPageCount(int64_t count, int samplesPerRoll, int rolls);

// Volts at the upper and lower edge of every roll, chosen by the range bits of flags:
// PRINT_FULL_RANGE the chart's extremes, else PRINT_VIEW_RANGE the chart pane's, else printRange
// volts hanging from viewTop, or standing on minValue when it would reach below it.
struct PrintVerticalRange {
    double top = 0.0;
    double bottom = 0.0;
};
PrintVerticalRange ChoosePrintRange(uint32_t flags, double viewTop, double viewRange,
                                    double maxValue, double minValue, double printRange);

// Row offset within a roll of depth d volts below its top, d already limited as the caller wants:
// trunc(rollHeight * d / span). A span that is not positive (a flat chart) maps to 0.
int PrintRollRow(double d, double span, int rollHeight);

// Half the arm of a peak mark in dots: half of the whole dots in a centimetre for a device of res
// dots across sizeMM millimetres. 0 when the size is unknown.
int PeakMarkHalf(int res, int sizeMM);

// Draws one page and advances *start past every sample drawn. Reads printRoll, printFlags and
// printMagnification from Settings and the header name from ChartBaseName.
void PrintPage(QPainter& painter, int PW, int PH, int LW, int LH, int samplesPerRoll, double bottom,
               double top, int firstRoll, int* start, int count, const ChartStore* samples,
               int peakMode, uint32_t chartFlags);

// One roll's contents from *start on; *start is advanced past the roll. Return 1.
// PrintMagnifiedRoll: trunc(printMagnification) dots per sample.
int PrintMagnifiedRoll(QPainter& painter, int* start, int count, const ChartStore* samples,
                       int peakMode, uint32_t chartFlags, int samplesPerRoll, int plotLeft, int y0,
                       double top, double span, int plotWidth, int rollHeight);
// PrintReducedRoll: each dot column shows the largest of trunc(1 / printMagnification) samples.
int PrintReducedRoll(QPainter& painter, int* start, int count, const ChartStore* samples,
                     int peakMode, uint32_t chartFlags, int samplesPerRoll, int plotLeft, int y0,
                     double top, double span, int plotWidth, int rollHeight);

// The mark of the peak of list k at sample, at dot column x: a cross one centimetre across at its
// top and a bar as wide at its base, each only when its level lies within the roll (ends
// included).
void PrintPeakMark(QPainter& painter, const RowMark& sample, int x, int k, double top, double span,
                   int y0, int rollHeight);
