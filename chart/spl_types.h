// The chart records: one row (SplSample), the header (SplChart with its SplTag lines), and the
// process-wide state of the chart in the window (CurrentChart, ChartFileName, ChartBaseName).
// Levels are in volts; a row's position in its array is its sample index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr uint32_t SAMPLE_HAS_PEAK = 0x10000;    // table 0: "Peak Top" / "Peak Base"
inline constexpr uint32_t SAMPLE_HAS_REVISED = 0x20000; // table 1: "Revised Top" / "Revised Base"
inline constexpr uint32_t SAMPLE_PEAK_BITS = 0xFFFF0000u;
inline constexpr uint32_t HASSM = 0x1; // SplChart::flags: the chart holds smoothed data

// A chart's first row with a level outside this band (volts) is taken for no reading: smoothing
// counts it as 0 V and the chart's extremes leave it out.
inline constexpr double FIRST_ROW_LOW = -0.1;
inline constexpr double FIRST_ROW_HIGH = 20.0;

inline constexpr int SPL_NAME_SIZE = 64;       // isotopeName holds at most 63 characters
inline constexpr int SPL_TAG_NAME_MAX = 29;    // characters of a tag name
inline constexpr int SPL_TAG_VALUE_MAX = 1023; // characters of a tag value

// One chart row. Every field a row does not carry is 0.
struct SplSample {
    uint32_t flags = 0; // bit 16+k: a peak of table k stands here
    int32_t time = 0;
    double data = 0.0;
    char isotopeName[SPL_NAME_SIZE] = {};
    double smoothed = 0.0;
    double top[2] = {0.0, 0.0};
    double base[2] = {0.0, 0.0};
};

// One stored header line: "name",value.
struct SplTag {
    std::string name;  // at most SPL_TAG_NAME_MAX characters
    std::string value; // at most SPL_TAG_VALUE_MAX characters
};

// The chart header, kept apart from the rows.
struct SplChart {
    int32_t version = 0; // 2 or more: the extended (SPL2) layout
    uint32_t flags = 0;  // HASSM
    std::vector<SplTag> tags;

    int tagCount() const { return static_cast<int>(tags.size()); }
    void Reset() {
        tags.clear();
        version = 0;
        flags = 0;
    }
};

// The header of the chart in the viewer.
extern SplChart CurrentChart;
// Full path of the current chart file; empty optional when there is none.
extern std::optional<std::string> ChartFileName;
// The base name of ChartFileName: after the last '/' or '\\' (or after a drive prefix "X:").
extern std::optional<std::string> ChartBaseName;

// The base name of a path by the rule above.
std::string BaseNameOf(const std::string& path);
// Makes path the current chart file: sets ChartFileName and ChartBaseName.
void SetChartFileName(const std::string& path);
