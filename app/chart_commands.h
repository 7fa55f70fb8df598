// Loading a chart into the main window's viewer and storing it back to an SPL file: the common
// steps LoadChart and StoreChart, the open and save dialogs, and the drop road.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>

class VortanMain;
class QWidget;

// Reads fileName and, when the viewer accepts its rows, makes it the chart in the window:
// CurrentChart, ChartFileName, the title and the full-height range. A failed read or a refused
// chart leaves the previous chart, its header and its file name as they were. Returns 1 when the
// new chart is in the viewer.
int LoadChart(VortanMain* main, const std::string& fileName);
// Loads the one file of a drop.
int DropLoadChart(VortanMain* main, const QString& fileName);

enum StoreResult {
    SAVE_DONE = 1,
    SAVE_CANCELLED = 0,
    SAVE_NO_CHART = -1,    // nothing to retrieve (no chart, or a peak is being set)
    SAVE_WRITE_FAILED = -2 // the file could not be written; the old file is untouched
};
// Writes the chart in the viewer with CurrentChart's header to fileName; on success the file
// becomes the current one (title included) and the chart counts as saved.
StoreResult StoreChart(VortanMain* main, const std::string& fileName);
// Save (askName false: to the current file when there is one) or Save As (askName true). Write
// failures are reported in a message box.
StoreResult SaveCurrentChart(VortanMain* main, bool askName);

// The file dialogs. A hook replaces them (tests): it gets the owner, whether a save name is asked
// and the proposed name, and returns the chosen path or nothing when cancelled.
using FileDialogHook =
    std::function<std::optional<QString>(QWidget* owner, bool save, const QString& proposed)>;
void SetFileDialogHook(FileDialogHook hook);
std::optional<QString> OpenSplDialog(QWidget* owner);
std::optional<QString> SaveSplDialog(QWidget* owner, const QString& proposed);

// Row errors of the SPL reader are shown in a message box with the reader's text and title.
void InstallRowErrorHandler();

// Sets the title "Vortan: %s" from ChartBaseName.
void ShowChartTitle(VortanMain* main);
