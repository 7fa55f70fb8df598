// A mouse event sent to a widget as the window system delivers it: no button is held on a release.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at,
                      Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(target, &e);
}
