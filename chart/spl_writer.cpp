// WriteSplData: the SPL / SPL2 writer. Lines end with CR LF; numbers are written as
// "%8d,%9d,%17.7E" with a three-digit exponent, built straight into a big buffer.
//
// Where the plain format would write a file that does not read back whole, we write instead:
// - through a temporary file and a rename, every write checked: a failed save leaves the old
//   file as it was, returns 0 and logs "WriteSplData: " with the reason;
// - rows from position 10,000,000 on as a blank and the full number, so that every row line still
//   begins with a blank;
// - tag names and values, and isotope names, cut at the first double quote, line feed or NUL;
//   tag names cut to 29 characters and a header line kept within the reader's 1023-character
//   piece (the value is cut); a tag whose name is then empty, or names "Number", "Version" or
//   "Smoothed", is left out;
// - an empty isotope name as a single blank (an empty one fails to read).
#include "chart/atomic_file.h"
#include "chart/number_format.h"
#include "chart/run_log.h"
#include "chart/spl_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

namespace {

constexpr size_t BUFFER_SIZE = 1 << 20;
constexpr size_t HEADER_LINE_MAX = 1022; // a line the reader takes as one piece, without its end

const char PLAIN_COLUMNS[] = "\"Number\",\"Time(S)\",\"Data(Volt)\"     ,\"Isotope name\"\r\n";
const char EXTENDED_COLUMNS[] =
    "\"Number\",\"Time(S)\",\"Data(Volt)\"     ,\"Isotope name\",\"Smoothed\",\"Peak "
    "Top\",\"Peak Base\",\"Revised Top\",\"Revised Base\",\"Left\",\"Top\",\"Right\","
    "\"Bottom\",\"Left a\",\"Right a\"\r\n";

// text up to its first double quote, line feed or NUL.
std::string_view Safe(std::string_view text) {
    size_t cut = text.find_first_of(std::string_view("\"\n\0", 3));
    return cut == std::string_view::npos ? text : text.substr(0, cut);
}

class Output {
  public:
    explicit Output(AtomicFile& file, size_t size) : file_(file) { buf_.resize(size); }

    // Room for at least n more characters.
    char* Reserve(size_t n) {
        if (used_ + n > buf_.size()) Flush(); // a failed write is kept by the file for Commit
        if (n > buf_.size()) buf_.resize(n);
        return buf_.data() + used_;
    }
    void Advance(char* to) { used_ = static_cast<size_t>(to - buf_.data()); }
    void Append(std::string_view text) {
        char* p = Reserve(text.size());
        std::memcpy(p, text.data(), text.size());
        Advance(p + text.size());
    }
    bool Flush() {
        bool ok = file_.Write(buf_.data(), used_);
        used_ = 0;
        return ok;
    }

  private:
    AtomicFile& file_;
    std::vector<char> buf_;
    size_t used_ = 0;
};

void WriteHeader(Output& out, const SplChart& chart, int rowCount) {
    for (const SplTag& tag : chart.tags) {
        std::string_view name, value;
        SplCleanTag(tag, &name, &value);
        if (name.empty() || name == "Number" || name == "Version" || name == "Smoothed") continue;
        out.Append("\"");
        out.Append(name);
        if (name == "Num of DATA:") {
            char* p = out.Reserve(32);
            *p++ = '"';
            *p++ = ',';
            p += FormatInt(p, rowCount, 8);
            out.Advance(p);
            out.Append("\r\n");
            continue;
        }
        out.Append("\",\"");
        out.Append(value);
        out.Append("\"\r\n");
    }
    if (chart.version >= 2) {
        char line[64];
        int n = std::snprintf(line, sizeof line, "\"Version\",\"%d\"\r\n", chart.version);
        out.Append(std::string_view(line, static_cast<size_t>(n)));
        if (chart.flags & HASSM) out.Append("\"Smoothed\",\"YES\"\r\n");
        out.Append(EXTENDED_COLUMNS);
    } else {
        out.Append(PLAIN_COLUMNS);
    }
}

// One row line from its fields; peaks is null for a row without a mark.
char* WriteRow(char* p, int index, int32_t time, double data, std::string_view name,
               double smoothed, const RowMark* peaks, bool extended) {
    if (index < 10000000) {
        p += FormatInt(p, index, 8);
    } else {
        *p++ = ' ';
        p += FormatInt(p, index, 0);
    }
    *p++ = ',';
    p += FormatInt(p, time, 9);
    *p++ = ',';
    p += FormatE(p, data, 17, 7);
    *p++ = ',';
    *p++ = ' ';
    *p++ = '"';
    std::memcpy(p, name.data(), name.size());
    p += name.size();
    *p++ = '"';
    if (extended) {
        *p++ = ',';
        p += FormatE(p, smoothed, 17, 7);
        if (peaks && (peaks->flags & (SAMPLE_HAS_PEAK | SAMPLE_HAS_REVISED))) {
            for (double v : {peaks->top[0], peaks->base[0], peaks->top[1], peaks->base[1]}) {
                *p++ = ',';
                p += FormatE(p, v, 17, 7);
            }
        }
    }
    *p++ = '\r';
    *p++ = '\n';
    return p;
}

// An isotope name as written: cut at a double quote, line feed or NUL; an empty one as a blank.
std::string_view WrittenName(std::string_view name) {
    name = Safe(name.substr(0, std::min<size_t>(name.size(), SPL_NAME_SIZE - 1)));
    return name.empty() ? std::string_view(" ") : name;
}

} // namespace

std::string_view SplSafeText(std::string_view text) {
    return Safe(text);
}

void SplCleanTag(const SplTag& tag, std::string_view* name, std::string_view* value) {
    *name = Safe(tag.name);
    if (name->size() > SPL_TAG_NAME_MAX) *name = name->substr(0, SPL_TAG_NAME_MAX);
    *value = Safe(tag.value);
    const size_t room = HEADER_LINE_MAX - name->size() - 5;
    if (value->size() > room) *value = value->substr(0, room);
}

int FormatSplRow(char* out, int index, const SplSample& row, bool extended) {
    RowMark mark;
    mark.flags = row.flags;
    mark.top[0] = row.top[0];
    mark.top[1] = row.top[1];
    mark.base[0] = row.base[0];
    mark.base[1] = row.base[1];
    std::string_view name(row.isotopeName, strnlen(row.isotopeName, SPL_NAME_SIZE - 1));
    return static_cast<int>(
        WriteRow(out, index, row.time, row.data, WrittenName(name), row.smoothed, &mark, extended) -
        out);
}

int WriteSplData(const std::string& fileName, const ChartStore& rows, const SplChart& chart,
                 SaveReport* report, SplProgress* progress) {
    if (fileName.empty() || rows.size() > static_cast<size_t>(INT_MAX)) {
        LogPrint("WriteSplData: Invalid arguments.");
        if (report) report->error = "invalid arguments";
        return 0;
    }
    const int rowCount = static_cast<int>(rows.size());
    AtomicFile file;
    auto failed = [&] {
        LogPrintf("WriteSplData: %s: %s", fileName.c_str(), file.error().c_str());
        if (report) *report = file.report();
        return 0;
    };
    if (!file.Open(fileName)) return failed();
    {
        // A buffer of about the file's size, at most BUFFER_SIZE.
        size_t guess = 4096 + chart.tags.size() * 64 + static_cast<size_t>(rowCount) * 100;
        Output out(file, guess < BUFFER_SIZE ? guess : BUFFER_SIZE);
        WriteHeader(out, chart, rowCount);
        const bool extended = chart.version >= 2;
        std::vector<std::string_view> names(rows.NameCount());
        for (size_t k = 0; k < names.size(); ++k)
            names[k] = WrittenName(rows.Name(static_cast<uint32_t>(k)));
        const double* data = rows.Data();
        const std::vector<NameRun>& runs = rows.NameRuns();
        size_t run = 0;
        const double* smoothed = rows.SmoothedColumn();
        const std::vector<RowMark>& marks = rows.Marks();
        size_t nextMark = 0;
        if (progress) progress->total = rowCount;
        for (int i = 0; i < rowCount && file.ok(); ++i) {
            while (nextMark < marks.size() && marks[nextMark].row < i)
                ++nextMark;
            const RowMark* mark =
                nextMark < marks.size() && marks[nextMark].row == i ? &marks[nextMark] : nullptr;
            while (run + 1 < runs.size() && runs[run + 1].row <= static_cast<uint32_t>(i))
                ++run;
            char* p = out.Reserve(SPL_ROW_LINE_MAX);
            out.Advance(WriteRow(p, i, rows.TimeAt(static_cast<size_t>(i)), data[i],
                                 names[runs[run].id], smoothed ? smoothed[i] : 0.0, mark,
                                 extended));
            if (progress && (i & 0xFFFF) == 0xFFFF) {
                progress->rows.store(i + 1, std::memory_order_relaxed);
                progress->done.store(i + 1, std::memory_order_relaxed);
                if (progress->cancel.load(std::memory_order_relaxed)) {
                    progress->cancelled = true;
                    return 0; // the temporary file goes with file; the old file stays
                }
            }
        }
        out.Flush();
    }
    if (!file.Commit()) return failed();
    if (report) *report = file.report();
    return 1;
}

int WriteSplData(const std::string& fileName, const SplSample* rows, int rowCount,
                 const SplChart& chart, SaveReport* report, SplProgress* progress) {
    if (rowCount < 0 || (rowCount > 0 && !rows)) {
        LogPrint("WriteSplData: Invalid arguments.");
        if (report) report->error = "invalid arguments";
        return 0;
    }
    try {
        return WriteSplData(fileName, ChartStore(rows, static_cast<size_t>(rowCount)), chart,
                            report, progress);
    } catch (const std::bad_alloc&) {
        LogPrint("WriteSplData: Invalid arguments.");
        if (report) report->error = std::strerror(ENOMEM);
        return 0;
    }
}
