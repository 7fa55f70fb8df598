// The accelerator table 102 and the one application-wide key filter that turns its keystrokes
// into commands for the main window while the main window or one of its modeless panels has the
// focus. Modal dialogs and open menus keep their keys.
#pragma once

#include <QObject>

struct AcceleratorEntry {
    int key;       // Qt::Key
    int modifiers; // Ctrl, Shift (keypad and other modifiers are ignored)
    unsigned command;
};

extern const AcceleratorEntry AcceleratorTable[];

// The command of a keystroke, or 0 when the table has none. Return and the keypad's Enter are one
// key; Shift+Tab arrives as Backtab.
unsigned TranslateAccelerator(int key, Qt::KeyboardModifiers modifiers);

class AppKeyFilter : public QObject {
    Q_OBJECT
  public:
    // Installs the filter on the application.
    static AppKeyFilter* Install(QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using QObject::QObject;
};
