// Helpers for the viewer model's tests: a viewer on a fake host, chart builders, the run log
// and the detection threshold kept for a test.
#pragma once

#include "chart/settings.h"
#include "support/fake_viewer_host.h"
#include "support/log_capture.h"
#include "viewer/chart_viewer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <vector>

// Sets the detection threshold for one test (when given) and restores it afterwards.
struct ThresholdScope {
    ThresholdScope() = default;
    explicit ThresholdScope(double volts) { Settings.threshold = volts; }
    ~ThresholdScope() { Settings.threshold = saved; }
    ThresholdScope(const ThresholdScope&) = delete;
    ThresholdScope& operator=(const ThresholdScope&) = delete;
    double saved = Settings.threshold;
};

// A viewer model on a fake host (desktop 1024, chart pane 800 x 300, index pane 400 x 100).
struct TestViewer {
    FakeViewerHost host;
    ChartView view{&host};
    TestViewer() = default;
    // A viewer showing rows.
    explicit TestViewer(const std::vector<SplSample>& rows, uint32_t flags = 0) {
        EXPECT_EQ(SetChart(&view, static_cast<int>(rows.size()), rows.data(), flags, 2), 1);
    }
    ~TestViewer() { FreeViewerData(&view); }
    const PeakSet& Table(int k) const { return *(*view.PeakTables())[static_cast<size_t>(k)]; }
    SplSample Sample(int i) { return view.Chart()->rows.Row(static_cast<size_t>(i)); }
    // The rows that carry a peak mark.
    std::set<int> Marked() const {
        std::set<int> rows;
        for (const RowMark& m : view.Chart()->rows.Marks())
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

// 4000 samples rising to 1.8 V: 10 samples per index column, scrollCount 4000, default range 2 V,
// browsing at sample 0.
inline std::vector<SplSample> LongRamp() {
    return Ramp(4000, 1.8);
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
