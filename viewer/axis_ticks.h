// Round tick values for the chart pane's axes.
#pragma once

#include <vector>

struct AxisTicks {
    double step = 0.0;          // 1, 2 or 5 times a power of ten
    int decimals = 0;           // digits after the point that show the step whole
    std::vector<double> values; // from lo to hi, both included when round
};

// Ticks between lo and hi for an axis `pixels` long, at least minGap pixels apart. Empty when the
// span or the length is not usable.
AxisTicks RoundTicks(double lo, double hi, int pixels, int minGap);
