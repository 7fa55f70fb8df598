// Commands beyond the classic menu: undo and redo of chart edits, the measuring cursors A and B,
// and the chart pane's axes.
#pragma once

class VortanMain;

// Command numbers.
inline constexpr unsigned CMD_UNDO = 40070;          // Data > "元に戻す", Ctrl+Z
inline constexpr unsigned CMD_REDO = 40071;          // Data > "やり直す", Ctrl+Y
inline constexpr unsigned CMD_MEASURE_A = 40072;     // View > measuring cursor A, Ctrl+A
inline constexpr unsigned CMD_MEASURE_B = 40073;     // View > measuring cursor B, Ctrl+B
inline constexpr unsigned CMD_MEASURE_CLEAR = 40074; // View > clear the measuring cursors
inline constexpr unsigned CMD_AXES = 40075;          // View > axes on the chart pane
inline constexpr unsigned CMD_KEYMAP = 40076;        // Help > the key map

int UndoCommand(VortanMain* main, int code, const void* argument);
int RedoCommand(VortanMain* main, int code, const void* argument);
// Ctrl+A / Ctrl+B: cursor A or B (argument: pointer to MEASURE_A or MEASURE_B) on the point being
// set, or on the view's centre sample while browsing.
int MeasureCommand(VortanMain* main, int code, const void* argument);
int MeasureClearCommand(VortanMain* main, int code, const void* argument);
// Shows or hides the chart pane's axes; the choice is kept in the settings file ([view] axes).
int AxesCommand(VortanMain* main, int code, const void* argument);
// The axes as the settings file has them, applied to the window's viewer and menu item.
void ApplyAxesSetting(VortanMain* main);
extern const int MeasureWhich[2];
