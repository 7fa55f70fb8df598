// The chart viewer model: the per-viewer working copy of the chart (CHARTBLOCK), its peak tables,
// the view (position, magnification, range), the cursor and peak-setting state machine, peak list
// access and automatic peak detection. Standard C++ only; the window is reached through
// ViewerHost.
//
// Units: a horizontal position is a sample index; a level is in volts; magnification is pixels
// per sample; a range is the volts spanned by the chart pane's height.
#pragma once

#include "chart/chart_store.h"
#include "chart/peak_entry.h"
#include "chart/spl_types.h"
#include "viewer/viewer_host.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Notification codes posted to the viewer's parent.
inline constexpr int VN_MOVED = 0x01;
inline constexpr int VN_BOX = 0x02;
inline constexpr int VN_INDEX = 0x04;
inline constexpr int VN_CHART = 0x08;
inline constexpr int VN_MODE = 0x10;
inline constexpr int VN_RESET = 0x20;
inline constexpr int VN_ADJUST = 0x40;

inline constexpr int CHART_MODE_VIEW = 0;
inline constexpr int CHART_MODE_BASE = 1;
inline constexpr int CHART_MODE_TOP = 2;

// RefreshView targets.
inline constexpr int REFRESH_CHART = 1;
inline constexpr int REFRESH_INDEX = 2;
inline constexpr int REFRESH_ALL = -1;

struct CHARTBLOCK {
    uint32_t flags = 0; // HASSM
    int sampleCount = 0;
    int paddedCount = 0;
    int scrollCount = 0;
    int viewStart = 0;
    int viewWidth = 0;
    double magnification = 1.0;
    double defaultRange = 0.0;
    double maxValue = 0.0;
    double minValue = 0.0;
    double viewTop = 0.0;
    double range = 0.0;
    // The chart's sampleCount rows. Its data column (and smoothed column, which a block with
    // HASSM always has) run on over the blank samples: paddedCount + 1 values, 0.0 past the
    // chart. The marked rows are the store's marks, so that painters find the marks of a stretch
    // without scanning it.
    ChartStore rows;
    // Changes whenever the sample data is replaced (each SetChart), for caches of the painters.
    uint64_t generation = 0;
};

struct PeakSet {
    int count = 0;
    int cursor = 0;
    int anchorIndex = 0;
    int editIndex = -1;
    double topLevel = 0.0;
    double baseLevel = 0.0;
    double tilt = 0.0;
    int room = 0;                   // paddedCount + 1: the most entries the table may hold
    std::vector<PeakEntry> entries; // the first count are in use; grows on demand up to room
};

class EditHistory; // viewer/edit_history.h

// Index pane state: the cursor box in pane pixels and whether an overview image exists.
struct IndexPaneState {
    int boxWidth = 0; // below 1: no size set yet, the box covers the pane
    int boxHeight = 0;
    int boxLeft = 0;
    int boxTop = 0;
    bool hasImage = false;
};

namespace viewer_detail {
struct StateAccess; // viewer/viewer_internal.h
}

// The slots of a viewer: what the viewer's own functions keep between calls.
struct ChartViewState {
    ViewerHost* host = nullptr;
    std::unique_ptr<CHARTBLOCK> chart;
    std::unique_ptr<std::vector<std::unique_ptr<PeakSet>>> peakTable;
    int listCount = 0;
    int peakMode = 0;
    int chartMode = CHART_MODE_VIEW;
    IndexPaneState index;
    // Edits to the peaks since the last SetChart: +1 for every committed or re-set peak, every
    // SetPeakInfo and every DeletePeaks that removed entries; 0 after SetChart.
    int changeCount = 0;
    // Undo and redo of the edits of this chart session (viewer/edit_history.h).
    std::shared_ptr<EditHistory> history;
    // The measuring cursors A and B: sample indices, -1 when not placed (viewer/measuring.h).
    int measureMark[2] = {-1, -1};
};

// The viewer "window" of the model: its slots and its host. Only the functions below change the
// slots; everyone else reads them through the accessors.
class ChartView {
  public:
    explicit ChartView(ViewerHost* host) { state.host = host; }
    ChartView(const ChartView&) = delete;
    ChartView& operator=(const ChartView&) = delete;

    ViewerHost* Host() const { return state.host; }
    // The chart block, or null before the first SetChart.
    const CHARTBLOCK* Chart() const { return state.chart.get(); }
    // The peak tables (listCount of them), or null before the first SetChart.
    const std::vector<std::unique_ptr<PeakSet>>* PeakTables() const {
        return state.peakTable.get();
    }
    int ListCount() const { return state.listCount; }
    int PeakMode() const { return state.peakMode; }
    int ChartMode() const { return state.chartMode; }
    const IndexPaneState& IndexPane() const { return state.index; }
    // The application asks whether to save peaks before they would be lost while this is not 0.
    int ChangeCount() const { return state.changeCount; }
    // Measuring cursor 0 (A) or 1 (B): its sample index, -1 when not placed.
    int MeasureMark(int which) const { return state.measureMark[which]; }

    // The current PeakSet, or null.
    const PeakSet* CurrentPeakSet() const;

  private:
    friend struct viewer_detail::StateAccess;
    ChartViewState state;
};

// Peak detector: examines the data column data[start .. end-1]; returns the peak's sample index or
// a negative value. Sets *ownLevels nonzero after writing *top and *base itself.
using PeakDetector = int (*)(void* context, const double* data, int start, int end, int* ownLevels,
                             double* top, double* base);

// --- chart block (install, check, take back) ---
int CheckChartView(const ChartView* viewer);
// True when the viewer holds a chart of at least one sample (false for a null viewer).
bool HasSamples(const ChartView* viewer);
const char* GetChartViewerClass();
// Copies the caller's rows (1 on success). On any failure the viewer keeps its previous chart and
// tables. listCount must be 1 or 2 (the rows carry two tables' columns).
int SetChart(ChartView* viewer, int sampleCount, const SplSample* samples, uint32_t flags,
             int listCount);
// The same, taking the rows over instead of copying them (for a chart just read). On success rows
// is left empty; on failure it is left as it was.
int SetChart(ChartView* viewer, ChartStore&& rows, uint32_t flags, int listCount);
// A chart made ready for a viewer: the part of SetChart that touches no viewer (the extremes, the
// peak tables from the rows' marks, the blank padding), so that a long chart can be prepared away
// from the window's thread. An empty block means it failed (logged as SetChart logs).
struct PreparedChart {
    std::unique_ptr<CHARTBLOCK> block;
    std::vector<std::unique_ptr<PeakSet>> lists;
    int listCount = 0;
};
// desktopWidth and tableCount are the viewer's DesktopWidth() and listCount, read beforehand.
// Rows are taken over on success and left as they were on failure.
PreparedChart PrepareChart(ChartStore& rows, uint32_t flags, int listCount, int desktopWidth,
                           int tableCount);
// Installs a prepared chart: 1 on success; on failure the viewer keeps its chart and prepared is
// left as it was.
int SetChart(ChartView* viewer, PreparedChart&& prepared);
// The chart's rows where they lie (blank padding excluded), for reading until the chart next
// changes; *count = their number, *flags = HASSM when smoothed (left as it was otherwise). Null
// (logged) when there is no chart or a peak is being set.
const ChartStore* RetrieveChart(ChartView* viewer, int* count, uint32_t* flags);
// Gives the viewer's chart a new smoothed column (sampleCount values) and installs it again as
// SetChart does with HASSM, peaks rebuilt from the rows' marks. 0 when SetChart would refuse; the
// chart is unchanged then.
// (SetSmoothedChart of the edit history records it as one step.)
int SetChartSmoothed(ChartView* viewer, std::vector<double>&& smoothed, int listCount);
// SetChart with new rows of the chart already shown: the tables are rebuilt from the rows' marks,
// and an entry at the same position in the same table as before keeps its name and factor,
// whatever the user set there.
int ReplaceChartRows(ChartView* viewer, ChartStore&& rows, uint32_t flags, int listCount);
void FreeViewerData(ChartView* viewer);

// --- view: position, magnification, range ---
int SetViewPosition(ChartView* viewer, int start, double top);
void ShiftView(ChartView* viewer, int dx, double dvolts);
double SetMagnification(ChartView* viewer, double factor, int absolute);
double GetMagnification(const ChartView* viewer);
double SetRange(ChartView* viewer, double volts);
double GetRange(const ChartView* viewer);
double GetChartMax(const ChartView* viewer, int which);
double GetChartMin(const ChartView* viewer, int which);
int GetCursor(const ChartView* viewer, int* start, double* top, int* width, double* range);
// Sets the view exactly as given: nothing clamped, repainted, posted or logged. For a viewer that
// is never on screen and draws a chosen stretch at a chosen scale (a picture). 0 without a chart.
int PlaceView(ChartView* viewer, double magnification, int start, int width, double range,
              double top);

struct RangeRow {
    unsigned command;
    double volts;
};
// The Range menu's rows, 20 V down to 1 mV, then the end row {0, 0.0}.
extern const RangeRow RangeTable[15];
inline constexpr int RANGE_ROWS = 14;
inline constexpr unsigned RANGE_FULL_HEIGHT = 40027;

// Command-handler logic behind the Magnification and Range menus. checkedRange is the command of
// the Range menu item that carries the check mark; on success it is moved to the new item.
int ChgMag(ChartView* viewer, double factor);
int RangeCommand(ChartView* viewer, int row, unsigned* checkedRange);
int DefaultRange(ChartView* viewer, unsigned* checkedRange);
int ShiftRange(ChartView* viewer, int step, unsigned* checkedRange);

// --- cursor movement and peak setting ---
// Codes 1..31. The point being set never leaves the chart's samples: its moves stop at sample 0
// and at sampleCount - 1.
int MoveCursor(ChartView* viewer, int code);
void AdjustPeak(ChartView* viewer, int code, double vpp);
// Changes chartMode; a commit that a table has no room for is refused with a beep (0, the mode
// stays).
int SetChartMode(ChartView* viewer, int newMode, int cancel, int detect, int select, int index,
                 double level);
int SetPeakMode(ChartView* viewer, int table);
int GetPeakMode(const ChartView* viewer);
int GetChartMode(const ChartView* viewer);
int GetCursorSamples(const ChartView* viewer, SplSample* out, int rows);
// The handlers of the cursor commands: paired (browsing code / setting code), single, Set Height
// (Enter) and Cancel (Esc).
int MoveCursorPaired(ChartView* viewer, int browseCode, int setCode);
int SetHeight(ChartView* viewer);
int CancelPeak(ChartView* viewer);

// --- peak list access and editing ---
std::unique_ptr<PeakEntry[]> GetPeakList(ChartView* viewer, int* count);
int GetPeakInfo(const ChartView* viewer, int table, int index, double* top, double* base);
int SetPeakInfo(ChartView* viewer, int table, int index, const double* top, const double* base,
                const char* name);
// Entries left in the current table; indices outside it are skipped, a repeated index counts once.
int DeletePeaks(ChartView* viewer, int n, const int* indices);

// --- automatic peak detection ---
int SetPeakDetector(ChartView* viewer, PeakDetector detector, void* context);
bool PeakDetectorInstalled();
int DetectPeak(const CHARTBLOCK* chart, int start, PeakSet* result);
int ThresholdDetector(void* context, const double* data, int start, int end, int* ownLevels,
                      double* top, double* base);
double GetDetectionThreshold();
int SetDetectionThreshold(double volts);

// --- refresh, index image and cursor box (arithmetic here, drawing in the host) ---
void RefreshView(ChartView* viewer, int targets);
void MakeIndexImage(ChartView* viewer);
void MakeCursorBox(ChartView* viewer);
void PlaceCursorBox(ChartView* viewer, int x, int y);
void ApplyCursorBox(ChartView* viewer);
// Samples per index column for sampleCount samples over a pane width (at least 1); 0 when the
// pane has no width (no image is made then).
int IndexStep(int sampleCount, int paneWidth);
// The level the index pane's bottom row stands for: 0 V, or the chart's minimum when that is below
// 0 V. The overview, the box and its drop all measure levels from it.
double IndexBaseLevel(const CHARTBLOCK& chart);
// Pane layout of the viewer for a client area width x height: chart pane above, one separator
// row, index pane below.
struct PaneRects {
    int chartHeight;
    int indexTop;
    int indexHeight;
};
PaneRects ComputePaneLayout(int width, int height);
// Re-lays the viewer after a resize (the host has already moved the panes).
void LayoutPanes(ChartView* viewer);
