#include "support/viewer_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace {

// Installs a detector for one test and leaves "no detector" and the threshold as they were.
struct DetectorScope : ThresholdScope {
    DetectorScope(ChartView* view, PeakDetector detector, void* context = nullptr) : view(view) {
        EXPECT_EQ(SetPeakDetector(view, detector, context), 1);
    }
    ~DetectorScope() {
        SetChartMode(view, CHART_MODE_VIEW, 1, 0, 0, -1, 0.0);
        SetPeakDetector(view, nullptr, nullptr);
    }
    ChartView* view;
};

// Proposes the sample *context with levels of its own.
int Fixed(void* context, const double*, int, int, int* own, double* top, double* base) {
    *own = 1;
    *top = 0.9;
    *base = 0.25;
    return *static_cast<int*>(context);
}

} // namespace

TEST(ThresholdDetector, TakesOnlyAUsableThresholdAndFindsTheMiddleOfTheFirstWholeExcursion) {
    ThresholdScope threshold;
    EXPECT_EQ(SetDetectionThreshold(0.02), 1);
    for (double bad : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(SetDetectionThreshold(bad), 0) << bad;
        EXPECT_EQ(GetDetectionThreshold(), 0.02);
    }
    ASSERT_EQ(SetDetectionThreshold(0.005), 1);
    const struct {
        std::vector<double> rows;
        int start, found;
        std::vector<std::string> log;
    } cases[] = {
        {{0.001, 0.002, 0.010, 0.020, 0.008, 0.001}, 0, 3, {"Vortan:2", "Vortan:End"}},
        // One it starts in is skipped; 0.005 itself counts as above the threshold.
        {{0.010, 0.001, 0.005, 0.006, 0.007, 0.0}, 0, 3, {"Vortan:1", "Vortan:2", "Vortan:End"}},
        {{0.001, 0.010, 0.020}, 0, -1, {"Vortan:2", "Vortan:Not found"}}, // never ends
        {{0.001, 0.010, 0.020}, 2, -1, {}},
    };
    for (const auto& c : cases) {
        LogCapture log;
        int own = -1, n = static_cast<int>(c.rows.size());
        double top = 0, base = 0;
        EXPECT_EQ(ThresholdDetector(nullptr, c.rows.data(), c.start, n, &own, &top, &base), c.found)
            << n << " from " << c.start;
        EXPECT_EQ(log.lines, c.log);
    }
}

TEST(DetectPeak, StartsAPeakAtTheFoundSampleOrTheViewCentreAndNotWhileSetting) {
    LogCapture log;
    auto rows = MakeSamples(2000, [](int i) { return i >= 500 && i < 510 ? 1.0 : 0.0; });
    rows[505].smoothed = 0.75;
    TestViewer t(rows, HASSM);
    {
        DetectorScope scope(&t.view, ThresholdDetector);
        EXPECT_TRUE(PeakDetectorInstalled());
        ASSERT_EQ(SetHeight(&t.view), 1);
        EXPECT_TRUE(log.Has("SetChartMode: Vortan"));
        // Rise at 500, back below at 510: the middle, at its smoothed value.
        const PeakSet& set = t.Table(0);
        EXPECT_EQ(std::tie(set.cursor, set.topLevel, set.baseLevel), std::tuple(505, 0.75, 0.0));
        EXPECT_EQ(SetPeakDetector(&t.view, nullptr, nullptr), 0); // refused while setting
        EXPECT_TRUE(log.Has("SetChart: Peak detecter would be substituted in peak detection."));
        EXPECT_EQ(t.host.beeps, 1);
        EXPECT_TRUE(PeakDetectorInstalled());
    }
    ASSERT_EQ(Set(t, MakeSamples(2000, [](int) { return 0.0; })), 1);
    DetectorScope scope(&t.view, ThresholdDetector);
    ASSERT_EQ(SetHeight(&t.view), 1);
    EXPECT_TRUE(log.Has("SetChartMode: Center of the view")); // nothing found
    EXPECT_EQ(t.Table(0).cursor, 400);
}

TEST(DetectPeak, TakesADetectorsOwnLevelsAndRejectsIndicesOutsideTheChart) {
    TestViewer t(Ramp(100, 1.0));
    int proposed = 0;
    DetectorScope scope(&t.view, Fixed, &proposed);
    for (int index : {-1, 0, 99, 100, 110}) {
        proposed = index;
        PeakSet result;
        const bool inside = index >= 0 && index < 100;
        ASSERT_EQ(DetectPeak(t.view.Chart(), 0, &result), inside ? 1 : 0) << index;
        if (!inside) continue;
        EXPECT_EQ(std::tie(result.cursor, result.topLevel, result.baseLevel),
                  std::tuple(index, 0.9, 0.25));
    }
    PeakSet result;
    EXPECT_EQ(DetectPeak(nullptr, 0, &result), 0);
}
