// Text of chart headers as the files hold it: UTF-8, or Shift-JIS (code page 932) in charts from
// older Japanese instruments. Values are shown decoded, and edited values are written back in the
// encoding the file's other values use, so that one file never mixes the two.
#pragma once

#include <QString>

#include <string>

struct SplChart;

enum class HeaderEncoding { Utf8, Cp932 };

// Whether bytes are well-formed UTF-8 (plain ASCII is).
bool IsUtf8(const std::string& bytes);
// bytes as text: UTF-8 when they are well-formed UTF-8, else Shift-JIS (code page 932).
QString DecodeHeaderText(const std::string& bytes);
// The encoding of a chart's header: Shift-JIS when any tag name or value is not UTF-8, else UTF-8.
HeaderEncoding HeaderEncodingOf(const SplChart& chart);
// text in that encoding; a character Shift-JIS cannot hold becomes "?".
std::string EncodeHeaderText(const QString& text, HeaderEncoding encoding);
