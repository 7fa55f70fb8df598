// The index pane ("peakindexpane", child 2 of the viewer): the overview image with the red cursor
// box, drawn inside a one-pixel border. Dragging the box with the plain left button moves the
// chart pane's view there on release. Coordinates handed to the model are client pixels (inside
// the border) and may be negative while dragging.
#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

class ChartViewerWidget;

class IndexPane : public QWidget {
    Q_OBJECT
  public:
    explicit IndexPane(ChartViewerWidget* viewer);

    // Client area: the widget less its border.
    QSize clientSize() const;
    QPoint clientOrigin() const { return QPoint(BORDER, BORDER); }
    const QImage& image() const { return indexImage; }
    void setImage(QImage image) { indexImage = std::move(image); }
    bool boxDragging() const { return dragging; }

    // Marks a client rectangle (right and bottom exclusive) for repainting; flushInvalid()
    // repaints what is marked, now.
    void invalidateClientRect(int left, int top, int right, int bottom);
    void flushInvalid();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    static constexpr int BORDER = 1;
    QPoint toClient(const QMouseEvent* event) const;

    ChartViewerWidget* viewer;
    QImage indexImage;
    QRegion pending;
    bool dragging = false; // BoxDragging
};
