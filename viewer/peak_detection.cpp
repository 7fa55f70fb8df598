// Automatic peak detection: the process-wide detector with its context, the model's side of the
// call (DetectPeak) and the built-in ThresholdDetector, whose threshold (volts) is the settings'
// threshold.
#include "chart/run_log.h"
#include "chart/settings.h"
#include "viewer/chart_viewer.h"
#include "viewer/viewer_internal.h"

#include <cmath>

using namespace viewer_detail;

namespace {

PeakDetector installedDetector = nullptr;
void* detectorContext = nullptr;

} // namespace

int SetPeakDetector(ChartView* viewer, PeakDetector detector, void* context) {
    if (!CheckChartView(viewer)) return 0;
    if (State(viewer).chartMode != 0) {
        viewer->Host()->Beep();
        LogPrint("SetChart: Peak detecter would be substituted in peak detection.");
        return 0;
    }
    installedDetector = detector;
    detectorContext = context;
    return 1;
}

bool PeakDetectorInstalled() {
    return installedDetector != nullptr;
}

int DetectPeak(const CHARTBLOCK* chart, int start, PeakSet* result) {
    if (!chart || !result || !installedDetector) return 0;
    if (start < 0) start = chart->viewStart;
    int ownLevels = 0;
    double top = 0.0;
    double base = 0.0;
    int found = installedDetector(detectorContext, chart->rows.Data(), start, chart->sampleCount,
                                  &ownLevels, &top, &base);
    // An index outside the chart's samples is no peak, whatever a detector says.
    if (found < 0 || found >= chart->sampleCount) return 0;
    result->cursor = found;
    if (ownLevels) {
        result->topLevel = top;
        result->baseLevel = base;
    } else {
        const size_t at = static_cast<size_t>(found);
        result->topLevel =
            (chart->flags & HASSM) ? chart->rows.SmoothedAt(at) : chart->rows.DataAt(at);
        result->baseLevel = 0.0;
    }
    return 1;
}

int ThresholdDetector(void*, const double* samples, int start, int end, int* ownLevels, double*,
                      double*) {
    if (!samples || !ownLevels || start < 0 || end - start < 2) return -1;
    *ownLevels = 0;
    const double t = Settings.threshold;
    int state = samples[start] < t ? 1 : 0;
    int rise = 0;
    for (int i = start; i < end; ++i) {
        double v = samples[i];
        if (state == 0) {
            if (v < t) {
                state = 1;
                LogPrint("Vortan:1");
            }
        } else if (state == 1) {
            if (v >= t) {
                rise = i;
                state = 2;
                LogPrint("Vortan:2");
            }
        } else if (v < t) {
            LogPrint("Vortan:End");
            return static_cast<int>((static_cast<long long>(rise) + i) / 2);
        }
    }
    LogPrint("Vortan:Not found");
    return -1;
}

double GetDetectionThreshold() {
    return Settings.threshold;
}

int SetDetectionThreshold(double volts) {
    // Only a finite positive threshold is usable; NaN is not above 0.
    if (!(volts > 0.0) || !std::isfinite(volts)) return 0;
    Settings.threshold = volts;
    return 1;
}
