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
#include "chart/chart_store.h"
#include "chart/run_log.h"
#include "chart/spl_io.h"
#include "chart/spl_line_reader.h"
#include "chart/spl_scan.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <new>
#include <thread>

namespace {

constexpr int ROW_ERROR_NO_SMOOTHED = 203;
constexpr int ROW_ERROR_NO_PEAKS = 220;
// Bytes parsed per round, and the least worth splitting over two threads.
constexpr size_t BLOCK_SIZE = 4 << 20;
constexpr size_t PARALLEL_MIN = 256 << 10;

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

void SetError(SplReadInfo& info, const std::string& text, long long line) {
    info.error = SplError{text, line};
    info.failure = info.error.Describe();
}

// text begins with prefix, ASCII letters compared without case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i], b = prefix[i];
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
        if (a != b) return false;
    }
    return true;
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

enum class RowResult { Ok, BadFormat, NoSmoothed, NoPeaks };

// The fields of one row line.
struct RowFields {
    int32_t number = 0;
    int32_t time = 0;
    double data = 0.0;
    std::string_view name;
    bool extended = false; // the row carries the smoothed column
    double smoothed = 0.0;
    bool hasPeaks = false;
    double peaks[4] = {};        // top[0], base[0], top[1], base[1]
    const char* comma = nullptr; // NoSmoothed / NoPeaks: where the rejected part begins
};

// Scans one row line. number is set as soon as it is read; the caller compares it with the row's
// position (a mismatch is a format error that wins over any later one).
RowResult ParseRow(const char* p, const char* end, RowFields& f) {
    p = SplScanInt32(p, end, &f.number);
    if (!p || p >= end || *p != ',') return RowResult::BadFormat;
    p = SplScanInt32(p + 1, end, &f.time);
    if (!p || p >= end || *p != ',') return RowResult::BadFormat;
    p = SplScanDouble(p + 1, end, &f.data);
    if (!p || p >= end || *p != ',') return RowResult::BadFormat;
    p = SplSkipSpace(p + 1, end);
    if (p >= end || *p != '"') return RowResult::BadFormat;
    const char* name = p + 1;
    auto* close = static_cast<const char*>(std::memchr(name, '"', static_cast<size_t>(end - name)));
    if (!close || close == name || std::memchr(name, '\0', static_cast<size_t>(close - name)))
        return RowResult::BadFormat;
    size_t nameLength = static_cast<size_t>(close - name);
    if (nameLength >= SPL_NAME_SIZE) nameLength = SPL_NAME_SIZE - 1;
    f.name = std::string_view(name, nameLength);

    p = close + 1;
    f.extended = p < end && *p == ',';
    f.hasPeaks = false;
    f.smoothed = 0.0;
    if (!f.extended) return RowResult::Ok;
    f.comma = p;
    p = SplScanDouble(p + 1, end, &f.smoothed);
    if (!p) return RowResult::NoSmoothed;
    if (p >= end || *p != ',') return RowResult::Ok;
    f.comma = p;
    for (int k = 0; k < 4; ++k) {
        if (k > 0 && (p >= end || *p != ',')) return RowResult::NoPeaks;
        p = SplScanDouble(p + 1, end, &f.peaks[k]);
        if (!p) return RowResult::NoPeaks;
    }
    f.hasPeaks = true;
    return RowResult::Ok;
}

// Adds a parsed row to rows.
void AppendRow(ChartStore& rows, const RowFields& f) {
    rows.AppendRow(f.time, f.data, rows.Intern(f.name));
    if (!f.extended) return;
    rows.SetLastSmoothed(f.smoothed);
    if (!f.hasPeaks) return;
    RowMark mark;
    if (f.peaks[0] != 0.0 || f.peaks[1] != 0.0) mark.flags |= SAMPLE_HAS_PEAK;
    if (f.peaks[2] != 0.0 || f.peaks[3] != 0.0) mark.flags |= SAMPLE_HAS_REVISED;
    if (mark.flags == 0) return; // every level is 0.0, as in an unmarked row
    mark.row = static_cast<int32_t>(rows.size() - 1);
    mark.top[0] = f.peaks[0];
    mark.base[0] = f.peaks[1];
    mark.top[1] = f.peaks[2];
    mark.base[1] = f.peaks[3];
    rows.AppendMark(mark);
}

// Splits [p, end) into the pieces SplLineReader gives for the same bytes at the end of a file
// (the text ends at a line end, or is the file's last bytes).
class PieceSplitter {
  public:
    PieceSplitter(char* p, char* end) : p_(p), end_(end) {}
    bool Next(std::string_view& piece) {
        size_t avail = static_cast<size_t>(end_ - p_);
        if (avail == 0) return false;
        size_t window = std::min(avail, SplLineReader::PIECE_MAX + 2);
        auto* nl = static_cast<char*>(std::memchr(p_, '\n', window));
        size_t take;
        if (nl) {
            size_t k = static_cast<size_t>(nl - p_);
            size_t length = (k > 0 && p_[k - 1] == '\r') ? k - 1 : k;
            if (length + 1 <= SplLineReader::PIECE_MAX) {
                p_[length] = '\n';
                piece = std::string_view(p_, length + 1);
                p_ += k + 1;
                return true;
            }
            take = SplLineReader::PIECE_MAX;
        } else {
            take = std::min(avail, SplLineReader::PIECE_MAX);
        }
        piece = std::string_view(p_, take);
        p_ += take;
        return true;
    }

  private:
    char* p_;
    char* end_;
};

// How the rows of a stretch of the file ended.
enum class Stop { None, EndLine, BadFormat, NoSmoothed, NoPeaks, NoMemory };

struct ChunkResult {
    Stop stop = Stop::None;
    int64_t rows = 0;              // rows taken (before the stop)
    int64_t linesEnded = 0;        // lines ended by the rows taken (a long line takes pieces)
    int64_t firstNumber = -1;      // the number of the stretch's first row, when it was read
    bool anyExtended = false;      // a row taken, or the stopping row, carried the smoothed column
    std::string stopText;          // EndLine: the line; NoSmoothed / NoPeaks: the rejected part
    const char* stopEnd = nullptr; // EndLine: just after the line
    bool stopBlank = false;        // EndLine: the line holds only blanks
};

bool Blank(std::string_view piece) {
    for (char c : piece) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
}

// Parses the rows of [p, end) into rows. expected is the number of the first row, or -1 when it
// is not known yet (then the first row's own number is taken and checked by the caller).
void ParseChunk(char* p, char* end, int64_t expected, ChartStore& rows, ChunkResult& r) {
    PieceSplitter pieces(p, end);
    std::string_view piece;
    RowFields f;
    try {
        while (pieces.Next(piece)) {
            if (piece[0] != ' ') {
                r.stop = Stop::EndLine;
                r.stopText = std::string(ForLog(piece));
                r.stopEnd = piece.data() + piece.size();
                r.stopBlank = Blank(piece);
                return;
            }
            const char* b = piece.data();
            f.number = -1;
            RowResult result = ParseRow(b, b + piece.size(), f);
            if (r.rows == 0 && expected < 0 && result != RowResult::BadFormat) {
                expected = f.number;
                r.firstNumber = f.number;
            }
            if (result == RowResult::BadFormat || f.number != expected + r.rows) {
                r.stop = Stop::BadFormat;
                return;
            }
            if (f.extended) r.anyExtended = true;
            if (result != RowResult::Ok) {
                r.stop = result == RowResult::NoSmoothed ? Stop::NoSmoothed : Stop::NoPeaks;
                r.stopText = std::string(piece.substr(static_cast<size_t>(f.comma - piece.data())));
                return;
            }
            AppendRow(rows, f);
            ++r.rows;
            if (piece.back() == '\n') ++r.linesEnded;
        }
    } catch (const std::bad_alloc&) {
        r.stop = Stop::NoMemory;
    }
}

void ReportRowError(int64_t index, int code, std::string_view rest, const SplProgress* progress) {
    char title[64];
    std::snprintf(title, sizeof title, "%lld/(%s:%d)", static_cast<long long>(index), "Spldata",
                  code);
    std::string text(ForLog(rest));
    if (progress && progress->rowError)
        progress->rowError(text, title);
    else
        ReportSplRowError(text, title);
}

struct Reader {
    SplChart& chart;
    SplLineReader lines;
    ChartStore rows;
    std::string fileName;
    SplReadInfo* info = nullptr;
    SplProgress* progress = nullptr;
    long long line = 0;         // the line (from 1) of the last piece handed out
    bool lineEnded = true;      // that piece ended its line
    bool sawHeader = false;     // a header line was read
    long long firstRowLine = 0; // the line of the first row
    long long rowLinesDone = 0; // lines of rows ended before the stretch parsed now

    bool Next(std::string_view& piece) {
        if (lineEnded) ++line;
        bool got = lines.Next(piece);
        lineEnded = got && !piece.empty() && piece.back() == '\n';
        return got;
    }
    void Because(const std::string& why, bool withLine = true) {
        if (info) SetError(*info, why, withLine ? line : 0);
    }
    std::optional<ChartStore> Fail(const std::string& why) {
        Because(why);
        chart.tags.clear();
        return std::nullopt;
    }
    std::optional<ChartStore> ReadFailed() {
        const int why = errno; // before logging, which may change it
        LogPrintf("%s can't be read.", fileName.c_str());
        Because(std::strerror(why), false);
        chart.tags.clear();
        return std::nullopt;
    }
    std::optional<ChartStore> Finish() {
        if (rows.Capacity() - rows.size() > 16384 &&
            rows.Capacity() - rows.size() > rows.size() / 4)
            rows.ShrinkToFit();
        LogPrintf("%d items", static_cast<int>(rows.size()));
        return std::move(rows);
    }
    // Publishes the progress; true when the read is to stop (the tags are dropped then).
    bool Cancelled(long long consumed) {
        progress->rows.store(static_cast<long long>(rows.size()), std::memory_order_relaxed);
        progress->done.store(consumed, std::memory_order_relaxed);
        if (!progress->cancel.load(std::memory_order_relaxed)) return false;
        progress->cancelled = true;
        chart.tags.clear();
        return true;
    }
    // Ends the rows as a stretch that stopped at its row `at` (0-based in the file) says; rest is
    // what follows the stopping line in memory, and the file goes on after it unless atEnd.
    std::optional<ChartStore> Stopped(const ChunkResult& r, int64_t at, std::string_view rest,
                                      bool atEnd);
    // The rows ended at a line that is no row: tell whether anything but blanks follows.
    std::optional<ChartStore> EndedAtLine(const ChunkResult& r, std::string_view rest, bool atEnd);

    std::optional<ChartStore> Header();
    std::optional<ChartStore> Rows(std::string_view piece);
};

std::optional<ChartStore> Reader::EndedAtLine(const ChunkResult& r, std::string_view rest,
                                              bool atEnd) {
    if (!sawHeader && rows.empty()) {
        LogPrint("Not a chart file.");
        return Fail("neither a header line nor a row");
    }
    bool content = !r.stopBlank || !Blank(rest);
    char more[65536];
    while (!content && !atEnd) {
        long long n = lines.ReadRaw(more, sizeof more);
        if (n < 0) return ReadFailed();
        if (n == 0) break;
        content = !Blank(std::string_view(more, static_cast<size_t>(n)));
    }
    if (content && info) {
        info->cutShort = true;
        info->stopLine = line;
    }
    return Finish();
}

std::optional<ChartStore> Reader::Stopped(const ChunkResult& r, int64_t at, std::string_view rest,
                                          bool atEnd) {
    line = firstRowLine + rowLinesDone + r.linesEnded;
    switch (r.stop) {
    case Stop::EndLine:
        LogPrint(r.stopText);
        LogPrint("Invalid format of record");
        return EndedAtLine(r, rest, atEnd);
    case Stop::BadFormat:
        LogPrint("Bad format of spl body.");
        return Fail("Bad format of spl body.");
    case Stop::NoSmoothed:
    case Stop::NoPeaks:
        ReportRowError(at, r.stop == Stop::NoSmoothed ? ROW_ERROR_NO_SMOOTHED : ROW_ERROR_NO_PEAKS,
                       r.stopText, progress);
        return Fail(r.stop == Stop::NoSmoothed ? "no smoothed value after the comma"
                                               : "fewer than four peak values");
    case Stop::NoMemory:
    case Stop::None:
        break;
    }
    LogPrint("Not enough core.");
    return Fail("not enough memory");
}

std::optional<ChartStore> Reader::Header() {
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
            if (StartsWithNoCase(rest, "\"YES\"")) {
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

std::optional<ChartStore> Reader::Rows(std::string_view piece) {
    LogPrint("Header loaded.");
    firstRowLine = line;
    long long consumed = lines.consumed();
    if (progress && Cancelled(consumed)) return std::nullopt;

    // The first row is the piece in hand; the file goes on from the line reader's buffer.
    std::vector<char> buf;
    ChunkResult first;
    try {
        std::string copy(piece);
        // A short file needs no whole block: what is left of it and room for its last piece.
        size_t want = BLOCK_SIZE;
        const long long left = lines.fileSize() - consumed;
        if (left >= 0 && static_cast<unsigned long long>(left) + 4096 < BLOCK_SIZE)
            want = static_cast<size_t>(left) + 4096;
        buf.resize(want + SplLineReader::PIECE_MAX + 8);
        ParseChunk(copy.data(), copy.data() + copy.size(), 0, rows, first);
    } catch (const std::bad_alloc&) {
        first.stop = Stop::NoMemory;
    }
    if (first.anyExtended && chart.version < 2) chart.version = 2;
    if (first.stop != Stop::None) return Stopped(first, 0, lines.Buffered(), lines.AtEnd());
    rowLinesDone = first.linesEnded;

    std::string_view buffered = lines.Buffered();
    size_t have = buffered.size();
    if (have > buf.size()) buf.resize(have + BLOCK_SIZE);
    std::memcpy(buf.data(), buffered.data(), have);
    bool atEnd = lines.AtEnd();
    bool reserved = false;
    // The second half of a block is parsed into one of two stores and joins the chart while the
    // next block is parsed; the stores keep their room from block to block.
    ChartStore halves[2];
    int pending = -1;   // the store whose rows have not joined the chart yet, or -1
    double share = 0.5; // of a block, the part parsed on this thread
    auto joinPending = [&]() -> bool {
        if (pending < 0) return true;
        try {
            rows.AppendStore(halves[pending]);
        } catch (const std::bad_alloc&) {
            return false;
        }
        pending = -1;
        return true;
    };
    auto outOfMemory = [&] {
        LogPrint("Not enough core.");
        return Fail("not enough memory");
    };

    for (;;) {
        // Fill the block.
        while (!atEnd && have < BLOCK_SIZE) {
            // A file that grew since it was opened outgrows the short buffer.
            if (buf.size() - have <= SplLineReader::PIECE_MAX)
                buf.resize(std::max(buf.size(), BLOCK_SIZE + SplLineReader::PIECE_MAX + 8));
            long long n = lines.ReadRaw(buf.data() + have, buf.size() - have);
            if (n < 0) return ReadFailed();
            if (n == 0) atEnd = true;
            have += static_cast<size_t>(n);
        }
        if (have == 0) return joinPending() ? Finish() : outOfMemory();
        // The stretch parsed now ends at a line end (or the file's end), where the pieces of the
        // line reader start afresh.
        size_t region = have;
        if (!atEnd) {
            const size_t nl = std::string_view(buf.data(), have).rfind('\n');
            if (nl != std::string_view::npos) {
                region = nl + 1;
            } else {
                // One line longer than a block: whole pieces of it, leaving room for look-ahead.
                region = (have - SplLineReader::PIECE_MAX - 2) / SplLineReader::PIECE_MAX *
                         SplLineReader::PIECE_MAX;
            }
        }
        // Two parts on the two cores, split at a line end; the second part's first row number
        // is checked once the first part's row count is known.
        char* base = buf.data();
        size_t split = region;
        if (region >= PARALLEL_MIN) {
            const auto from = static_cast<size_t>(static_cast<double>(region) * share);
            auto* nl = static_cast<const char*>(std::memchr(base + from, '\n', region - from));
            if (nl) split = static_cast<size_t>(nl - base) + 1;
        }
        const int secondHalf = pending == 0 ? 1 : 0;
        ChartStore& second = halves[secondHalf];
        second.Clear();
        ChunkResult a;
        ChunkResult b;
        bool joined = true;
        if (split < region) {
            using Clock = std::chrono::steady_clock;
            const Clock::time_point start = Clock::now();
            Clock::time_point secondDone;
            std::thread worker([&] {
                ParseChunk(base + split, base + region, -1, second, b);
                secondDone = Clock::now();
            });
            joined = joinPending();
            if (joined) ParseChunk(base, base + split, static_cast<int64_t>(rows.size()), rows, a);
            const Clock::time_point firstDone = Clock::now();
            worker.join();
            // This thread also joins the last block's second part to the chart's own columns:
            // the next split is moved so that both threads finish together.
            const double perByteFirst = std::chrono::duration<double>(firstDone - start).count() /
                                        static_cast<double>(split);
            const double perByteSecond = std::chrono::duration<double>(secondDone - start).count() /
                                         static_cast<double>(region - split);
            if (perByteFirst > 0.0 && perByteSecond > 0.0)
                share = std::clamp(
                    0.5 * share + 0.5 * perByteSecond / (perByteFirst + perByteSecond), 0.2, 0.8);
        } else {
            joined = joinPending();
            if (joined) ParseChunk(base, base + region, static_cast<int64_t>(rows.size()), rows, a);
        }
        if (!joined) return outOfMemory();
        const int64_t secondIndex = static_cast<int64_t>(rows.size());
        if (a.anyExtended && chart.version < 2) chart.version = 2;
        if (a.stop != Stop::None)
            return Stopped(
                a, secondIndex,
                std::string_view(a.stopEnd, static_cast<size_t>(base + have - a.stopEnd)), atEnd);
        rowLinesDone += a.linesEnded; // the second part starts on a line of its own
        if (split < region) {
            if (b.firstNumber >= 0 && b.firstNumber != secondIndex) {
                b = ChunkResult();
                b.stop = Stop::BadFormat;
            }
            if (b.anyExtended && chart.version < 2) chart.version = 2;
            pending = secondHalf;
            if (b.stop != Stop::None) {
                if (!joinPending()) return outOfMemory();
                return Stopped(
                    b, secondIndex + b.rows,
                    std::string_view(
                        b.stopEnd ? b.stopEnd : base + have,
                        static_cast<size_t>(base + have - (b.stopEnd ? b.stopEnd : base + have))),
                    atEnd);
            }
        }
        rowLinesDone += b.linesEnded; // none when the block was parsed in one part
        consumed += static_cast<long long>(region);
        std::memmove(base, base + region, have - region);
        have -= region;
        const size_t held = rows.size() + (pending >= 0 ? halves[pending].size() : 0);
        if (!reserved && lines.fileSize() > 0 && held > 0) {
            // Room for the rows still to come, guessed from the length of those read so far, and
            // for the blank rows a viewer adds, so that the columns grow no further.
            double perRow = static_cast<double>(consumed) / static_cast<double>(held);
            long long left = lines.fileSize() - consumed;
            size_t guess =
                held + static_cast<size_t>(static_cast<double>(left) / perRow * 1.02) + 8192;
            try {
                rows.Reserve(guess);
                rows.PrepareRoom();
            } catch (const std::bad_alloc&) {
                return outOfMemory();
            }
            reserved = true;
        }
        if (progress && Cancelled(consumed)) return std::nullopt;
        if (atEnd && have == 0) return joinPending() ? Finish() : outOfMemory();
    }
}

} // namespace

std::string SplError::Describe() const {
    return line > 0 ? "line " + std::to_string(line) + ": " + text : text;
}

void SetSplRowErrorHandler(SplRowErrorHandler handler) {
    RowErrorHandler() = std::move(handler);
}

void ReportSplRowError(const std::string& text, const std::string& title) {
    if (RowErrorHandler())
        RowErrorHandler()(text, title);
    else
        LogPrintf("%s %s", title.c_str(), text.c_str());
}

std::optional<ChartStore> ReadSplData(const std::string& fileName, SplChart& chart,
                                      SplReadInfo* info, SplProgress* progress) {
    if (info) *info = SplReadInfo();
    if (fileName.empty()) {
        LogPrint("Invalid arguments.");
        if (info) SetError(*info, "no file name", 0);
        return std::nullopt;
    }
    Reader reader{chart, {}, {}, fileName, info, progress};
    if (!reader.lines.Open(fileName)) {
        const int why = errno; // before logging, which may change it
        LogPrintf("%s can't be opened.", fileName.c_str());
        if (info)
            SetError(*info,
                     reader.lines.notRegular() ? "not a regular file (a device or FIFO)"
                                               : std::strerror(why),
                     0);
        return std::nullopt;
    }
    if (progress) progress->total = reader.lines.fileSize();
    chart.Reset();
    return reader.Header();
}
