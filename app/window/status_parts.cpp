#include "app/window/status_parts.h"

#include <QLabel>
#include <QResizeEvent>

#include <algorithm>

int StatusPartCount(int clientWidth, int charWidth) {
    int n = 9;
    while (n > 0 && clientWidth / n <= 8 * charWidth)
        n -= 3;
    return n;
}

int StatusPartRightEdge(int part, int charWidth) {
    int edge = 0;
    for (int k = 0; k <= part && k < 9; ++k)
        edge += STATUS_PART_CHARS[k] * charWidth;
    return edge;
}

int FittingStatusParts(int count, const int widths[9], int barWidth) {
    while (count > 3) {
        int total = 0;
        for (int k = 0; k < count; ++k)
            total += widths[k];
        if (total <= barWidth) break;
        count -= 3;
    }
    return count;
}

void PlaceStatusParts(int count, const int widths[9], int barWidth, StatusPartPlace out[9]) {
    int left = 0;
    for (int k = 0; k < 9; ++k) {
        const int room = std::max(0, barWidth - left);
        const int width = k < count ? std::min(widths[k], room) : 0;
        out[k] = {std::min(left, std::max(barWidth, 0)), width};
        left += width;
    }
}

StatusPartsBar::StatusPartsBar(QWidget* parent) : QWidget(parent) {
    const QFontMetrics metrics = fontMetrics();
    charWidth = std::max(1, metrics.averageCharWidth());
    // The widest text of each kind: a name part at least holds "No Data", an index part ten
    // digits and a sign, a voltage part a value with a three-digit exponent.
    const int textWidths[3] = {
        metrics.horizontalAdvance(QStringLiteral("No Data")),
        metrics.horizontalAdvance(QStringLiteral("-8888888888")),
        metrics.horizontalAdvance(QStringLiteral("-8.888888E-888")),
    };
    for (int k = 0; k < 9; ++k) {
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(2);
        label->setMinimumWidth(0);
        labels[k] = label;
        const int margins = 2 * label->frameWidth() + 2 * 2 + 4;
        widths[k] = std::max(STATUS_PART_CHARS[k] * charWidth, textWidths[k % 3]) + margins;
    }
    labels[0]->setText(QStringLiteral("No Data"));
    Relayout();
}

void StatusPartsBar::setText(int part, const QString& text) {
    if (part >= 0 && part < 9) labels[part]->setText(text);
}

QString StatusPartsBar::text(int part) const {
    return part >= 0 && part < 9 ? labels[part]->text() : QString();
}

QSize StatusPartsBar::sizeHint() const {
    return QSize(widths[0], labels[0]->sizeHint().height());
}

void StatusPartsBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void StatusPartsBar::Relayout() {
    const int barWidth = width();
    const int h = height();
    count = StatusPartCount(barWidth, charWidth);
    if (count == 0) {
        // The single default part across the bar.
        labels[0]->setGeometry(0, 0, barWidth, h);
        labels[0]->show();
        for (int k = 1; k < 9; ++k)
            labels[k]->hide();
        return;
    }
    count = FittingStatusParts(count, widths, barWidth);
    StatusPartPlace places[9];
    PlaceStatusParts(count, widths, barWidth, places);
    for (int k = 0; k < 9; ++k) {
        labels[k]->setGeometry(places[k].left, 0, places[k].width, h);
        labels[k]->setVisible(places[k].width > 0);
    }
}
