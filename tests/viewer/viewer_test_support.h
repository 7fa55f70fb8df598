// Helpers for the viewer model's tests: a viewer on a fake host, chart builders and a run-log
// capture.
#pragma once

#include "chart/run_log.h"
#include "support/fake_viewer_host.h"
#include "viewer/chart_viewer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

// Every run-log line logged while it lives (the log is opened for it and closed after).
class LogCapture {
  public:
    LogCapture() {
        CloseLog();
        OpenLog();
        SetLogListener([this](const std::string& line) { lines.push_back(line); });
    }
    ~LogCapture() {
        SetLogListener(nullptr);
        CloseLog();
    }
    bool Has(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    int Count(const std::string& line) const {
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    // Index of the first line equal to line, or -1.
    int IndexOf(const std::string& line) const {
        auto it = std::find(lines.begin(), lines.end(), line);
        return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
    }
    std::vector<std::string> lines;
};

// A viewer model on a fake host (desktop 1024, chart pane 800 x 300, index pane 400 x 100).
struct TestViewer {
    FakeViewerHost host;
    ChartView view{&host};
    ~TestViewer() { FreeViewerData(&view); }
    PeakSet& Table(int k) { return *(*view.peakTable)[static_cast<size_t>(k)]; }
    SplSample Sample(int i) { return view.chart->rows.Row(static_cast<size_t>(i)); }
    // The rows that carry a peak mark.
    std::set<int> Marked() const {
        std::set<int> rows;
        for (const RowMark& m : view.chart->rows.Marks())
            rows.insert(m.row);
        return rows;
    }
};

// n samples with data = value(i).
template <class F> std::vector<SplSample> MakeSamples(int n, F value) {
    std::vector<SplSample> rows(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        rows[static_cast<size_t>(i)].time = i;
        rows[static_cast<size_t>(i)].data = value(i);
        std::snprintf(rows[static_cast<size_t>(i)].isotopeName, SPL_NAME_SIZE, "Iso%d", i);
    }
    return rows;
}

// n samples rising evenly from 0.0 to top volts.
inline std::vector<SplSample> Ramp(int n, double top) {
    return MakeSamples(n, [&](int i) { return n > 1 && i < n - 1 ? top * i / (n - 1) : top; });
}

inline int Set(TestViewer& t, const std::vector<SplSample>& rows, uint32_t flags = 0) {
    return SetChart(&t.view, static_cast<int>(rows.size()), rows.data(), flags, 2);
}

// Marks sample i of rows as a peak of table k.
inline void MarkPeak(std::vector<SplSample>& rows, int i, int k, double top, double base) {
    rows[static_cast<size_t>(i)].flags |= SAMPLE_HAS_PEAK << k;
    rows[static_cast<size_t>(i)].top[k] = top;
    rows[static_cast<size_t>(i)].base[k] = base;
}

// 1000 samples with five peaks of table 0 at 100, 200, ... 500 and one of table 1 at 300.
inline std::vector<SplSample> FivePeaks() {
    auto rows = Ramp(1000, 1.0);
    for (int i = 1; i <= 5; ++i)
        MarkPeak(rows, 100 * i, 0, 0.5 + 0.01 * i, 0.1);
    MarkPeak(rows, 300, 1, 0.9, 0.2);
    return rows;
}
