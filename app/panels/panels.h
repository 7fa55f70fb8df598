// The tool panels and dialogs of the shell: the cursor pad and its two peak-setting panels, the
// displacement register, the chart information panel, the peak list, the about box and help.
// Handlers have the command table's signature; the hooks are called by the main window.
#pragma once

class VortanMain;

// Command 40059 (Window > "操作盤"): toggles the menu's check mark and showCursorPad, then opens
// or closes the pad.
int CursorPadCommand(VortanMain* main, int code, const void* argument);
// Command 40060 (Window > "詳細情報"): opens or closes the chart information panel.
int InfoPanelCommand(VortanMain* main, int code, const void* argument);
// Commands 1074, 1075, 1077, 1079, 1078: argument points to the register operation (an int 0 to
// 4, see RegisterOps).
int RegisterCommand(VortanMain* main, int code, const void* argument);
// The arguments of the register commands: Mem, M<->P, dMem, Inc, Dec.
extern const int RegisterOps[5];
// Command 40039: the peak list dialog.
int PeakListCommand(VortanMain* main, int code, const void* argument);
// Command 40050: the about box.
int ShowAboutBox(VortanMain* main, int code, const void* argument);
// Commands 40062 (topic 18), 40063 (keyword search) and 40064 (contents): the help window.
int HelpTopicCommand(VortanMain* main, int code, const void* argument);
int HelpSearchCommand(VortanMain* main, int code, const void* argument);
int HelpContentsCommand(VortanMain* main, int code, const void* argument);

// ToggleConsole: flips the check mark of "操作盤" and showCursorPad; opens or closes nothing.
int ToggleConsole(VortanMain* main);
// Closes the shown panel; then, when show is set and showCursorPad is on, opens the panel that
// suits the viewer's chart mode. Returns 0 when the panel could not be created.
int CursorPad(VortanMain* main, int show);

// Hooks of the main window.
// On the viewer notification VN_MODE: opens the panel for the new chart mode when one is shown.
void OnChartModeChanged(VortanMain* main);
// After every viewer notification: refreshes the information panel when it is open.
void RefreshInfoPanel(VortanMain* main);
// At start-up, after the window is built: the panels the settings ask for.
void OpenStartupPanels(VortanMain* main);
// When the main window is destroyed: closes the help window.
void CloseHelp();
