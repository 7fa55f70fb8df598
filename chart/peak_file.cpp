#include "chart/peak_file.h"

#include "chart/atomic_file.h"
#include "chart/number_format.h"
#include "chart/spl_io.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The integer part of a position; a position that is no finite number counts as 0.
long long PositionNumber(double position) {
    if (!std::isfinite(position)) return 0;
    if (position >= 9.0e18) return 9000000000000000000LL;
    if (position <= -9.0e18) return -9000000000000000000LL;
    return static_cast<long long>(position);
}

std::string NameOf(const PeakEntry& peak) {
    return std::string(peak.name, strnlen(peak.name, sizeof peak.name));
}

bool PositionBefore(const PeakEntry& a, const PeakEntry& b) {
    // Peaks without a number position go last, so that the order stays a strict weak order.
    if (std::isnan(a.position)) return false;
    if (std::isnan(b.position)) return true;
    return a.position < b.position;
}

} // namespace

std::string LowPeakQuestionText(const PeakEntry& peak) {
    return std::to_string(PositionNumber(peak.position)) +
           "に非常に低い(0.001mV未満)ピークがあります。本当にピークかどうかをチェックしてください。"
           "ピークの保存を中止しますか？";
}

bool CheckLowPeaks(const PeakEntry* peaks, int peakCount, const LowPeakQuestion& ask) {
    for (int i = 0; peaks && i < peakCount; ++i) {
        if (peaks[i].height >= LOW_PEAK_HEIGHT) continue;
        if (ask && ask(LowPeakQuestionText(peaks[i]))) return false;
    }
    return true;
}

std::string ProposePeakFileName(const std::string& chartFileName) {
    size_t dot = chartFileName.rfind('.');
    if (dot == std::string::npos) return chartFileName;
    return chartFileName.substr(0, dot) + ".PKS";
}

void SortPeaksByPosition(PeakEntry* peaks, int peakCount) {
    if (!peaks || peakCount <= 1) return;
    std::stable_sort(peaks, peaks + peakCount, PositionBefore);
}

std::string PeakFileText(const PeakEntry* peaks, int peakCount, const SplChart& chart) {
    std::string text;
    // Tag texts and names are cleaned as the chart writer cleans them: a quote, line feed or NUL
    // in one would break its line.
    for (const SplTag& tag : chart.tags) {
        std::string_view name, value;
        SplCleanTag(tag, &name, &value);
        if (name.empty() || name == "Num of DATA:" || name == "Number") continue;
        text += "\"";
        text += name;
        text += "\",\"";
        text += value;
        text += "\"\r\n";
    }
    char number[32];
    char height[64];
    for (int i = 0; peaks && i < peakCount; ++i) {
        const PeakEntry& peak = peaks[i];
        std::string name = NameOf(peak);
        if (name.empty()) continue;
        int nn = FormatInt(number, PositionNumber(peak.position), 5);
        int hn = FormatE(height, peak.height * peak.factor, 15, 8);
        text.append(number, static_cast<size_t>(nn));
        text += ",   ";
        text.append(height, static_cast<size_t>(hn));
        text += ", \"";
        text += SplSafeText(name);
        text += "\"\r\n";
    }
    return text;
}

int WritePeakFile(const std::string& fileName, PeakEntry* peaks, int peakCount,
                  const SplChart& chart, std::string* error, SaveReport* report) {
    if (peakCount < 0 || (peakCount > 0 && !peaks)) {
        if (error) *error = "no peaks";
        if (report) report->error = "no peaks";
        return 0;
    }
    SortPeaksByPosition(peaks, peakCount);
    std::string text = PeakFileText(peaks, peakCount, chart);
    SaveReport saved;
    bool ok = AtomicWriteFile(
        fileName,
        [&](std::FILE* f) { return std::fwrite(text.data(), 1, text.size(), f) == text.size(); },
        &saved);
    if (!ok && error) *error = saved.error;
    if (report) *report = saved;
    return ok ? 1 : 0;
}

std::vector<PeakEntry> PeaksMarkedInRows(const ChartStore& rows, int table) {
    std::vector<PeakEntry> peaks;
    if (table < 0 || table > 1) return peaks;
    const uint32_t bit = SAMPLE_HAS_PEAK << table;
    for (const RowMark& mark : rows.Marks()) {
        if (!(mark.flags & bit)) continue;
        peaks.push_back(MarkedPeak(mark.row, mark.top[table], mark.base[table],
                                   rows.NameAt(static_cast<size_t>(mark.row))));
    }
    return peaks;
}
