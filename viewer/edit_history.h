// Undo and redo of the edits to a chart: every change to its peaks (a peak committed or re-set, a
// rename, a deletion), the table rebuild of a smoothing run with its smoothed curve, and the edits
// of its header. The history belongs to the viewer and lasts one chart session: a new chart
// (SetChart) starts an empty one whose state counts as saved. Steps are unlimited; each keeps only
// what changed (the peak marks and entries that differ), so a long session of single edits stays
// small.
#pragma once

#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"

#include <vector>

// Starts a new session on the viewer's current chart: no steps, the state counts as saved.
void ResetEditHistory(ChartView* viewer);
// Records the peak change just made as one step. A change that left every peak as it was
// records nothing.
void RecordPeakEdit(ChartView* viewer);
// Records a header edit (tags and SPL version) as one step; an edit that changed nothing records
// nothing.
void RecordHeaderEdit(ChartView* viewer, const SplChart& before, const SplChart& after);
// Gives the viewer's chart a new smoothed column (SetChartSmoothed), but as one step of the
// running session: undoing it brings back the previous smoothed curve and the peak tables as they
// were.
int SetSmoothedChart(ChartView* viewer, std::vector<double>&& smoothed, int listCount);

bool CanUndoEdit(const ChartView* viewer);
bool CanRedoEdit(const ChartView* viewer);
// Take back the latest step / do again the step taken back last. A header step writes the header
// into *header (tags and version; may be null when the caller keeps none). Refused with a beep
// (0) while a peak is being set or when there is nothing to undo or redo.
int UndoEdit(ChartView* viewer, SplChart* header);
int RedoEdit(ChartView* viewer, SplChart* header);

// The chart as it is now counts as saved.
void MarkEditsSaved(ChartView* viewer);
// Whether the chart differs from its saved state: false again after undoing back to it.
bool EditsModified(const ChartView* viewer);
