// Keeping windows on a screen. Positions and sizes read from the settings file may come from
// another screen layout, or be anything a 32-bit number holds (x = -2147483648, width =
// 2147483647): every window and panel placed from them is first fitted here.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The rectangle of a window of size (width, height) wanted with its top-left corner at (x, y),
// shrunk to the available area of the screen nearest to it and moved to lie whole within it.
// Any 64-bit values are taken; a size below 1 counts as 1. Without a screen the wanted rectangle
// is returned within the range of int.
QRect FitOnScreen(long long x, long long y, long long width, long long height);
// The top-left corner at which a window of this size lies whole on a screen, as above.
QPoint FitOnScreen(long long x, long long y, const QSize& size);

// Moves a shown top-level window so that its frame, title bar included, lies whole on a screen.
// The window system tells the frame only once the window is shown and placed, so this is done at
// once and again shortly after.
void KeepFrameOnScreen(QWidget* window);
