#include "views/pane_overlay.h"

#include "viewer/axis_ticks.h"
#include "viewer/pointer_ops.h"

#include <QCoreApplication>
#include <QFontMetrics>

#include <cmath>

namespace {

constexpr int TICK = 5;
constexpr int PAD = 3;

QString Volts(double v) {
    return QString::number(v, 'g', 5) + QStringLiteral(" V");
}

// Text lines in a white box with a thin frame, its corner at `corner` (top-left or top-right).
void TextBox(QPainter& painter, const QString& text, QPoint corner, bool alignRight) {
    const QFontMetrics fm = painter.fontMetrics();
    const QRect bounds = fm.boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft, text);
    QRect box(0, 0, bounds.width() + 2 * PAD, bounds.height() + 2 * PAD);
    box.moveTop(corner.y());
    if (alignRight)
        box.moveRight(corner.x());
    else
        box.moveLeft(corner.x());
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(box.adjusted(PAD, PAD, -PAD, -PAD), Qt::AlignLeft, text);
    painter.setBrush(Qt::NoBrush);
}

void PaintAxes(QPainter& painter, const CHARTBLOCK& chart, const QRect& client) {
    const int w = client.width(), h = client.height();
    if (w < 1 || h < 1 || !(chart.range > 0.0)) return;
    const QFontMetrics fm = painter.fontMetrics();
    painter.setPen(QColor(90, 90, 90));
    // Left edge: levels.
    const AxisTicks volts =
        RoundTicks(chart.viewTop - chart.range, chart.viewTop, h, 2 * fm.height() + 4);
    for (double v : volts.values) {
        const int y = static_cast<int>(std::lround(h * (chart.viewTop - v) / chart.range));
        if (y < 0 || y >= h) continue;
        painter.drawLine(0, y, TICK, y);
        // The value sits on its tick, so that the tick does not read as a minus sign.
        const QString label = QString::number(v, 'f', volts.decimals);
        const int ty = std::clamp(y - 2, fm.ascent(), h - fm.descent());
        painter.drawText(TICK + 1, ty, label);
    }
    // Bottom edge: sample index.
    const double spc = SamplesPerColumn(chart);
    if (!(spc > 0.0)) return;
    const double first = chart.viewStart, last = chart.viewStart + w * spc;
    const AxisTicks samples = RoundTicks(first, last, w, fm.horizontalAdvance("8888888") + 16);
    for (double s : samples.values) {
        if (s != std::floor(s)) continue;
        const double x = ColumnOfSample(chart, static_cast<int>(s));
        if (x < 0 || x >= w) continue;
        const int xi = static_cast<int>(x);
        painter.drawLine(xi, h - 1, xi, h - 1 - TICK);
        const QString label = QString::number(static_cast<long long>(s));
        const int tx = std::clamp(xi - fm.horizontalAdvance(label) / 2, 0,
                                  std::max(0, w - fm.horizontalAdvance(label)));
        painter.drawText(tx, h - 2 - TICK - fm.descent(), label);
    }
}

void PaintMark(QPainter& painter, const CHARTBLOCK& chart, int sample, const QColor& color,
               const QString& name, const QRect& client) {
    if (sample < 0) return;
    const double x = ColumnOfSample(chart, sample);
    if (x < 0 || x >= client.width()) return;
    const int xi = static_cast<int>(x);
    painter.setPen(QPen(color, 0, Qt::DashLine));
    painter.drawLine(xi, 0, xi, client.height() - 1);
    painter.setPen(color);
    painter.drawText(xi + 3, painter.fontMetrics().ascent() + 1, name);
}

} // namespace

std::optional<Measurement> CachedMeasure(const ChartView& viewer) {
    struct Key {
        const ChartView* viewer = nullptr;
        int a = -1, b = -1;
        uint64_t generation = 0;
        bool operator==(const Key&) const = default;
    };
    static Key cachedKey;
    static std::optional<Measurement> cached;
    const int a = GetMeasureMark(&viewer, MEASURE_A), b = GetMeasureMark(&viewer, MEASURE_B);
    if (a < 0 || b < 0) return std::nullopt;
    const Key key{&viewer, a, b, viewer.Chart()->generation};
    if (!(key == cachedKey)) {
        Measurement m;
        cached = Measure(&viewer, &m) ? std::optional<Measurement>(m) : std::nullopt;
        cachedKey = key;
    }
    return cached;
}

QString PointerReadout(const ChartView& viewer, QPoint at, int paneHeight) {
    PanePoint p;
    if (!PointAtPixel(&viewer, at.x(), at.y(), paneHeight, &p)) return QString();
    return QStringLiteral("#%1   t %2 s   %3").arg(p.sample).arg(p.time).arg(Volts(p.volts));
}

QString MeasureReadout(const Measurement& m) {
    return QCoreApplication::translate("ChartOverlay",
                                       "A #%1  B #%2   Δ %3 samples   Δt %4 s   ΔV %5\n"
                                       "mean %6   min %7   max %8")
        .arg(m.a)
        .arg(m.b)
        .arg(m.dSamples)
        .arg(QString::number(m.dTime, 'g', 10))
        .arg(Volts(m.dVolts), Volts(m.mean), Volts(m.minimum), Volts(m.maximum));
}

void PaintChartOverlay(QPainter& painter, const ChartView& viewer, const QRect& client,
                       const PaneOverlay& overlay) {
    const CHARTBLOCK* chart = viewer.Chart();
    if (!chart || chart->sampleCount < 1) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QFont font = painter.font();
    font.setPointSizeF(std::max(7.0, font.pointSizeF() * 0.9));
    painter.setFont(font);
    if (overlay.axes) PaintAxes(painter, *chart, client);
    PaintMark(painter, *chart, GetMeasureMark(&viewer, MEASURE_A), MEASURE_A_COLOR,
              QStringLiteral("A"), client);
    PaintMark(painter, *chart, GetMeasureMark(&viewer, MEASURE_B), MEASURE_B_COLOR,
              QStringLiteral("B"), client);
    // The boxes stay below the cursors' names and right of the level values.
    const int top = painter.fontMetrics().height() + 4;
    const int left = overlay.axes ? 60 : 4;
    if (overlay.pointer)
        TextBox(painter, PointerReadout(viewer, *overlay.pointer, client.height()),
                QPoint(left, top), false);
    if (const auto m = CachedMeasure(viewer))
        TextBox(painter, MeasureReadout(*m), QPoint(client.width() - 4, top), true);
    painter.restore();
}

void PaintIndexMeasureMarks(QPainter& painter, const ChartView& viewer, int width, int height) {
    const CHARTBLOCK* chart = viewer.Chart();
    if (!chart || chart->sampleCount < 1 || width < 1) return;
    const int step = IndexStep(chart->sampleCount, width);
    const int marks[2] = {GetMeasureMark(&viewer, MEASURE_A), GetMeasureMark(&viewer, MEASURE_B)};
    const QColor colors[2] = {MEASURE_A_COLOR, MEASURE_B_COLOR};
    for (int k = 0; k < 2; ++k) {
        if (marks[k] < 0 || step < 1) continue;
        painter.setPen(QPen(colors[k], 0));
        const int x = marks[k] / step;
        painter.drawLine(x, 0, x, height - 1);
    }
}
