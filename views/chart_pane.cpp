#include "views/chart_pane.h"

#include "chart/run_log.h"
#include "views/chart_viewer_widget.h"
#include "views/gdi_lines.h"
#include "views/peak_view_paint.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

ChartPane::ChartPane(ChartViewerWidget* owner) : QWidget(owner), viewer(owner) {
    setObjectName("peakviewpane");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartPane::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    PaintPeakView(painter, *viewer->view(), rect(), viewer->pyramids());
}

void ChartPane::mouseReleaseEvent(QMouseEvent* event) {
    // A release outside the pane belongs to a press made here and dragged away: not a click.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier) &&
        rect().contains(at))
        StartSet(viewer->view(), at.x(), at.y(), height());
    event->accept();
}

void StartSet(ChartView* viewer, int x, int y, int paneHeight) {
    if (!viewer) return;
    if (viewer->chartMode != CHART_MODE_VIEW) {
        if (viewer->host) viewer->host->Beep();
        LogPrint("StartSet(PKVIEW): Peak detecting mode.");
        return;
    }
    const CHARTBLOCK* chart = viewer->chart.get();
    if (!chart || chart->sampleCount < 1 || !(chart->magnification > 0.0) || paneHeight < 1) {
        if (viewer->host) viewer->host->Beep();
        LogPrint("StartSet(PKVIEW): Data not ready.");
        return;
    }
    const int sample = PixelOf(x / chart->magnification + chart->viewStart);
    const double volts = chart->viewTop - y * chart->range / paneHeight;
    SetChartMode(viewer, CHART_MODE_BASE, 0, PeakDetectorInstalled() ? 1 : 0, 0, sample, volts);
}
