// The tool panels that duplicate the cursor keys: the cursor pad while browsing ("CURSORPAD"),
// the bar panel while a base line is set ("BARADJUST") and the cross panel while a top is set
// ("CROSSADJUST"). Every button carries its command number in the property "command" and posts
// it to the main window. At most one panel exists.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QSize>

#include <functional>
#include <optional>

class VortanMain;

enum PanelKind { PANEL_CURSOR_PAD, PANEL_BAR_ADJUST, PANEL_CROSS_ADJUST };

// The panel that suits a chart mode: the bar panel for CHART_MODE_BASE, the cross panel for
// CHART_MODE_TOP, the cursor pad for any other value.
PanelKind PanelForChartMode(int chartMode);

class ToolPanel : public QDialog {
    Q_OBJECT
  public:
    ToolPanel(VortanMain* owner, PanelKind kind);
    ~ToolPanel() override;
    PanelKind kind() const { return panelKind; }
    // Keeps the panel's position for the rest of the session, and stores it in Settings when
    // savePanelPositions is on: an offset from the main window for the pad and the cross panel,
    // the screen position for the bar panel.
    void StorePosition();

  public slots:
    void reject() override; // Esc does not hide a panel

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PlaceAtStart();
    void PostCommand();

    std::function<void()> retranslate;

    VortanMain* main;
    PanelKind panelKind;
};

// The panel shown, or null.
ToolPanel* PadWindow();

// Where each panel was last in this session (the panels kinds, then the information panel): an
// offset from the main window, but a screen position for the bar panel. Panels reopen there.
inline constexpr int PANEL_PLACE_INFO = 3;
inline constexpr int PANEL_PLACE_SLOTS = 4;
std::optional<QPoint>& KeptPanelPlace(int slot);
// A new session: every panel opens at its default or saved place again.
void ForgetPanelPlaces();

// Where panels open by default: the top-left of the main window's chart area, below the menu bar
// (screen coordinates).
QPoint PanelHome(const VortanMain* main);
// Moves a panel that is not shown yet so that its frame's top-left lands at `at` (kept on a
// screen). Where the window system takes the position of a window not yet shown as that of its
// client area (X11), the title bar is allowed for with the main window's frame as a measure.
void PlacePanel(QWidget* panel, QPoint at, const QWidget* main);
// Whether the menu item "操作盤" carries its check mark.
bool PadChecked(VortanMain* main);
