#include "app/commands/edit_commands.h"

#include "app/window/command_table.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/settings.h"
#include "chart/spl_types.h"
#include "viewer/edit_history.h"
#include "viewer/measuring.h"
#include "views/chart_viewer_widget.h"

#include <QAction>

namespace {

// After a step was taken back or done again: the range follows a changed chart height when the
// full height is shown, and the status bar and the information panel show the result.
void AfterTravel(VortanMain* main) {
    if (main->checkedRange == RANGE_FULL_HEIGHT) DefaultRange(main->view(), &main->checkedRange);
    DispatchCommand(main, 101, VN_CHART);
}

} // namespace

int UndoCommand(VortanMain* main, int, const void*) {
    if (!main || !UndoEdit(main->view(), &CurrentChart)) return 0;
    AfterTravel(main);
    return 1;
}

int RedoCommand(VortanMain* main, int, const void*) {
    if (!main || !RedoEdit(main->view(), &CurrentChart)) return 0;
    AfterTravel(main);
    return 1;
}

const int MeasureWhich[2] = {MEASURE_A, MEASURE_B};

int MeasureCommand(VortanMain* main, int, const void* argument) {
    if (!main || !argument) return 0;
    ChartView* view = main->view();
    return SetMeasureMark(view, *static_cast<const int*>(argument), MeasureKeySample(view));
}

int MeasureClearCommand(VortanMain* main, int, const void*) {
    return main ? ClearMeasureMarks(main->view()) : 0;
}

int AxesCommand(VortanMain* main, int, const void*) {
    if (!main) return 0;
    const bool on = !main->viewer()->axesShown();
    main->viewer()->setAxesShown(on);
    if (QAction* item = main->actionFor(CMD_AXES)) item->setChecked(on);
    const std::string path = SettingsFilePath();
    if (!path.empty()) WriteBoolSetting(path, "view", "axes", on);
    return 1;
}

void ApplyAxesSetting(VortanMain* main) {
    const std::string path = SettingsFilePath();
    const bool on = !path.empty() && ReadBoolSetting(path, "view", "axes", false);
    main->viewer()->setAxesShown(on);
    if (QAction* item = main->actionFor(CMD_AXES)) item->setChecked(on);
}
