#include "views/chart_pane.h"

#include "chart/run_log.h"
#include "viewer/measuring.h"
#include "viewer/pointer_ops.h"
#include "views/chart_viewer_widget.h"
#include "views/gdi_lines.h"
#include "views/pane_overlay.h"
#include "views/peak_view_paint.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

ChartPane::ChartPane(ChartViewerWidget* owner) : QWidget(owner), viewer(owner) {
    setObjectName("peakviewpane");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ChartPane::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    PaintPeakView(painter, *viewer->view(), rect(), viewer->pyramids());
    PaneOverlay overlay;
    overlay.axes = viewer->axesShown();
    overlay.pointer = pointer;
    PaintChartOverlay(painter, *viewer->view(), rect(), overlay);
}

void ChartPane::mouseReleaseEvent(QMouseEvent* event) {
    // A release outside the pane belongs to a press made here and dragged away: not a click.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const bool wasDrag = dragging || placing;
        dragging = placing = false;
        unsetCursor();
        if (!wasDrag && (event->modifiers() & Qt::ControlModifier) && rect().contains(at))
            StartSet(viewer->view(), at.x(), at.y(), height());
    }
    event->accept();
}

void ChartPane::mousePressEvent(QMouseEvent* event) {
    event->accept();
    ChartView* view = viewer->view();
    const QPoint at = event->position().toPoint();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & Qt::ControlModifier) return; // Ctrl + click: on release, as always
    if (mods & Qt::ShiftModifier) {
        PanePoint p;
        if (!PointAtPixel(view, at.x(), at.y(), height(), &p)) return;
        if (event->button() == Qt::LeftButton) SetMeasureMark(view, MEASURE_A, p.sample);
        if (event->button() == Qt::RightButton) SetMeasureMark(view, MEASURE_B, p.sample);
        return;
    }
    if (event->button() != Qt::LeftButton || !view->Chart()) return;
    if (GetChartMode(view) != CHART_MODE_VIEW) {
        placing = true;
        PlacePointAt(at);
        return;
    }
    dragging = true;
    dragFrom = at;
    double top = 0.0;
    GetCursor(view, &dragStart, &top, nullptr, nullptr);
    dragTop = top;
    setCursor(Qt::ClosedHandCursor);
}

void ChartPane::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const QPoint at = event->position().toPoint();
    pointer = rect().contains(at) ? std::optional<QPoint>(at) : std::nullopt;
    ChartView* view = viewer->view();
    if (dragging && (event->buttons() & Qt::LeftButton)) {
        const CHARTBLOCK* chart = view->Chart();
        // Levels follow the drag only while a fixed range is shown.
        const bool fixed = chart && chart->range != chart->defaultRange;
        DragView(view, dragStart, dragTop, at.x() - dragFrom.x(), at.y() - dragFrom.y(), height(),
                 fixed);
    } else if (placing && (event->buttons() & Qt::LeftButton)) {
        PlacePointAt(at);
    }
    update();
}

void ChartPane::wheelEvent(QWheelEvent* event) {
    event->accept();
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : -angle.x();
    wheelRest += delta;
    const int notches = wheelRest / 120;
    if (notches == 0) return;
    wheelRest -= notches * 120;
    ChartView* view = viewer->view();
    if (event->modifiers() & Qt::ControlModifier) {
        const int x = static_cast<int>(event->position().x());
        for (int i = 0; i < std::abs(notches); ++i)
            if (ZoomAbout(view, notches > 0 ? 2.0 : 0.5, x) == 0.0) break;
    } else {
        // Turning the wheel towards the user moves on along the chart.
        ScrollByNotches(view, -notches);
    }
}

void ChartPane::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    pointer.reset();
    update();
}

void ChartPane::PlacePointAt(QPoint at) {
    PanePoint p;
    if (PointAtPixel(viewer->view(), std::clamp(at.x(), 0, std::max(0, width() - 1)),
                     std::clamp(at.y(), 0, std::max(0, height() - 1)), height(), &p))
        PlacePeakPoint(viewer->view(), p.sample, p.volts);
}

void StartSet(ChartView* viewer, int x, int y, int paneHeight) {
    if (!viewer) return;
    if (viewer->ChartMode() != CHART_MODE_VIEW) {
        if (viewer->Host()) viewer->Host()->Beep();
        LogPrint("StartSet(PKVIEW): Peak detecting mode.");
        return;
    }
    const CHARTBLOCK* chart = viewer->Chart();
    if (!chart || chart->sampleCount < 1 || !(chart->magnification > 0.0) || paneHeight < 1) {
        if (viewer->Host()) viewer->Host()->Beep();
        LogPrint("StartSet(PKVIEW): Data not ready.");
        return;
    }
    const int sample = PixelOf(x / chart->magnification + chart->viewStart);
    const double volts = chart->viewTop - y * chart->range / paneHeight;
    SetChartMode(viewer, CHART_MODE_BASE, 0, PeakDetectorInstalled() ? 1 : 0, 0, sample, volts);
}
