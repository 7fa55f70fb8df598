// The handlers of the chart-data dialogs: saving peaks to a PKS file, smoothing and its settings,
// the detection options, the general settings and the chart header. Each handler has the command
// table's form handler(main window, notification code, argument); the argument is not used.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class VortanMain;
class QWidget;
struct SplChart;

// Save Peaks (command 40004): writes the current peak table to a PKS file the user names.
// Returns 1 when a peak file was offered for saving, else 0.
int SavePeaks(VortanMain* main, int code, const void* argument);

// The PKS save dialog. A hook replaces it (tests): it gets the owner and the proposed name and
// returns the chosen path, or nothing when cancelled.
using PeakFileDialogHook =
    std::function<std::optional<QString>(QWidget* owner, const QString& proposed)>;
void SetPeakFileDialogHook(PeakFileDialogHook hook);
std::optional<QString> SavePeakFileDialog(QWidget* owner, const QString& proposed);

// Smoothing (command 40051): the smoothing dialog, then the smoothed chart in the viewer at its
// full height. Always returns 1.
int Smoothing(VortanMain* main, int code, const void* argument);
// The run behind Smoothing: 1 when the viewer holds the smoothed chart, 0 when there was no
// chart, the dialog was cancelled or the viewer refused the rows.
int RunSmoothing(VortanMain* main);
// Smoothing settings (command 40048): 1 when the settings were changed, 0 when cancelled.
int SmoothingSettings(VortanMain* main, int code, const void* argument);

// Detection options (command 40049): the threshold and whether peaks are detected. 1 on OK.
int DetectionOptions(VortanMain* main, int code, const void* argument);

// General settings (command 40061). Returns 1.
int GeneralSettings(VortanMain* main, int code, const void* argument);

// Chart header (command 40040): beeps when the chart has no tags, else edits CurrentChart.
// Returns 1.
int EditHeader(VortanMain* main, int code, const void* argument);
// Edits the tag values and the layout (SPL or SPL2) of chart in a modal dialog over owner.
// Returns 1 when the user accepted and chart has been updated, else 0 (chart unchanged).
int EditChartHeader(QWidget* owner, SplChart& chart);
