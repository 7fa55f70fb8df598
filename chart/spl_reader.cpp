// ReadSplData: the SPL / SPL2 reader. The grammar is that of the scanf patterns of the format
// (tag line "\"%[^\"]\",%n", version "\"%d\"", numeric value " %[-+0-9]", row
// " %ld, %ld, %lf, \"%[^\"]\"%n", smoothed ", %lf%n", peaks ", %lf, %lf, %lf, %lf"), scanned by
// hand for speed over a file read in big blocks.
//
// Decisions of ours where the format leaves a choice or would misbehave:
// - A tag name longer than 29 characters and an isotope name longer than 63 are cut to fit.
// - Version, Number and Time(S) values outside the 32-bit range are format errors ("Invalid
//   version format", "Bad format of spl body.").
// - A row whose isotope name has no closing quote is a format error ("Bad format of spl body.").
// - A tag line that ends right after its comma (the last line of a file without a line end) is
//   stored with an empty value.
// - A read error of the file fails the read ("%s can't be read.") instead of passing a cut chart
//   off as whole.
// - Lines echoed to the run log and texts of the row error message lose their line end.
#include "chart/big_buffer.h"
#include "chart/run_log.h"
#include "chart/spl_io.h"
#include "chart/spl_line_reader.h"
#include "chart/spl_scan.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <strings.h>

namespace {

constexpr int ROW_ERROR_NO_SMOOTHED = 203;
constexpr int ROW_ERROR_NO_PEAKS = 220;
constexpr size_t FIRST_ROWS = 20000;

SplRowErrorHandler& RowErrorHandler() {
    static SplRowErrorHandler handler;
    return handler;
}

// The piece as a C program would see it: up to its first NUL.
std::string_view CString(std::string_view piece) {
    size_t nul = piece.find('\0');
    return nul == std::string_view::npos ? piece : piece.substr(0, nul);
}

// A line or part of one for the run log: up to a NUL, without its line end.
std::string_view ForLog(std::string_view text) {
    text = CString(text);
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    return text;
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

enum class RowResult { Ok, BadFormat, NoSmoothed, NoPeaks };

// Scans one row line into s, setting every field. On NoSmoothed / NoPeaks, comma is where the
// rejected part begins. extended tells whether the row carries the smoothed column.
RowResult ParseRow(const char* p, const char* end, int64_t index, SplSample& s, const char*& comma,
                   bool& extended) {
    int32_t number;
    p = SplScanInt32(p, end, &number);
    if (!p || p >= end || *p != ',') return RowResult::BadFormat;
    p = SplScanInt32(p + 1, end, &s.time);
    if (!p || p >= end || *p != ',') return RowResult::BadFormat;
    p = SplScanDouble(p + 1, end, &s.data);
    if (!p || p >= end || *p != ',') return RowResult::BadFormat;
    p = SplSkipSpace(p + 1, end);
    if (p >= end || *p != '"') return RowResult::BadFormat;
    const char* name = p + 1;
    auto* close = static_cast<const char*>(std::memchr(name, '"', static_cast<size_t>(end - name)));
    if (!close || close == name || std::memchr(name, '\0', static_cast<size_t>(close - name)))
        return RowResult::BadFormat;
    if (number != index) return RowResult::BadFormat;
    s.flags = 0;
    s.smoothed = 0.0;
    s.top[0] = s.top[1] = s.base[0] = s.base[1] = 0.0;
    size_t nameLength = static_cast<size_t>(close - name);
    if (nameLength >= SPL_NAME_SIZE) nameLength = SPL_NAME_SIZE - 1;
    std::memcpy(s.isotopeName, name, nameLength);
    std::memset(s.isotopeName + nameLength, 0, SPL_NAME_SIZE - nameLength);

    p = close + 1;
    extended = p < end && *p == ',';
    if (!extended) return RowResult::Ok;
    comma = p;
    p = SplScanDouble(p + 1, end, &s.smoothed);
    if (!p) return RowResult::NoSmoothed;
    if (p >= end || *p != ',') return RowResult::Ok;
    comma = p;
    double v[4];
    for (int k = 0; k < 4; ++k) {
        if (k > 0 && (p >= end || *p != ',')) return RowResult::NoPeaks;
        p = SplScanDouble(p + 1, end, &v[k]);
        if (!p) return RowResult::NoPeaks;
    }
    s.top[0] = v[0];
    s.base[0] = v[1];
    s.top[1] = v[2];
    s.base[1] = v[3];
    if (v[0] != 0.0 || v[1] != 0.0) s.flags |= SAMPLE_HAS_PEAK;
    if (v[2] != 0.0 || v[3] != 0.0) s.flags |= SAMPLE_HAS_REVISED;
    return RowResult::Ok;
}

void ReportRowError(int64_t index, int code, std::string_view rest) {
    char title[64];
    std::snprintf(title, sizeof title, "%lld/(%s:%d)", static_cast<long long>(index), "Spldata",
                  code);
    std::string text(ForLog(rest));
    if (RowErrorHandler())
        RowErrorHandler()(text, title);
    else
        LogPrintf("%s %s", title, text.c_str());
}

// Reserves room for the rows still to come, guessed from the bytes left and the length of the
// rows read so far, so that a big chart is held in about one row's size per row.
void GrowRows(std::vector<SplSample>& rows, const SplLineReader& reader) {
    size_t have = rows.size();
    size_t want = have + have / 2;
    if (reader.fileSize() > 0 && have > 0) {
        long long left = reader.fileSize() - reader.consumed();
        double perRow = static_cast<double>(reader.consumed()) / static_cast<double>(have);
        size_t guess = have + static_cast<size_t>(static_cast<double>(left) / perRow * 1.02) + 1024;
        if (guess > want) want = guess;
    }
    if (want < have + FIRST_ROWS) want = have + FIRST_ROWS;
    // Big row buffers are filled once front to back: huge pages spare most page faults.
    ReserveBig(rows, want);
}

struct Reader {
    SplChart& chart;
    SplLineReader lines;
    std::vector<SplSample> rows;
    std::string fileName;
    SplReadInfo* info = nullptr;
    long long line = 0;     // the line (from 1) of the last piece handed out
    bool lineEnded = true;  // that piece ended its line
    bool sawHeader = false; // a header line was read

    bool Next(std::string_view& piece) {
        if (lineEnded) ++line;
        bool got = lines.Next(piece);
        lineEnded = got && !piece.empty() && piece.back() == '\n';
        return got;
    }
    void Because(const std::string& why, bool withLine = true) {
        if (info) info->failure = withLine ? "line " + std::to_string(line) + ": " + why : why;
    }
    std::optional<std::vector<SplSample>> Fail(const std::string& why) {
        Because(why);
        chart.tags.clear();
        return std::nullopt;
    }
    std::optional<std::vector<SplSample>> ReadFailed() {
        LogPrintf("%s can't be read.", fileName.c_str());
        Because(std::strerror(errno), false);
        chart.tags.clear();
        return std::nullopt;
    }
    std::optional<std::vector<SplSample>> Finish() {
        if ((rows.capacity() - rows.size()) * sizeof(SplSample) > (16u << 20) &&
            rows.capacity() - rows.size() > rows.size() / 4)
            rows.shrink_to_fit();
        LogPrintf("%d items", static_cast<int>(rows.size()));
        return std::move(rows);
    }
    // The rows ended at piece, a line that is no row: tell whether anything but blanks follows.
    std::optional<std::vector<SplSample>> Stopped(std::string_view piece);

    std::optional<std::vector<SplSample>> Header();
    std::optional<std::vector<SplSample>> Rows(std::string_view piece);
};

bool Blank(std::string_view piece) {
    for (char c : piece) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
}

std::optional<std::vector<SplSample>> Reader::Stopped(std::string_view piece) {
    const long long stop = line;
    if (!sawHeader && rows.empty()) {
        LogPrint("Not a chart file.");
        return Fail("neither a header line nor a row");
    }
    bool content = !Blank(piece);
    while (!content && Next(piece))
        content = !Blank(piece);
    if (!content && lines.failed()) return ReadFailed();
    if (content && info) {
        info->cutShort = true;
        info->stopLine = stop;
    }
    return Finish();
}

std::optional<std::vector<SplSample>> Reader::Header() {
    std::string_view piece;
    for (;;) {
        if (!Next(piece)) {
            if (lines.failed()) return ReadFailed();
            LogPrint("Unexpected end of file.");
            Because("Unexpected end of file.");
            return std::nullopt; // the tags read so far stay
        }
        if (piece[0] != '"') return Rows(piece);
        sawHeader = true;
        std::string_view line = CString(piece);
        size_t close = line.find('"', 1);
        if (close == std::string_view::npos || close == 1 || close + 1 >= line.size() ||
            line[close + 1] != ',') {
            LogPrint(ForLog(line));
            LogPrint("Invalid format of record(tag)");
            return Fail("Invalid format of record(tag)");
        }
        std::string_view name = line.substr(1, std::min<size_t>(close - 1, SPL_TAG_NAME_MAX));
        std::string_view rest = line.substr(close + 2);
        LogPrint(name);
        if (name == "Version") {
            int32_t version;
            if (rest.empty() || rest[0] != '"' ||
                !SplScanInt32(rest.data() + 1, rest.data() + rest.size(), &version)) {
                LogPrint(ForLog(rest));
                LogPrint("Invalid version format");
                return Fail("Invalid version format");
            }
            chart.version = version;
        } else if (name == "Smoothed") {
            if (rest.size() >= 5 && strncasecmp(rest.data(), "\"YES\"", 5) == 0) {
                chart.flags |= HASSM;
                LogPrint("Set HASSM");
            }
        } else if (name == "Number") {
            LogPrint(ForLog(rest));
            LogPrint("Comment: the end of header.");
            if (!Next(piece)) {
                if (lines.failed()) return ReadFailed();
                LogPrint("Header loaded.");
                return Finish();
            }
            return Rows(piece);
        } else {
            std::string value;
            if (!rest.empty() && (IsSpace(rest[0]) || (rest[0] >= '0' && rest[0] <= '9'))) {
                size_t from = 0;
                while (from < rest.size() && IsSpace(rest[from]))
                    ++from;
                size_t to = from;
                while (to < rest.size() &&
                       (rest[to] == '-' || rest[to] == '+' || (rest[to] >= '0' && rest[to] <= '9')))
                    ++to;
                if (to == from) {
                    LogPrint(ForLog(rest));
                    LogPrint("Invalid format fo record(content: number)");
                    return Fail("Invalid format fo record(content: number)");
                }
                value = rest.substr(from, to - from);
            } else if (!rest.empty()) {
                std::string_view text = rest.substr(1);
                value = text.substr(0, text.find('"'));
            }
            try {
                chart.tags.push_back(SplTag{std::string(name), std::move(value)});
            } catch (const std::bad_alloc&) {
                return Fail("not enough memory");
            }
        }
    }
}

std::optional<std::vector<SplSample>> Reader::Rows(std::string_view piece) {
    LogPrint("Header loaded.");
    SplSample scratch;
    for (int64_t i = 0;; ++i) {
        if (piece.empty() || piece[0] != ' ') {
            LogPrint(ForLog(piece));
            LogPrint("Invalid format of record");
            return Stopped(piece);
        }
        const char* comma = nullptr;
        bool extended = false;
        RowResult r =
            ParseRow(piece.data(), piece.data() + piece.size(), i, scratch, comma, extended);
        if (extended && chart.version < 2) chart.version = 2;
        if (r == RowResult::BadFormat) {
            LogPrint("Bad format of spl body.");
            return Fail("Bad format of spl body.");
        }
        if (r != RowResult::Ok) {
            ReportRowError(i,
                           r == RowResult::NoSmoothed ? ROW_ERROR_NO_SMOOTHED : ROW_ERROR_NO_PEAKS,
                           piece.substr(static_cast<size_t>(comma - piece.data())));
            return Fail(r == RowResult::NoSmoothed ? "no smoothed value after the comma"
                                                   : "fewer than four peak values");
        }
        try {
            if (rows.size() == rows.capacity()) GrowRows(rows, lines);
            rows.push_back(scratch);
        } catch (const std::bad_alloc&) {
            LogPrint("Not enough core.");
            return Fail("not enough memory");
        }
        if (!Next(piece)) {
            if (lines.failed()) return ReadFailed();
            return Finish();
        }
    }
}

} // namespace

void SetSplRowErrorHandler(SplRowErrorHandler handler) {
    RowErrorHandler() = std::move(handler);
}

std::optional<std::vector<SplSample>> ReadSplData(const std::string& fileName, SplChart& chart,
                                                  SplReadInfo* info) {
    if (info) *info = SplReadInfo();
    if (fileName.empty()) {
        LogPrint("Invalid arguments.");
        if (info) info->failure = "no file name";
        return std::nullopt;
    }
    Reader reader{chart, {}, {}, fileName, info};
    try {
        reader.rows.reserve(FIRST_ROWS);
    } catch (const std::bad_alloc&) {
        LogPrint("Not enough core.");
        if (info) info->failure = "not enough memory";
        return std::nullopt;
    }
    if (!reader.lines.Open(fileName)) {
        LogPrintf("%s can't be opened.", fileName.c_str());
        if (info)
            info->failure = reader.lines.notRegular() ? "not a regular file (a device or FIFO)"
                                                      : std::strerror(errno);
        return std::nullopt;
    }
    chart.Reset();
    return reader.Header();
}
