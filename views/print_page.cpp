#include "views/print_page.h"

#include "chart/number_format.h"
#include "chart/settings.h"
#include "views/gdi_lines.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {

// Peak lists a sample has columns for.
constexpr int SAMPLE_LISTS = 2;

// Depth below the roll's top, limited to the roll: a value off the roll is drawn on its edge, a
// value that is not a number on the top edge.
double ClampDepth(double d, double span) {
    if (!(d > 0.0)) return 0.0;
    return d > span ? std::max(span, 0.0) : d;
}

bool DepthInRoll(double d, double span) {
    return 0.0 <= d && d <= span;
}

// Text with its top-left corner at (x, y), as the labels are placed.
void TextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

QString Volts(double v) {
    return QString::fromStdString(FormatE(v, 0, 6));
}

// Dots per sample and samples per column the print magnification stands for.
int DotsPerSample(double magnification) {
    return magnification >= 1.0 && magnification < INT_MAX ? static_cast<int>(magnification) : 1;
}
int SamplesPerColumn(double magnification) {
    if (!(magnification > 0.0) || magnification >= 1.0) return 1;
    double spp = std::trunc(1.0 / magnification);
    return spp < INT_MAX ? std::max(1, static_cast<int>(spp)) : INT_MAX;
}

// Where a roll's passes end when they start at start: after samplesPerRoll samples, taken
// step samples at a time, or at the end of the chart.
int PassEnd(int start, int count, int samplesPerRoll, int step) {
    if (start >= count || samplesPerRoll < 1) return start;
    int64_t columns = (int64_t{samplesPerRoll} + step - 1) / step;
    int64_t needed = (int64_t{count} - start + step - 1) / step;
    int64_t end = int64_t{start} + std::min(columns, needed) * step;
    return static_cast<int>(std::min<int64_t>(end, INT_MAX));
}

struct RollFrame {
    int plotLeft;
    int y0;
    double top;
    double span;
    int rollHeight;
};

int RowOf(const RollFrame& f, double v) {
    return f.y0 + PrintRollRow(ClampDepth(f.top - v, f.span), f.span, f.rollHeight);
}

// Runs a roll's pass for the data curve and, when the chart has one and it is asked for, the
// smoothed curve, each with its pen.
template <class Pass>
void DrawRollCurves(QPainter& painter, uint32_t flags, uint32_t chartFlags, Pass& pass) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (flags & PRINT_DATA) {
        painter.setPen(DataPen());
        pass(false);
    }
    if ((flags & PRINT_SMOOTHED) && (chartFlags & HASSM)) {
        painter.setPen(SmoothedPen());
        pass(true);
    }
    painter.restore();
}

} // namespace

int PrintLabelWidth(const QFontMetrics& metrics) {
    auto widest = [&metrics](const char* chars) {
        QChar best;
        int bestWidth = -1;
        for (const char* c = chars; *c; ++c) {
            int w = metrics.horizontalAdvance(QLatin1Char(*c));
            if (w > bestWidth) {
                best = QLatin1Char(*c);
                bestWidth = w;
            }
        }
        return best;
    };
    const QChar digit = widest("0123456789");
    const QChar sign = widest("+-");
    const QString label = QString(sign) + digit + QLatin1Char('.') + QString(6, digit) +
                          QLatin1Char('E') + sign + QString(3, digit);
    const int blanks = metrics.horizontalAdvance(QStringLiteral("  "));
    // Ink may reach past the advance (italic or wide glyphs): whichever ends further right.
    const int ink = metrics.boundingRect(label).right() + 1;
    return std::max(metrics.horizontalAdvance(label), ink) + blanks;
}

PageGeometry ComputePageGeometry(int PW, int PH, int LW, int LH, int rolls) {
    rolls = std::max(rolls, 1);
    PageGeometry g;
    g.plotLeft = LW + 5;
    g.plotWidth = PW - LW - 10;
    g.rollHeight = (PH - 20 - 2 * LH) / rolls - LH - 5;
    g.pitch = g.rollHeight + LH + 5;
    g.firstTop = 2 * LH + 10;
    return g;
}

int PrintSamplesPerRoll(int plotWidth, double magnification) {
    if (plotWidth < 1 || !(magnification > 0.0) || !std::isfinite(magnification)) return 0;
    double samples = magnification >= 1.0
                         ? std::trunc(plotWidth / magnification)
                         : static_cast<double>(plotWidth) * SamplesPerColumn(magnification);
    if (samples < 1.0 || samples > INT_MAX) return 0;
    return static_cast<int>(samples);
}

int PrintPageCount(int64_t count, int samplesPerRoll, int rolls) {
    if (count < 1 || samplesPerRoll < 1 || rolls < 1) return 0;
    int64_t perPage = int64_t{samplesPerRoll} * rolls;
    int64_t pages = (count + perPage - 1) / perPage;
    return static_cast<int>(std::min<int64_t>(pages, INT_MAX));
}

PrintVerticalRange ChoosePrintRange(uint32_t flags, double viewTop, double viewRange,
                                    double maxValue, double minValue, double printRange) {
    PrintVerticalRange r;
    if (flags & PRINT_FULL_RANGE) {
        r.top = maxValue;
        r.bottom = minValue;
    } else if (flags & PRINT_VIEW_RANGE) {
        r.top = viewTop;
        r.bottom = viewTop - viewRange;
    } else {
        r.top = viewTop;
        r.bottom = minValue;
        if (r.top - printRange >= r.bottom) {
            r.bottom = r.top - printRange;
        } else {
            r.top = r.bottom + printRange;
        }
    }
    return r;
}

int PrintRollRow(double d, double span, int rollHeight) {
    if (!(span > 0.0)) return 0;
    return PixelOf(rollHeight * d / span);
}

int PeakMarkHalf(int res, int sizeMM) {
    if (res <= 0 || sizeMM <= 0) return 0;
    double dotsPerCm = res * 1.0 / sizeMM * 10.0;
    return PixelOf(dotsPerCm) / 2;
}

void PrintPeakMark(QPainter& painter, const RowMark& sample, int x, int k, double top, double span,
                   int y0, int rollHeight) {
    if (k < 0 || k >= SAMPLE_LISTS) return;
    const QPaintDevice* device = painter.device();
    int halfW = device ? PeakMarkHalf(device->width(), device->widthMM()) : 0;
    int halfH = device ? PeakMarkHalf(device->height(), device->heightMM()) : 0;
    QPen previous = painter.pen();
    painter.setPen(ListPen(k));
    LinePen pen(painter);
    double d = top - sample.top[k];
    if (DepthInRoll(d, span)) {
        int yt = y0 + PrintRollRow(d, span, rollHeight);
        pen.Line(x - halfW, yt, x + halfW + 1, yt);
        pen.Line(x, yt - halfH, x, yt + halfH + 1);
    }
    d = top - sample.base[k];
    if (DepthInRoll(d, span)) {
        int yb = y0 + PrintRollRow(d, span, rollHeight);
        pen.Line(x - halfW, yb, x + halfW + 1, yb);
    }
    painter.setPen(previous);
}

int PrintMagnifiedRoll(QPainter& painter, int* start, int count, const ChartStore* samples,
                       int peakMode, uint32_t chartFlags, int samplesPerRoll, int plotLeft, int y0,
                       double top, double span, int /*plotWidth*/, int rollHeight) {
    if (!start || !samples) return 1;
    const uint32_t flags = Settings.printFlags;
    const int pps = DotsPerSample(Settings.printMagnification);
    const uint32_t curBit = SAMPLE_HAS_PEAK << peakMode;
    const RollFrame frame{plotLeft, y0, top, span, rollHeight};
    const int first = *start;
    const int end = PassEnd(first, count, samplesPerRoll, 1);

    auto pass = [&](bool smoothed) {
        LinePen pen(painter);
        int x = 0, xPrev = 0, yPrev = y0 + rollHeight;
        for (int i = first; i < end; ++i) {
            const size_t at = static_cast<size_t>(i);
            pen.MoveTo(plotLeft + xPrev, yPrev);
            int y = RowOf(frame, smoothed ? samples->SmoothedAt(at) : samples->DataAt(at));
            if (x != 0) pen.LineTo(plotLeft + x, y);
            const RowMark* mark = smoothed ? nullptr : samples->FindMark(i);
            if (mark) {
                const RowMark& s = *mark;
                if (flags & PRINT_ALL_PEAKS) {
                    for (int k = 0; k < SAMPLE_LISTS; ++k) {
                        uint32_t bit = SAMPLE_HAS_PEAK << k;
                        if (bit != curBit && (s.flags & bit))
                            PrintPeakMark(painter, s, plotLeft + x, k, top, span, y0, rollHeight);
                    }
                }
                if ((flags & PRINT_PEAKS) && (s.flags & curBit))
                    PrintPeakMark(painter, s, plotLeft + x, peakMode, top, span, y0, rollHeight);
            }
            yPrev = y;
            xPrev = x;
            x += pps;
        }
    };

    DrawRollCurves(painter, flags, chartFlags, pass);
    *start = end;
    return 1;
}

int PrintReducedRoll(QPainter& painter, int* start, int count, const ChartStore* samples,
                     int peakMode, uint32_t chartFlags, int samplesPerRoll, int plotLeft, int y0,
                     double top, double span, int /*plotWidth*/, int rollHeight) {
    if (!start || !samples) return 1;
    const uint32_t flags = Settings.printFlags;
    const int spp = SamplesPerColumn(Settings.printMagnification);
    const uint32_t curBit = SAMPLE_HAS_PEAK << peakMode;
    const RollFrame frame{plotLeft, y0, top, span, rollHeight};
    const int first = *start;
    const int end = PassEnd(first, count, samplesPerRoll, spp);

    struct Mark {
        int k;
        int sample;
    };
    std::vector<Mark> others;
    std::vector<Mark> current;

    auto pass = [&](bool smoothed) {
        LinePen pen(painter);
        int x = 0, xPrev = 0, yPrev = y0 + rollHeight;
        for (int64_t i = first; i < end; i += spp) {
            pen.MoveTo(plotLeft + xPrev, yPrev);
            others.clear();
            current.clear();
            auto value = [&](int64_t at) {
                return smoothed ? samples->SmoothedAt(static_cast<size_t>(at))
                                : samples->DataAt(static_cast<size_t>(at));
            };
            double v = value(i);
            for (int64_t j = i; j < i + spp && j < count; ++j) {
                v = std::max(v, value(j));
                if (smoothed) continue;
                const RowMark* mark = samples->FindMark(static_cast<int32_t>(j));
                if (!mark) continue;
                const RowMark& s = *mark;
                if ((flags & PRINT_PEAKS) && (s.flags & curBit))
                    current.push_back({peakMode, static_cast<int>(j)});
                if (flags & PRINT_ALL_PEAKS) {
                    for (int k = 0; k < SAMPLE_LISTS; ++k) {
                        uint32_t bit = SAMPLE_HAS_PEAK << k;
                        if (bit != curBit && (s.flags & bit))
                            others.push_back({k, static_cast<int>(j)});
                    }
                }
            }
            int y = RowOf(frame, v);
            if (x != 0) pen.LineTo(plotLeft + x, y);
            for (auto m = others.rbegin(); m != others.rend(); ++m)
                PrintPeakMark(painter, *samples->FindMark(m->sample), plotLeft + x, m->k, top, span,
                              y0, rollHeight);
            for (auto m = current.rbegin(); m != current.rend(); ++m)
                PrintPeakMark(painter, *samples->FindMark(m->sample), plotLeft + x, m->k, top, span,
                              y0, rollHeight);
            yPrev = y;
            xPrev = x;
            x += 1;
        }
    };

    DrawRollCurves(painter, flags, chartFlags, pass);
    *start = end;
    return 1;
}

void PrintPage(QPainter& painter, int PW, int PH, int LW, int LH, int samplesPerRoll, double bottom,
               double top, int firstRoll, int* start, int count, const ChartStore* samples,
               int peakMode, uint32_t chartFlags) {
    if (!start) return;
    const int rolls = std::max(Settings.printRoll, 1);
    const PageGeometry g = ComputePageGeometry(PW, PH, LW, LH, rolls);
    const double span = top - bottom;
    if (peakMode < 0 || peakMode >= SAMPLE_LISTS) peakMode = 0;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(DataPen());
    painter.setBrush(Qt::white);

    const QString name = QString::fromStdString(ChartBaseName.value_or(std::string()));
    TextAt(
        painter, 0, 0,
        QStringLiteral("%1: %2-%3").arg(name).arg(firstRoll).arg(int64_t{firstRoll} + rolls - 1));

    for (int r = 0; r < rolls; ++r) {
        const int y0 = RollTop(g, r);
        // The outline covers the frame's dots, its right and bottom edges left out.
        painter.drawRect(g.plotLeft, y0, g.plotWidth - 1, g.rollHeight - 1);
        TextAt(painter, 0, y0, Volts(top));
        TextAt(painter, 0, y0 + g.rollHeight / 2 - LH / 2, QString::number(int64_t{firstRoll} + r));
        TextAt(painter, 0, y0 + g.rollHeight - LH, Volts(bottom));
        if (*start >= count || !samples) continue;
        TextAt(painter, g.plotLeft, y0 + g.rollHeight, QString::number(int64_t{*start} + 1));
        const QString last = QString::number(int64_t{*start} + samplesPerRoll);
        const int lastWidth = painter.fontMetrics().horizontalAdvance(last);
        TextAt(painter, g.plotLeft + g.plotWidth - lastWidth, y0 + g.rollHeight, last);
        if (Settings.printMagnification < 1.0) {
            PrintReducedRoll(painter, start, count, samples, peakMode, chartFlags, samplesPerRoll,
                             g.plotLeft, y0, top, span, g.plotWidth, g.rollHeight);
        } else {
            PrintMagnifiedRoll(painter, start, count, samples, peakMode, chartFlags, samplesPerRoll,
                               g.plotLeft, y0, top, span, g.plotWidth, g.rollHeight);
        }
    }
    painter.restore();
}
