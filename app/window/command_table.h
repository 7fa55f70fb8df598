// The command table of the main window: every menu item, accelerator key and panel button is a
// command number, and DispatchCommand runs the first row of CommandTable with that number and a
// handler. A row with a null handler is inert.
#pragma once

class VortanMain;

// Called as handler(main window, notification code, argument); the result is not used.
using CommandHandler = int (*)(VortanMain* main, int code, const void* argument);

struct CommandEntry {
    unsigned command; // 0 ends the table
    CommandHandler handler;
    const void* argument; // static, read-only; its kind depends on the handler
};

extern const CommandEntry CommandTable[];

// Runs the first row of CommandTable for command that has a handler; nothing when none has.
// Returns true when a handler ran.
bool DispatchCommand(VortanMain* main, unsigned command, int code = 0);

// Handlers of the shell itself.
int Quit(VortanMain* main, int code, const void* argument);
int OnViewerNotify(VortanMain* main, int code, const void* argument);

// Handlers of the viewer commands (magnification, range, cursor, peak setting).
int ChgMagCommand(VortanMain* main, int code, const void* argument);
int RangeMenuCommand(VortanMain* main, int code, const void* argument);
int DefaultRangeCommand(VortanMain* main, int code, const void* argument);
int ShiftRangeCommand(VortanMain* main, int code, const void* argument);
int MoveCursorPairCommand(VortanMain* main, int code, const void* argument);
int MoveCursorCommand(VortanMain* main, int code, const void* argument);
int SetHeightCommand(VortanMain* main, int code, const void* argument);
int CancelPeakCommand(VortanMain* main, int code, const void* argument);
int PeakModeCommand(VortanMain* main, int code, const void* argument);

// Handlers of chart loading and storing.
int OpenChart(VortanMain* main, int code, const void* argument);
int AutoLoadChart(VortanMain* main, int code, const void* argument);
int SaveChart(VortanMain* main, int code, const void* argument);
int SaveChartAs(VortanMain* main, int code, const void* argument);
