// Reading and writing SPL / SPL2 chart files (module Spldata).
#pragma once

#include "chart/spl_types.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A rejected row (codes 203 and 220): text is the rest of the row from the offending comma, title
// is "%d/(%s:%d)" with the row index, "Spldata" and the code. The window layer shows it in a
// message box; without a handler it is only logged.
using SplRowErrorHandler = std::function<void(const std::string& text, const std::string& title)>;
void SetSplRowErrorHandler(SplRowErrorHandler handler);

// Reads fileName into chart (reset first) and returns the rows, or nothing on failure. Every step
// and failure is logged.
std::optional<std::vector<SplSample>> ReadSplData(const std::string& fileName, SplChart& chart);

// Writes rowCount rows with the header chart to fileName, replacing it only once the whole file
// has been written (temporary file, then rename). Returns 1 on success, 0 on any failure.
int WriteSplData(const std::string& fileName, const SplSample* rows, int rowCount,
                 const SplChart& chart);

// One row line as WriteSplData writes it at position index, CR LF included; extended adds the
// SPL2 columns. out must hold SPL_ROW_LINE_MAX characters. Returns the characters written.
inline constexpr int SPL_ROW_LINE_MAX = 512;
int FormatSplRow(char* out, int index, const SplSample& row, bool extended);
