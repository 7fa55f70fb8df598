#include "chart/peak_csv.h"

#include "chart/atomic_file.h"
#include "chart/peak_file.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

std::vector<PeakCsvRow> PeakCsvRows(const PeakEntry* peaks, int peakCount, const ChartStore& rows,
                                    int table) {
    std::vector<PeakCsvRow> out;
    if (!peaks || peakCount < 1) return out;
    std::vector<PeakEntry> sorted(peaks, peaks + peakCount);
    SortPeaksByPosition(sorted.data(), peakCount);
    const int k = table == 1 ? 1 : 0;
    for (const PeakEntry& p : sorted) {
        PeakCsvRow row;
        row.position = std::isfinite(p.position) ? static_cast<long long>(p.position) : -1;
        row.height = p.height * p.factor;
        row.name.assign(p.name, strnlen(p.name, sizeof p.name));
        if (row.position >= 0 && static_cast<size_t>(row.position) < rows.size()) {
            const SplSample s = rows.Row(static_cast<size_t>(row.position));
            row.time = s.time;
            row.top = s.top[k];
            row.base = s.base[k];
        }
        out.push_back(std::move(row));
    }
    return out;
}

std::string CsvNumber(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string PeakCsvText(const std::vector<PeakCsvRow>& peaks) {
    std::string text = std::string(PEAK_CSV_HEADER) + "\n";
    for (const PeakCsvRow& p : peaks) {
        text += std::to_string(p.position) + "," + std::to_string(p.time) + "," +
                CsvNumber(p.height) + "," + CsvNumber(p.top) + "," + CsvNumber(p.base) + "," +
                CsvField(p.name) + "\n";
    }
    return text;
}

bool WritePeakCsv(const std::string& fileName, const std::vector<PeakCsvRow>& peaks,
                  std::string* error) {
    const std::string text = PeakCsvText(peaks);
    return AtomicWriteFile(
        fileName,
        [&](std::FILE* f) { return std::fwrite(text.data(), 1, text.size(), f) == text.size(); },
        error);
}
