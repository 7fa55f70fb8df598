#include "views/index_image.h"

#include "views/gdi_lines.h"

#include <algorithm>

QImage DrawIndexOverview(const MaxPyramid& data, int step, double scale, int w, int h) {
    if (w < 1 || h < 1 || step < 1) return QImage();
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintIndexOverview(painter, data, step, scale, w, h);
    return image;
}

void PaintIndexOverview(QPainter& painter, const MaxPyramid& data, int step, double scale, int w,
                        int h) {
    if (w < 1 || h < 1 || step < 1) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(ThinPen(PEN_DATA));
    LinePen pen(painter);
    pen.MoveTo(0, h);
    for (int x = 0; x < w; ++x) {
        const long long first = static_cast<long long>(x) * step;
        double v = 0.0;
        if (first < data.Count())
            v = data.Max(static_cast<int>(first),
                         static_cast<int>(std::min<long long>(first + step, data.Count())));
        pen.LineTo(x, h - PixelOf(scale * v));
    }
    painter.restore();
}

QRect CursorBoxRect(const IndexPaneState& state, int w, int h) {
    if (state.boxWidth < 1 || state.boxHeight < 1) return QRect(state.boxLeft, state.boxTop, w, h);
    return QRect(state.boxLeft, state.boxTop, state.boxWidth, state.boxHeight);
}

void PaintCursorBox(QPainter& painter, const IndexPaneState& state, int w, int h) {
    const QRect box = CursorBoxRect(state, w, h);
    const int left = box.left(), top = box.top(), width = box.width(), height = box.height();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(ThinPen(QColor(255, 0, 0)));
    LinePen pen(painter);
    pen.Line(left, top, left, top + height);
    pen.Line(left, top, left + width, top);
    pen.Line(left + width - 1, top, left + width - 1, top + height);
    pen.Line(left, top + height - 1, left + width, top + height - 1);
    painter.restore();
}
