#include "app/window/key_filter.h"

#include "app/window/command_table.h"
#include "app/window/main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

namespace {

constexpr int CTRL = Qt::ControlModifier;
constexpr int SHIFT = Qt::ShiftModifier;
constexpr int NONE = 0;

} // namespace

const AcceleratorEntry AcceleratorTable[] = {
    {Qt::Key_A, CTRL, 40072}, // measuring cursor A
    {Qt::Key_B, CTRL, 40073}, // measuring cursor B
    {Qt::Key_C, CTRL, 1063},
    {Qt::Key_D, CTRL, 40008},
    {Qt::Key_F, CTRL, 40027},
    {Qt::Key_H, CTRL, 1019},
    {Qt::Key_M, CTRL, 1065},
    {Qt::Key_O, CTRL, 40001},
    {Qt::Key_P, CTRL, 40004},
    {Qt::Key_Q, CTRL, 8},
    {Qt::Key_R, CTRL, 1074},
    {Qt::Key_S, CTRL, 40002},
    {Qt::Key_W, CTRL, 1075},
    {Qt::Key_Y, CTRL, 40071}, // redo
    {Qt::Key_Z, CTRL, 40070}, // undo
    {Qt::Key_Down, NONE, 40033},
    {Qt::Key_Down, CTRL, 40035},
    {Qt::Key_Down, SHIFT, 40044},
    {Qt::Key_Down, CTRL | SHIFT, 103},
    {Qt::Key_End, NONE, 40042},
    {Qt::Key_End, CTRL, 40056},
    {Qt::Key_Escape, NONE, 40045},
    {Qt::Key_Home, NONE, 40041},
    {Qt::Key_Home, CTRL, 40055},
    {Qt::Key_Left, NONE, 40030},
    {Qt::Key_Left, CTRL, 40031},
    {Qt::Key_Left, SHIFT, 40046},
    {Qt::Key_Left, CTRL | SHIFT, 40054},
    {Qt::Key_PageDown, NONE, 40019},
    {Qt::Key_PageDown, CTRL, 40010},
    {Qt::Key_PageDown, SHIFT, 40007},
    {Qt::Key_PageUp, NONE, 40018},
    {Qt::Key_PageUp, CTRL, 40009},
    {Qt::Key_PageUp, SHIFT, 40006},
    {Qt::Key_Return, NONE, 40005},
    {Qt::Key_Right, NONE, 40028},
    {Qt::Key_Right, CTRL, 40029},
    {Qt::Key_Right, SHIFT, 40047},
    {Qt::Key_Right, CTRL | SHIFT, 40053},
    {Qt::Key_Space, NONE, 1015},
    {Qt::Key_Space, CTRL, 1016},
    {Qt::Key_Space, SHIFT, 1017},
    {Qt::Key_Space, CTRL | SHIFT, 1018},
    {Qt::Key_Tab, NONE, 1079},
    {Qt::Key_Tab, CTRL, 1077},
    {Qt::Key_Backtab, SHIFT, 1078},
    {Qt::Key_Up, NONE, 40032},
    {Qt::Key_Up, CTRL, 40034},
    {Qt::Key_Up, SHIFT, 40043},
    {Qt::Key_Up, CTRL | SHIFT, 102},
    {0, 0, 0},
};

unsigned TranslateAccelerator(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Enter) key = Qt::Key_Return;
    // Alt and Meta keystrokes are never accelerators here: Alt opens the menus.
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) return 0;
    const int mods = static_cast<int>(modifiers & (Qt::ControlModifier | Qt::ShiftModifier));
    for (const AcceleratorEntry* row = AcceleratorTable; row->command != 0; ++row)
        if (row->key == key && row->modifiers == mods) return row->command;
    return 0;
}

AppKeyFilter* AppKeyFilter::Install(QObject* parent) {
    auto* filter = new AppKeyFilter(parent);
    qApp->installEventFilter(filter);
    return filter;
}

bool AppKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    if (!watched->isWidgetType() || !MainWindow) return false;
    // The menu bar keeps its keys while the user walks it from the keyboard. A menu bar that was
    // left with the focus after the walk has no active item: its keys are the table's.
    if (auto* bar = qobject_cast<QMenuBar*>(watched)) {
        if (bar->activeAction()) return false;
        if (MainWindow && bar->window() == MainWindow)
            QMetaObject::invokeMethod(MainWindow, &VortanMain::KeepViewerFocus,
                                      Qt::QueuedConnection);
    }
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    // The main window itself, or one of its modeless panels.
    const bool ours = window == MainWindow ||
                      (window->parentWidget() && window->parentWidget()->window() == MainWindow &&
                       !window->isModal());
    if (!ours) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const unsigned command = TranslateAccelerator(key->key(), key->modifiers());
    if (command == 0) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the keystroke so that no widget shortcut takes it; the key press follows.
        event->accept();
        return true;
    }
    DispatchCommand(MainWindow, command);
    if (MainWindow) {
        MainWindow->SyncCheckMarks();
        MainWindow->ReturnKeyboard();
    }
    return true;
}
