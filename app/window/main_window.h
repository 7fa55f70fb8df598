// The main window "vortanmain": the menu, the chart viewer (child 101) and the status bar with its
// nine parts. Every menu item and accelerator key reaches DispatchCommand; the viewer's
// notifications arrive as command 101.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <map>

class ChartView;
class ChartViewerWidget;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class StatusPartsBar;

inline constexpr int STATUS_PARTS = 9;

class VortanMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit VortanMain(QWidget* parent = nullptr);
    ~VortanMain() override;

    ChartViewerWidget* viewer() const { return viewerWidget; }
    ChartView* view() const;

    // Status bar texts, parts 0 to 8; the labels of missing parts keep their text hidden.
    QString statusText(int part) const;
    int statusPartCount() const;
    StatusPartsBar* statusParts() const { return statusBarParts; }
    void SetStatusTexts(const QStringList& texts);

    // The menu item of a command, or null.
    QAction* actionFor(unsigned command) const;
    QMenuBar* helpMenuBar() const { return helpBar; }

    // The Range menu's checked item (a command number) and the checked peak mode (0 or 1).
    unsigned checkedRange = 40027;
    int checkedPeakMode = 0;
    // Puts the menu's check marks in step with checkedRange and checkedPeakMode.
    void SyncCheckMarks();

    // Whether peaks were changed since the chart was loaded or last saved.
    bool chartModified() const;
    // The chart as it is now counts as saved.
    void MarkChartSaved();
    // Something beyond the peaks (the header, smoothing) changed the chart.
    void MarkChartModified() { otherChange = true; }
    // Asks whether to save changed peaks before they would be lost. Returns true when the caller
    // may go on (saved, discarded or nothing to save), false when the user cancelled or the save
    // failed.
    bool ConfirmDiscardChanges();

    // Loads the files of a drop: one file is loaded; more give the one-file message.
    void HandleDroppedFiles(const QStringList& files);

    // Gives the keyboard focus back to the viewer when no menu or dialog holds it, so that every
    // key reaches the accelerator table (a menu bar left focused would swallow Esc, Enter and
    // the arrows).
    void KeepViewerFocus();
    // After a command from a menu, a key or a panel button: once any dialog it opened has gone,
    // the main window is active again (a window manager may not hand the activation back, and
    // without one nobody does) and the viewer has the focus.
    void ReturnKeyboard();

  signals:
    // The window has been closed for good: position and settings are saved.
    void closed();

  protected:
    // A language change puts up the menus' and the status bar's texts again.
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildStatusBar();
    void BuildMenus();
    QAction* AddCommand(QMenu* menu, const char* text, unsigned command,
                        const QString& keys = QString());
    void Finish();

    ChartViewerWidget* viewerWidget = nullptr;
    StatusPartsBar* statusBarParts = nullptr;
    QMenuBar* helpBar = nullptr;
    std::map<unsigned, QAction*> actions;
    bool otherChange = false;
    bool finished = false;
};

// The main window between the end of its creation and its destruction, else null.
extern VortanMain* MainWindow;
