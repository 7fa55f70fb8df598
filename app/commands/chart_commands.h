// Loading a chart into the main window's viewer and storing it back to an SPL file: the common
// steps LoadChart and StoreChart, the open and save dialogs, and the drop road.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>

class VortanMain;
struct SaveReport;
class QWidget;

// Reads fileName and, when the viewer accepts its rows, makes it the chart in the window:
// CurrentChart, ChartFileName, the title and the full-height range. A failed read or a refused
// chart leaves the previous chart, its header and its file name as they were, and a message gives
// the file and the reason. A chart cut short is loaded with a message that tells the line where
// reading stopped and the rows read. Returns 1 when the new chart is in the viewer.
int LoadChart(VortanMain* main, const std::string& fileName);
// The file of the chart in the window when its reading stopped at a line that is not a row with
// more after it (the chart holds only the rows before); saving over that file asks first.
std::optional<std::string> CutShortChartFile();
// The chart has been written over that file: nothing more is left out there.
void ForgetCutShortChart();
// Loads the one file of a drop.
int DropLoadChart(VortanMain* main, const QString& fileName);

enum StoreResult {
    SAVE_DONE = 1,
    SAVE_CANCELLED = 0,
    SAVE_NO_CHART = -1,    // nothing to retrieve (no chart, or a peak is being set)
    SAVE_WRITE_FAILED = -2 // the file could not be written; the old file is untouched
};
// Writes the chart in the viewer with CurrentChart's header to fileName; on success the file
// becomes the current one (title included) and the chart counts as saved. report (if given) says
// why a write failed or what it could not keep.
StoreResult StoreChart(VortanMain* main, const std::string& fileName, SaveReport* report = nullptr);
// Save (askName false: to the current file when there is one) or Save As (askName true). Every
// outcome but the user's cancel is told in a message box: a failed write with its reason, nothing
// to save (no chart, a peak being set, no memory for the rows), and a save that could not keep
// the file's other hard links, owner or group.
StoreResult SaveCurrentChart(VortanMain* main, bool askName);

// The file dialogs. A hook replaces them (tests): it gets the owner, whether a save name is asked
// and the proposed name, and returns the chosen path or nothing when cancelled.
using FileDialogHook =
    std::function<std::optional<QString>(QWidget* owner, bool save, const QString& proposed)>;
void SetFileDialogHook(FileDialogHook hook);
std::optional<QString> OpenSplDialog(QWidget* owner);
std::optional<QString> SaveSplDialog(QWidget* owner, const QString& proposed);
// Asks whether the existing file chosen may be replaced (No is the default); true when it does not
// exist.
bool AskToReplaceFile(QWidget* owner, const QString& chosen);

// Row errors of the SPL reader are shown in a message box with the reader's text and title.
void InstallRowErrorHandler();

// Sets the title "Vortan: %s" from ChartBaseName.
void ShowChartTitle(VortanMain* main);
