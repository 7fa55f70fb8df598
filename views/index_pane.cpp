#include "views/index_pane.h"

#include "views/chart_viewer_widget.h"
#include "views/index_image.h"
#include "views/pane_overlay.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

IndexPane::IndexPane(ChartViewerWidget* owner) : QWidget(owner), viewer(owner) {
    setObjectName("peakindexpane");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize IndexPane::clientSize() const {
    return QSize(std::max(width() - 2 * BORDER, 0), std::max(height() - 2 * BORDER, 0));
}

QPoint IndexPane::toClient(const QMouseEvent* event) const {
    return event->position().toPoint() - clientOrigin();
}

void IndexPane::invalidateClientRect(int left, int top, int right, int bottom) {
    QRect r(QPoint(left, top), QPoint(right - 1, bottom - 1));
    r = r.normalized().translated(clientOrigin()) & rect();
    if (r.isEmpty()) return;
    pending += r;
    update(r);
}

void IndexPane::flushInvalid() {
    if (pending.isEmpty()) return;
    QRegion region = pending;
    pending = QRegion();
    repaint(region);
}

void IndexPane::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QSize client = clientSize();
    painter.fillRect(event->rect(), Qt::white);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(0, 0, width() - 1, height() - 1);
    painter.setClipRect(QRect(clientOrigin(), client), Qt::IntersectClip);
    painter.translate(clientOrigin());
    if (!indexImage.isNull()) painter.drawImage(0, 0, indexImage);
    PaintIndexMeasureMarks(painter, *viewer->view(), client.width(), client.height());
    PaintCursorBox(painter, viewer->view()->IndexPane(), client.width(), client.height());
    pending = QRegion();
}

void IndexPane::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (dragging) return;
    // Only the plain left button: Shift, Ctrl or another button held makes the press do nothing.
    if (event->button() != Qt::LeftButton || event->buttons() != Qt::LeftButton ||
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
        return;
    dragging = true;
    if (isVisible()) grabMouse();
    const QPoint at = toClient(event);
    PlaceCursorBox(viewer->view(), at.x(), at.y());
}

void IndexPane::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!dragging) return;
    const QPoint at = toClient(event);
    PlaceCursorBox(viewer->view(), at.x(), at.y());
}

void IndexPane::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!dragging || event->button() != Qt::LeftButton) return;
    const QPoint at = toClient(event);
    PlaceCursorBox(viewer->view(), at.x(), at.y());
    if (QWidget::mouseGrabber() == this) releaseMouse();
    dragging = false;
    ApplyCursorBox(viewer->view());
}
