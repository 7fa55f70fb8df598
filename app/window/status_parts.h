// The main window's status bar: nine parts, three per sample shown (isotope name, sample index,
// volts), sized from the average character width and from the widest text each part can hold.
#pragma once

#include <QWidget>

class QLabel;

// Widths of the nine parts in average character widths.
inline constexpr int STATUS_PART_CHARS[9] = {7, 7, 10, 7, 7, 10, 7, 7, 10};

// Number of parts for a client width (pixels) and an average character width: 9, 6, 3 or 0 (the
// status bar keeps its single default part). Three parts are dropped while a part would get no
// more than eight character widths.
int StatusPartCount(int clientWidth, int charWidth);

// Right edge of part k: the sum of the widths of parts 0 to k, pixels.
int StatusPartRightEdge(int part, int charWidth);

// Lowers a part count (9, 6 or 3) by threes while its parts of the given widths (pixels) are
// wider than the bar; never below 3.
int FittingStatusParts(int count, const int widths[9], int barWidth);

// Left edges and widths of `count` parts laid side by side from the left: a part that reaches
// past the bar's right edge is cut there, parts wholly beyond it get width 0.
struct StatusPartPlace {
    int left;
    int width;
};
void PlaceStatusParts(int count, const int widths[9], int barWidth, StatusPartPlace out[9]);

// The parts as a widget: lays its labels out again whenever its width changes.
class StatusPartsBar : public QWidget {
    Q_OBJECT
  public:
    explicit StatusPartsBar(QWidget* parent = nullptr);
    void setText(int part, const QString& text);
    QString text(int part) const;
    QLabel* label(int part) const { return labels[part]; }
    int partCount() const { return count; }
    QSize sizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Relayout();

    QLabel* labels[9] = {};
    int widths[9] = {};
    int charWidth = 1;
    int count = 0;
};
