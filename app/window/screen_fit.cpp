#include "app/window/screen_fit.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <climits>

namespace {

long long Clamp(long long v, long long lo, long long hi) {
    return std::max(lo, std::min(v, hi));
}

// Distance (squared) from a point to a rectangle; 0 inside it.
long long DistanceTo(const QRect& r, long long x, long long y) {
    const long long dx = x < r.left() ? r.left() - x : x > r.right() ? x - r.right() : 0;
    const long long dy = y < r.top() ? r.top() - y : y > r.bottom() ? y - r.bottom() : 0;
    // Both are below 2^33: their squares fit.
    return dx * dx + dy * dy;
}

} // namespace

QRect FitOnScreen(long long x, long long y, long long width, long long height) {
    width = Clamp(width, 1, INT_MAX / 2);
    height = Clamp(height, 1, INT_MAX / 2);
    x = Clamp(x, INT_MIN / 2, INT_MAX / 2);
    y = Clamp(y, INT_MIN / 2, INT_MAX / 2);
    QRect area;
    long long best = -1;
    const long long cx = x + width / 2;
    const long long cy = y + height / 2;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect available = screen->availableGeometry();
        if (available.isEmpty()) continue;
        const long long distance = DistanceTo(available, cx, cy);
        if (best < 0 || distance < best) {
            best = distance;
            area = available;
        }
    }
    if (area.isEmpty())
        return QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                     static_cast<int>(height));
    width = std::min<long long>(width, area.width());
    height = std::min<long long>(height, area.height());
    x = Clamp(x, area.left(), area.left() + area.width() - width);
    y = Clamp(y, area.top(), area.top() + area.height() - height);
    return QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                 static_cast<int>(height));
}

QPoint FitOnScreen(long long x, long long y, const QSize& size) {
    return FitOnScreen(x, y, size.width(), size.height()).topLeft();
}

void KeepFrameOnScreen(QWidget* window) {
    auto fit = [](QWidget* w) {
        const QRect frame = w->frameGeometry();
        const QRect to = FitOnScreen(frame.x(), frame.y(), frame.width(), frame.height());
        if (to.topLeft() != frame.topLeft()) w->move(w->pos() + (to.topLeft() - frame.topLeft()));
    };
    if (!window) return;
    fit(window);
    QPointer<QWidget> later(window);
    QTimer::singleShot(200, window, [later, fit] {
        if (later && later->isVisible()) fit(later);
    });
}
