// PKS peak files: the chart's header tags, then one line per named peak with its position (a
// sample index), its height in volts and its name, sorted by position. Written only, never read.
//
// Saving runs in steps so that the window layer can put its dialogs between them:
//   CheckLowPeaks (asks about each very low peak) -> ProposePeakFileName -> the save dialog ->
//   WritePeakFile (sorts, then writes the file whole through a temporary file).
#pragma once

#include "chart/atomic_file.h"
#include "chart/chart_store.h"
#include "chart/peak_entry.h"
#include "chart/spl_types.h"

#include <functional>
#include <string>
#include <vector>

// A peak lower than this (volts) is probably no peak at all; the user is asked about it.
inline constexpr double LOW_PEAK_HEIGHT = 1e-5;

// Shown for one low peak; returns true to abandon the save.
using LowPeakQuestion = std::function<bool(const std::string& text)>;

// The question about the low peak at this position.
std::string LowPeakQuestionText(const PeakEntry& peak);

// Asks once about every peak whose height is not at least LOW_PEAK_HEIGHT, in list order.
// Returns false as soon as the user abandons the save, true otherwise (also with no question).
bool CheckLowPeaks(const PeakEntry* peaks, int peakCount, const LowPeakQuestion& ask);

// The proposed PKS name: chartFileName with everything from its last "." (searched in the whole
// path, folders included) replaced by ".PKS"; a name without "." is returned unchanged.
std::string ProposePeakFileName(const std::string& chartFileName);

// Sorts by position, ascending; peaks at the same position keep their order.
void SortPeaksByPosition(PeakEntry* peaks, int peakCount);

// The file's whole text (lines ending with CR LF) for peaks already sorted.
std::string PeakFileText(const PeakEntry* peaks, int peakCount, const SplChart& chart);

// Sorts peaks in place and writes the PKS file to fileName, replacing it only once the whole file
// has been written. Returns 1 on success, 0 on failure (error, if given, says why; report, if
// given, also tells what the save could not keep).
int WritePeakFile(const std::string& fileName, PeakEntry* peaks, int peakCount,
                  const SplChart& chart, std::string* error = nullptr,
                  SaveReport* report = nullptr);

// The peaks of table k (0 or 1) marked in the rows, as the viewer builds them (MarkedPeak).
std::vector<PeakEntry> PeaksMarkedInRows(const ChartStore& rows, int table);
