// Handlers of the viewer's commands: magnification, range, cursor movement, peak setting and the
// viewer's notifications. The viewer is the main window's child 101.
#include "app/panels/panels.h"
#include "app/window/command_table.h"
#include "app/window/main_window.h"
#include "chart/number_format.h"
#include "chart/run_log.h"
#include "viewer/chart_viewer.h"
#include "viewer/measuring.h"

#include <QStringList>

namespace {

int Arg(const void* argument, int fallback = 0) {
    return argument ? *static_cast<const int*>(argument) : fallback;
}

} // namespace

int ChgMagCommand(VortanMain* main, int, const void* argument) {
    const double factor = argument ? *static_cast<const double*>(argument) : 0.0;
    return ChgMag(main->view(), factor);
}

int RangeMenuCommand(VortanMain* main, int, const void* argument) {
    if (!argument) return 0;
    const int row = static_cast<int>(static_cast<const RangeRow*>(argument) - RangeTable);
    int done = RangeCommand(main->view(), row, &main->checkedRange);
    main->SyncCheckMarks();
    return done;
}

int DefaultRangeCommand(VortanMain* main, int, const void*) {
    int done = DefaultRange(main->view(), &main->checkedRange);
    main->SyncCheckMarks();
    return done;
}

int ShiftRangeCommand(VortanMain* main, int, const void* argument) {
    int done = ShiftRange(main->view(), Arg(argument), &main->checkedRange);
    main->SyncCheckMarks();
    return done;
}

int MoveCursorPairCommand(VortanMain* main, int, const void* argument) {
    if (!argument) return 0;
    const int* pair = static_cast<const int*>(argument);
    return MoveCursorPaired(main->view(), pair[0], pair[1]);
}

int MoveCursorCommand(VortanMain* main, int, const void* argument) {
    return MoveCursor(main->view(), Arg(argument));
}

int SetHeightCommand(VortanMain* main, int, const void*) {
    return SetHeight(main->view());
}

int CancelPeakCommand(VortanMain* main, int, const void*) {
    // With no peak being set, Esc takes the measuring cursors away when there are any.
    if (GetChartMode(main->view()) == CHART_MODE_VIEW && ClearMeasureMarks(main->view())) return 1;
    return CancelPeak(main->view());
}

int PeakModeCommand(VortanMain* main, int, const void* argument) {
    const int table = Arg(argument);
    int done = SetPeakMode(main->view(), table);
    if (done) main->checkedPeakMode = table;
    main->SyncCheckMarks();
    return done;
}

int OnViewerNotify(VortanMain* main, int code, const void*) {
    switch (code) {
    case VN_MOVED:
    case VN_BOX:
    case VN_INDEX:
    case VN_CHART:
    case VN_ADJUST:
        break;
    case VN_MODE:
        OnChartModeChanged(main); // the cursor pad that suits the new mode
        break;
    default:
        return 0;
    }
    RefreshInfoPanel(main);
    SplSample rows[3];
    if (!GetCursorSamples(main->view(), rows, 3)) return 0;
    QStringList texts;
    for (const SplSample& row : rows) {
        texts << QString::fromLocal8Bit(row.isotopeName, qstrnlen(row.isotopeName, SPL_NAME_SIZE))
              << QString::number(row.time) << QString::fromStdString(FormatE(row.data, 0, 6));
    }
    main->SetStatusTexts(texts);
    return 1;
}
