// Peak tables as CSV for spreadsheets and scripts: UTF-8, one header line
// "position,time,height,top,base,name", then one line per peak, named or not, sorted by position.
// Numbers use '.' as decimal point whatever the locale, written with as many digits as it takes
// to read them back exactly; a name holding a comma, a quote or a line break is quoted, its
// quotes doubled.
#pragma once

#include "chart/chart_store.h"
#include "chart/peak_entry.h"
#include "chart/spl_types.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* PEAK_CSV_HEADER = "position,time,height,top,base,name";

struct PeakCsvRow {
    long long position = 0; // sample index of the top
    int32_t time = 0;       // the row's time column
    double height = 0.0;    // volts, as the PKS file holds it (height times factor)
    double top = 0.0;       // volts
    double base = 0.0;      // volts
    std::string name;
};

// The rows of peaks of table (0 or 1): time, top and base come from the chart row each peak points
// at (left 0 when it points outside rows). Sorted by position.
std::vector<PeakCsvRow> PeakCsvRows(const PeakEntry* peaks, int peakCount, const ChartStore& rows,
                                    int table);

// A number with '.' as decimal point, the shortest text that reads back as the same double.
std::string CsvNumber(double value);
// The whole file's text, lines ending with LF.
std::string PeakCsvText(const std::vector<PeakCsvRow>& peaks);
// Writes the text through a temporary file and a rename. Returns false (error says why) on failure.
bool WritePeakCsv(const std::string& fileName, const std::vector<PeakCsvRow>& peaks,
                  std::string* error = nullptr);
