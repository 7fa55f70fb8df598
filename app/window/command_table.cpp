#include "app/window/command_table.h"

#include "app/commands/data_dialogs.h"
#include "app/commands/edit_commands.h"
#include "app/panels/help_window.h"
#include "app/panels/panels.h"
#include "app/printing/printing.h"
#include "viewer/chart_viewer.h"

namespace {

// Magnification factors (0.0: the default magnification).
const double FACTOR_X5 = 5.0;
const double FACTOR_X2 = 2.0;
const double FACTOR_HALF = 0.5;
const double FACTOR_FIFTH = 0.2;
const double FACTOR_DEFAULT = 0.0;

// ShiftRange directions.
const int RANGE_UP = +1;
const int RANGE_DOWN = -1;

// MoveCursor codes: pairs are {browsing, setting a peak}.
const int PAIR_RIGHT[2] = {1, 17};
const int PAIR_LEFT[2] = {2, 18};
const int PAIR_UP[2] = {3, 19};
const int PAIR_DOWN[2] = {4, 20};
const int PAIR_FAR_RIGHT[2] = {9, 21};
const int PAIR_FAR_LEFT[2] = {10, 22};
const int PAIR_FAR_UP[2] = {11, 23};
const int PAIR_FAR_DOWN[2] = {12, 24};
const int CODES[32] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                       16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};

// Peak tables of SetPeakMode.
const int TABLE_MEASURE = 0;
const int TABLE_CHECK = 1;

} // namespace

const CommandEntry CommandTable[] = {
    // File
    {40001, OpenChart, nullptr},
    {40002, SaveChart, nullptr},
    {40003, SaveChartAs, nullptr},
    {40004, SavePeaks, nullptr},
    {40004, nullptr, nullptr},
    {40057, PrinterSettingsCommand, nullptr},
    {40058, PrintChartCommand, nullptr},
    {8, Quit, nullptr},
    // Data
    {40005, SetHeightCommand, nullptr},
    {40045, CancelPeakCommand, nullptr},
    {40051, Smoothing, nullptr},
    {40036, PeakModeCommand, &TABLE_MEASURE},
    {40037, PeakModeCommand, &TABLE_CHECK},
    {40038, nullptr, nullptr},
    {40039, PeakListCommand, nullptr},
    {40040, EditHeader, nullptr},
    {40052, nullptr, nullptr},
    {CMD_UNDO, UndoCommand, nullptr},
    {CMD_REDO, RedoCommand, nullptr},
    // View
    {CMD_AXES, AxesCommand, nullptr},
    {CMD_MEASURE_A, MeasureCommand, &MeasureWhich[0]},
    {CMD_MEASURE_B, MeasureCommand, &MeasureWhich[1]},
    {CMD_MEASURE_CLEAR, MeasureClearCommand, nullptr},
    {CMD_KEYMAP, HelpKeyMapCommand, nullptr},
    // Option
    {40048, SmoothingSettings, nullptr},
    {40049, DetectionOptions, nullptr},
    {40061, GeneralSettings, nullptr},
    // Window
    {40059, CursorPadCommand, nullptr},
    {40060, InfoPanelCommand, nullptr},
    // Help
    {40062, HelpTopicCommand, nullptr},
    {40063, HelpSearchCommand, nullptr},
    {40064, HelpContentsCommand, nullptr},
    {40050, ShowAboutBox, nullptr},
    // Displacement register (pad buttons Mem, M<->P, dMem, Inc, Dec)
    {1074, RegisterCommand, &RegisterOps[0]},
    {1075, RegisterCommand, &RegisterOps[1]},
    {1077, RegisterCommand, &RegisterOps[2]},
    {1079, RegisterCommand, &RegisterOps[3]},
    {1078, RegisterCommand, &RegisterOps[4]},
    // The viewer's notifications and the start-up load
    {101, OnViewerNotify, nullptr},
    {107, AutoLoadChart, nullptr},
    // Magnification
    {40009, ChgMagCommand, &FACTOR_X5},
    {40006, ChgMagCommand, &FACTOR_X2},
    {40007, ChgMagCommand, &FACTOR_HALF},
    {40010, ChgMagCommand, &FACTOR_FIFTH},
    {40008, ChgMagCommand, &FACTOR_DEFAULT},
    // Range
    {40018, ShiftRangeCommand, &RANGE_UP},
    {40019, ShiftRangeCommand, &RANGE_DOWN},
    {40027, DefaultRangeCommand, nullptr},
    {40011, RangeMenuCommand, &RangeTable[0]},
    {40012, RangeMenuCommand, &RangeTable[1]},
    {40013, RangeMenuCommand, &RangeTable[2]},
    {40014, RangeMenuCommand, &RangeTable[3]},
    {40015, RangeMenuCommand, &RangeTable[4]},
    {40016, RangeMenuCommand, &RangeTable[5]},
    {40017, RangeMenuCommand, &RangeTable[6]},
    {40020, RangeMenuCommand, &RangeTable[7]},
    {40021, RangeMenuCommand, &RangeTable[8]},
    {40022, RangeMenuCommand, &RangeTable[9]},
    {40023, RangeMenuCommand, &RangeTable[10]},
    {40024, RangeMenuCommand, &RangeTable[11]},
    {40025, RangeMenuCommand, &RangeTable[12]},
    {40026, RangeMenuCommand, &RangeTable[13]},
    // Cursor movement
    {40028, MoveCursorPairCommand, PAIR_RIGHT},
    {40030, MoveCursorPairCommand, PAIR_LEFT},
    {40032, MoveCursorPairCommand, PAIR_UP},
    {40033, MoveCursorPairCommand, PAIR_DOWN},
    {40029, MoveCursorCommand, &CODES[5]},
    {40031, MoveCursorCommand, &CODES[6]},
    {40034, MoveCursorCommand, &CODES[7]},
    {40035, MoveCursorCommand, &CODES[8]},
    {40047, MoveCursorPairCommand, PAIR_FAR_RIGHT},
    {40046, MoveCursorPairCommand, PAIR_FAR_LEFT},
    {40043, MoveCursorPairCommand, PAIR_FAR_UP},
    {40044, MoveCursorPairCommand, PAIR_FAR_DOWN},
    {40053, MoveCursorCommand, &CODES[9]},
    {40054, MoveCursorCommand, &CODES[10]},
    {102, MoveCursorCommand, &CODES[11]},
    {103, MoveCursorCommand, &CODES[12]},
    {40055, MoveCursorCommand, &CODES[13]},
    {40056, MoveCursorCommand, &CODES[14]},
    {40041, MoveCursorCommand, &CODES[15]},
    {40042, MoveCursorCommand, &CODES[16]},
    {1063, MoveCursorCommand, &CODES[25]},
    {1065, MoveCursorCommand, &CODES[26]},
    {1015, MoveCursorCommand, &CODES[27]},
    {1016, MoveCursorCommand, &CODES[28]},
    {1017, MoveCursorCommand, &CODES[29]},
    {1018, MoveCursorCommand, &CODES[30]},
    {1019, MoveCursorCommand, &CODES[31]},
    {0, nullptr, nullptr},
};

bool DispatchCommand(VortanMain* main, unsigned command, int code) {
    for (const CommandEntry* row = CommandTable; row->command != 0; ++row) {
        if (row->command == command && row->handler) {
            row->handler(main, code, row->argument);
            return true;
        }
    }
    return false;
}
