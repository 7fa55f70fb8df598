#include "views/chart_viewer_widget.h"

#include "views/chart_pane.h"
#include "views/index_image.h"
#include "views/index_pane.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

namespace {

// The width the desktop is assumed to have when no screen can be asked.
constexpr int FALLBACK_DESKTOP_WIDTH = 1024;

} // namespace

ChartViewerWidget::ChartViewerWidget(QWidget* parent, int controlId)
    : QWidget(parent), id(controlId) {
    setObjectName("chartviewer");
    chart = new ChartPane(this);
    index = new IndexPane(this);
    const PaneRects panes = ComputePaneLayout(width(), height());
    chart->setGeometry(0, 0, width(), panes.chartHeight);
    index->setGeometry(0, panes.indexTop, width(), panes.indexHeight);
}

ChartViewerWidget::~ChartViewerWidget() {
    FreeViewerData(&model);
    // The panes read the model while they exist; let them go before it does.
    delete chart;
    chart = nullptr;
    delete index;
    index = nullptr;
}

void ChartViewerWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (window()->isMinimized()) {
        layoutPending = true;
        return;
    }
    layoutNow();
}

void ChartViewerWidget::layoutNow() {
    layoutPending = false;
    const PaneRects panes = ComputePaneLayout(width(), height());
    chart->setGeometry(0, 0, width(), panes.chartHeight);
    index->setGeometry(0, panes.indexTop, width(), panes.indexHeight);
    LayoutPanes(&model);
}

void ChartViewerWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Restoring a minimised window sends no resize; its state change is watched instead.
    if (watchedWindow != window()) {
        if (watchedWindow) watchedWindow->removeEventFilter(this);
        watchedWindow = window();
        watchedWindow->installEventFilter(this);
    }
}

bool ChartViewerWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && layoutPending && !window()->isMinimized())
        layoutNow();
    return QWidget::eventFilter(watched, event);
}

void ChartViewerWidget::paintEvent(QPaintEvent* event) {
    // What the panes leave uncovered, the separator row among it, shows the workspace colour.
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
}

void ChartViewerWidget::setAxesShown(bool on) {
    showAxes = on;
    if (chart) chart->update();
}

int ChartViewerWidget::DesktopWidth() const {
    if (desktopWidthOverride > 0) return desktopWidthOverride;
    QScreen* shown = screen();
    if (!shown) shown = QGuiApplication::primaryScreen();
    if (!shown) return FALLBACK_DESKTOP_WIDTH;
    return shown->geometry().width();
}

bool ChartViewerWidget::HasChartPane() const {
    return chart != nullptr;
}
bool ChartViewerWidget::HasIndexPane() const {
    return index != nullptr;
}

PaneSize ChartViewerWidget::ChartPaneSize() const {
    if (!chart) return {};
    return {chart->width(), chart->height()};
}

PaneSize ChartViewerWidget::IndexPaneSize() const {
    if (!index) return {};
    const QSize client = index->clientSize();
    return {client.width(), client.height()};
}

bool ChartViewerWidget::DrawIndexImage(int step, double scale) {
    if (!index || !model.Chart()) return false;
    const QSize client = index->clientSize();
    pyramidCache.Update(*model.Chart());
    QImage image = DrawIndexOverview(pyramidCache.Data(), step, scale, client.width(),
                                     client.height(), IndexBaseLevel(*model.Chart()));
    if (image.isNull()) return false;
    index->setImage(std::move(image));
    return true;
}

void ChartViewerWidget::RepaintChartPane() {
    if (chart) chart->repaint();
}

void ChartViewerWidget::RepaintIndexPane() {
    if (index) index->repaint();
}

void ChartViewerWidget::InvalidateIndexRect(int left, int top, int right, int bottom) {
    if (index) index->invalidateClientRect(left, top, right, bottom);
}

void ChartViewerWidget::UpdateIndexPane() {
    if (index) index->flushInvalid();
}

void ChartViewerWidget::Post(int code) {
    QMetaObject::invokeMethod(
        this, [this, code] { emit notify(code); }, Qt::QueuedConnection);
}

void ChartViewerWidget::Beep() {
    QApplication::beep();
}
