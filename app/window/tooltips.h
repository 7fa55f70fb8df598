// Tooltips of the panels' buttons, the dialogs' fields and the status bar's parts. The texts are
// kept in one table by object name (a window's own entry first), and put on every window when it
// is first shown, so that the forms need not repeat them.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The tooltip of child `child` in window `window` (object names); empty when there is none.
QString ToolTipFor(const QString& window, const QString& child);
// Puts the tooltips on window's children that have none yet.
void ApplyToolTips(QWidget* window);
// The tooltip of status bar part 0 to 8: left edge, centre (or the point being set), right edge;
// each with its name, sample and volts.
QString StatusPartToolTip(int part);

// Applies the tooltips to every window of the application as it is shown.
class ToolTipInstaller : public QObject {
    Q_OBJECT
  public:
    static ToolTipInstaller* Install(QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using QObject::QObject;
};
