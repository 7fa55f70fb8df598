#include "views/chart_export.h"

#include "views/gdi_lines.h"
#include "views/index_image.h"
#include "views/pane_overlay.h"
#include "views/peak_view_paint.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The overview's border, as the index pane draws it, and the row between the panes.
constexpr int OVERVIEW_BORDER = 1;
constexpr int SEPARATOR = 1;

QSize OverviewClient(QSize pane, int overviewHeight) {
    return QSize(std::max(pane.width() - 2 * OVERVIEW_BORDER, 0),
                 std::max(overviewHeight - SEPARATOR - 2 * OVERVIEW_BORDER, 0));
}

// Paints the overview below the pane: its border, the curve and the cursor box.
void PaintOverview(QPainter& painter, const OverviewPicture& overview, QSize pane,
                   int overviewHeight) {
    const QSize client = OverviewClient(pane, overviewHeight);
    if (client.isEmpty()) return;
    const int top = pane.height() + SEPARATOR;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(DataPen());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, top, pane.width() - 1, overviewHeight - SEPARATOR - 1);
    painter.setClipRect(QRect(QPoint(OVERVIEW_BORDER, top + OVERVIEW_BORDER), client));
    painter.translate(OVERVIEW_BORDER, top + OVERVIEW_BORDER);
    if (overview.data && overview.step > 0) {
        PaintIndexOverview(painter, *overview.data, overview.step, overview.scale, client.width(),
                           client.height(), overview.base);
        if (overview.measured)
            PaintIndexMeasureMarks(painter, *overview.measured, client.width(), client.height());
        PaintCursorBox(painter, overview.box, client.width(), client.height());
    }
    painter.restore();
}

void PaintPicture(QPainter& painter, const ChartView& view, ChartPyramids& pyramids, QSize pane,
                  int overviewHeight, const OverviewPicture& overview, int columns,
                  const PaneOverlay* overlay) {
    painter.fillRect(QRect(QPoint(0, 0), PictureSize(pane, overviewHeight)), Qt::white);
    painter.save();
    if (columns >= 0 && columns < pane.width())
        painter.setClipRect(QRect(0, 0, columns, pane.height()), Qt::IntersectClip);
    PaintPeakView(painter, view, QRect(QPoint(0, 0), pane), pyramids);
    if (overlay) PaintChartOverlay(painter, view, QRect(QPoint(0, 0), pane), *overlay);
    painter.restore();
    if (overviewHeight > 0) PaintOverview(painter, overview, pane, overviewHeight);
}

} // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png")) return PictureFormat::Png;
    if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
    return std::nullopt;
}

QSize PictureSize(QSize pane, int overviewHeight) {
    return QSize(pane.width(), pane.height() + std::max(overviewHeight, 0));
}

void PaintChartPicture(QPainter& painter, const ChartView& view, ChartPyramids& pyramids,
                       QSize pane, int overviewHeight, bool axes) {
    // The overview as the viewer makes its image: IndexStep samples a column, the larger of the
    // default and the current range over the height, and the viewer's own cursor box.
    OverviewPicture overview;
    const QSize client = OverviewClient(pane, overviewHeight);
    const CHARTBLOCK* chart = view.Chart();
    if (chart && chart->sampleCount > 0 && !client.isEmpty()) {
        pyramids.Update(*chart);
        const double span = std::max(chart->defaultRange, chart->range);
        overview.data = &pyramids.Data();
        overview.step = IndexStep(chart->sampleCount, client.width());
        overview.scale = span > 0.0 ? client.height() / span : 0.0;
        overview.base = IndexBaseLevel(*chart);
        overview.box = view.IndexPane();
        overview.measured = &view;
    }
    // The measuring cursors and, when shown, the axes; never the pointer's readout.
    PaneOverlay overlay;
    overlay.axes = axes;
    PaintPicture(painter, view, pyramids, pane, overviewHeight, overview, -1, &overlay);
}

bool SavePicture(const QString& fileName, QSize size, const std::function<void(QPainter&)>& paint,
                 QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const std::optional<PictureFormat> format = PictureFormatOf(fileName);
    if (!format)
        return fail(QCoreApplication::translate("ChartExport",
                                                "the file name must end in .png, .svg or .pdf"));
    if (size.isEmpty() || size.width() > 30000 || size.height() > 30000)
        return fail(QCoreApplication::translate(
            "ChartExport", "a picture must be 1 to 30000 pixels wide and high"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    bool drawn = false;
    switch (*format) {
    case PictureFormat::Png: {
        QImage image(size, QImage::Format_RGB32);
        if (image.isNull())
            return fail(
                QCoreApplication::translate("ChartExport", "not enough memory for the picture"));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paint(painter);
        }
        drawn = image.save(&file, "PNG");
        break;
    }
    case PictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setResolution(96); // one pixel, one CSS pixel
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QFileInfo(fileName).completeBaseName());
        QPainter painter;
        drawn = painter.begin(&svg);
        if (drawn) {
            paint(painter);
            drawn = painter.end();
        }
        break;
    }
    case PictureFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setResolution(72);
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size), QPageSize::Point),
                                      QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(QFileInfo(fileName).completeBaseName());
        pdf.setCreator(QStringLiteral("Vortan"));
        QPainter painter;
        drawn = painter.begin(&pdf);
        if (drawn) {
            paint(painter);
            drawn = painter.end();
        }
        break;
    }
    }
    if (!drawn || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return fail(
            file.errorString().isEmpty()
                ? QCoreApplication::translate("ChartExport", "the picture could not be drawn")
                : file.errorString());
    }
    if (!file.commit()) return fail(file.errorString());
    return true;
}

bool StretchPicture::Set(const SplSample* rows, int rowCount, uint32_t flags,
                         const StretchOptions& options, QString* error) {
    ownRows = rows && rowCount > 0 ? ChartStore(rows, static_cast<size_t>(rowCount)) : ChartStore();
    return Set(ownRows, flags, options, error);
}

bool StretchPicture::Set(const ChartStore& store, uint32_t flags, const StretchOptions& options,
                         QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (store.size() > static_cast<size_t>(INT_MAX - 1))
        return fail(QCoreApplication::translate("ChartExport", "the chart is too long"));
    const int rowCount = static_cast<int>(store.size());
    const double* data = store.Data();
    if (rowCount < 1)
        return fail(QCoreApplication::translate("ChartExport", "the chart has no samples"));
    const long long last = options.to < 0 ? rowCount - 1 : options.to;
    if (options.from < 0 || options.from >= rowCount || last >= rowCount || last < options.from)
        return fail(
            QCoreApplication::translate(
                "ChartExport", "the stretch must lie within samples 0 to %1, from before to")
                .arg(rowCount - 1));
    if (!(options.range >= 0.0) || !std::isfinite(options.range))
        return fail(QCoreApplication::translate("ChartExport",
                                                "the range must be a number of volts above 0"));
    if (options.width < 0 || options.width > 30000 || options.height < 8 ||
        options.height > 30000 || options.overviewHeight < 0 || options.overviewHeight > 30000)
        return fail(QCoreApplication::translate(
            "ChartExport", "the picture must be 1 to 30000 pixels wide, 8 to 30000 high"));

    // Whole pixels per sample when the stretch fits the width, else whole samples per column;
    // the columns right of the stretch stay blank.
    const int from = static_cast<int>(options.from);
    const int count = static_cast<int>(last - from + 1);
    const int maxWidth = options.width > 0 ? options.width : StretchOptions::DEFAULT_WIDTH;
    long long pixels = 1, samples = 1;
    if (count <= maxWidth)
        pixels = std::max(1LL, (maxWidth - 1LL) / std::max(count - 1, 1));
    else
        samples = (count + maxWidth - 1LL) / maxWidth;
    columns =
        static_cast<int>(samples > 1 ? (count + samples - 1) / samples : (count - 1) * pixels + 1);
    const int width = options.width > 0 ? options.width : std::max(columns, 8);

    // The stretch's own height, as Fit to Chart Height gives it for a whole chart; a range asked
    // for is centred on it but never shows below the stretch's lowest value.
    const bool smoothed = flags & HASSM;
    auto extremes = [&](int first, int end, double* lo, double* hi) {
        for (int i = first; i < end; ++i) {
            const double v = data[i];
            const double sm = smoothed ? store.SmoothedAt(static_cast<size_t>(i)) : v;
            *lo = std::min({*lo, v, sm});
            *hi = std::max({*hi, v, sm});
        }
    };
    double lo = data[from], hi = lo;
    extremes(from, from + count, &lo, &hi);
    double fit = (hi - lo) / 0.9;
    if (!(fit > 0.0) || !std::isfinite(fit)) fit = std::max(std::abs(hi), 1.0);
    const double range = options.range > 0.0 ? options.range : fit;
    double top = lo + fit / 2 + range / 2;
    if (lo + range > top) top = lo + range;

    // The viewer holds the stretch alone, so that a short stretch of a long chart costs little.
    pane = QSize(width, options.height);
    host = HeadlessViewerHost(width, PaneSize{width, options.height}, PaneSize{width, 1});
    ChartStore stretch;
    try {
        stretch.Reserve(static_cast<size_t>(count));
        for (int i = from; i < from + count; ++i)
            stretch.Append(store.Row(static_cast<size_t>(i)));
    } catch (const std::bad_alloc&) {
        return fail(QCoreApplication::translate("ChartExport", "not enough memory for the chart"));
    }
    if (!SetChart(&model, std::move(stretch), flags, 2))
        return fail(QCoreApplication::translate("ChartExport", "not enough memory for the chart"));
    double magnification = samples > 1 ? 1.0 / static_cast<double>(samples) : double(pixels);
    // The painters take trunc(1 / magnification) samples a column: make sure that is samples.
    while (samples > 1 && std::trunc(1.0 / magnification) < static_cast<double>(samples))
        magnification = std::nextafter(magnification, 0.0);
    // The magnified painter draws viewStart .. viewStart + viewWidth.
    PlaceView(&model, magnification, 0, count - 1, range, top);

    // The overview of the whole chart, as the viewer would show it with this stretch in view: the
    // blank samples after the chart count as 0 V.
    overview = options.overviewHeight;
    const QSize client = OverviewClient(pane, overview);
    ownOverview = OverviewPicture();
    if (client.isEmpty()) return true;
    double allLo = 0.0, allHi = 0.0;
    extremes(0, rowCount, &allLo, &allHi);
    const double span = std::max((allHi - allLo) / 0.9, range);
    const int w = client.width(), h = client.height();
    const int step = IndexStep(rowCount, w);
    const long long scroll = static_cast<long long>(step) * w;
    wholeChart.Build(data, rowCount);
    ownOverview.data = &wholeChart;
    ownOverview.step = step;
    ownOverview.scale = span > 0.0 ? h / span : 0.0;
    ownOverview.base = std::min(allLo, 0.0);
    IndexPaneState& box = ownOverview.box;
    box.boxWidth = static_cast<int>(std::clamp<long long>(w * count / scroll, 3, w));
    box.boxHeight = span > 0.0 ? static_cast<int>(std::clamp(h / span * range, 3.0, double(h))) : h;
    box.boxLeft = static_cast<int>(std::min<long long>(from * w / scroll, w - box.boxWidth));
    const double boxTop = span > 0.0 ? h - std::trunc(h * (top - ownOverview.base) / span) : 0.0;
    box.boxTop = static_cast<int>(std::clamp(boxTop, 0.0, double(h - box.boxHeight)));
    return true;
}

void StretchPicture::Paint(QPainter& painter) {
    PaintPicture(painter, model, pyramids, pane, overview, ownOverview, columns, nullptr);
}
