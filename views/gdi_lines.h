// Line drawing with the pixel rules the painters are written for: a current point, one-pixel
// solid pens, and LineTo that leaves out its end point. Shared by the chart pane, the index pane,
// tests and printing.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPoint>

#include <cmath>

// The pens of the viewer.
inline const QColor PEN_DATA(0, 0, 0);
inline const QColor PEN_SMOOTHED(255, 0, 0);
inline const QColor PEN_LIST0(0, 0, 255);
inline const QColor PEN_OTHER_LIST(0, 200, 0);

// A one-pixel cosmetic pen whose lines leave out their last pixel.
inline QPen ThinPen(const QColor& color) {
    QPen pen(color);
    pen.setWidth(0);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// The viewer's pens, made once: painters switch pens per column and per peak mark.
inline const QPen& DataPen() {
    static const QPen pen = ThinPen(PEN_DATA);
    return pen;
}
inline const QPen& SmoothedPen() {
    static const QPen pen = ThinPen(PEN_SMOOTHED);
    return pen;
}
// The pen of list k's marks and guide: blue for list 0, green for the others.
inline const QPen& ListPen(int k) {
    static const QPen list0 = ThinPen(PEN_LIST0);
    static const QPen other = ThinPen(PEN_OTHER_LIST);
    return k == 0 ? list0 : other;
}

// Truncates a pixel coordinate toward zero, kept within a range that drawing handles safely
// (far-off values only ever lie outside the surface). NaN gives 0.
inline int PixelOf(double v) {
    constexpr double LIMIT = 1 << 24;
    if (!(v == v)) return 0;
    if (v > LIMIT) v = LIMIT;
    if (v < -LIMIT) v = -LIMIT;
    return static_cast<int>(std::trunc(v));
}

class LinePen {
  public:
    explicit LinePen(QPainter& painter) : p(painter) {}
    void MoveTo(int x, int y) { cur = QPoint(x, y); }
    // Draws from the current point to (x, y) without the end pixel; (x, y) becomes current.
    void LineTo(int x, int y) {
        QPoint to(x, y);
        if (to != cur) p.drawLine(cur, to);
        cur = to;
    }
    void Line(int x0, int y0, int x1, int y1) {
        MoveTo(x0, y0);
        LineTo(x1, y1);
    }
    QPainter& painter() { return p; }

  private:
    QPainter& p;
    QPoint cur;
};
