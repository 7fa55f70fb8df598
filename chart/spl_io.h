// Reading and writing SPL / SPL2 chart files (module Spldata).
#pragma once

#include "chart/atomic_file.h"
#include "chart/chart_store.h"
#include "chart/spl_types.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A rejected row (codes 203 and 220): text is the rest of the row from the offending comma, title
// is "%d/(%s:%d)" with the row index, "Spldata" and the code. The window layer shows it in a
// message box; without a handler it is only logged.
using SplRowErrorHandler = std::function<void(const std::string& text, const std::string& title)>;
void SetSplRowErrorHandler(SplRowErrorHandler handler);
// Reports a rejected row through the process-wide handler (or the log without one).
void ReportSplRowError(const std::string& text, const std::string& title);

// Progress and stop request of a read or a write running on a worker thread; the window's thread
// reads the counters and may set cancel at any time.
struct SplProgress {
    std::atomic<bool> cancel{false};
    std::atomic<bool> cancelled{false}; // set by the reader or writer when it stopped for cancel
    std::atomic<long long> rows{0};     // rows read or written so far
    std::atomic<long long> done{0};     // bytes read, or rows written
    std::atomic<long long> total{0};    // the file's size, or the rows to write; 0 when unknown
    // When set, a rejected row (codes 203 and 220) goes here instead of the process-wide handler.
    SplRowErrorHandler rowError;
};

// Why a read failed: the system's reason ("Permission denied", "not a regular file (a device or
// FIFO)") or the fault in the file as the run log names it ("Bad format of spl body."), and the
// line of the file it was found on, counted from 1 (0 when it concerns no line).
struct SplError {
    std::string text;
    long long line = 0;
    // "line 7: Bad format of spl body.", or the text alone when there is no line.
    std::string Describe() const;
};

// What a read found besides the rows.
struct SplReadInfo {
    // Empty text when the read succeeded.
    SplError error;
    // error.Describe(), for callers that show the reason in one line.
    std::string failure;
    // The rows ended at a line that is not a row while more than blanks follows: the chart holds
    // only the rows before stopLine (counted from 1).
    bool cutShort = false;
    long long stopLine = 0;
};

// Reads fileName into chart (reset first) and returns the rows, or nothing on failure. Every step
// and failure is logged; info (if given) tells why a read failed and where a chart was cut short.
// Only regular files are read (a FIFO or device is refused at once, never waited on). A file
// whose first line is neither a header line nor a row holds no chart: the read fails.
// With progress, a cancel request stops the read (nothing is returned, progress->cancelled is
// set). The rows after the header are parsed in parallel stretches on two threads; the result, the
// log lines and the first error are those of a reading from front to back.
std::optional<ChartStore> ReadSplData(const std::string& fileName, SplChart& chart,
                                      SplReadInfo* info = nullptr, SplProgress* progress = nullptr);

// Writes the rows with the header chart to fileName, replacing it only once the whole file has
// been written (temporary file, then rename; see AtomicFile for links, special files and
// permissions). Returns 1 on success, 0 on any failure; report (if given) says why, or what the
// save could not keep. The rows are formatted straight from the store. With progress, a cancel
// request abandons the write: the old file stays, 0 is returned and progress->cancelled is set.
int WriteSplData(const std::string& fileName, const ChartStore& rows, const SplChart& chart,
                 SaveReport* report = nullptr, SplProgress* progress = nullptr);
// The same for rowCount row records.
int WriteSplData(const std::string& fileName, const SplSample* rows, int rowCount,
                 const SplChart& chart, SaveReport* report = nullptr,
                 SplProgress* progress = nullptr);

// Text as the writers put it between double quotes: cut at its first double quote, line feed or
// NUL, where a reader would take it to end.
std::string_view SplSafeText(std::string_view text);
// A header tag's name and value as the writers write them: both cleaned as above, the name cut to
// 29 characters and the value so that the line "name","value" fits one 1023-character piece.
void SplCleanTag(const SplTag& tag, std::string_view* name, std::string_view* value);

// One row line as WriteSplData writes it at position index, CR LF included; extended adds the
// SPL2 columns. out must hold SPL_ROW_LINE_MAX characters. Returns the characters written.
inline constexpr int SPL_ROW_LINE_MAX = 512;
int FormatSplRow(char* out, int index, const SplSample& row, bool extended);
