#include "viewer/axis_ticks.h"

#include <algorithm>
#include <cmath>

AxisTicks RoundTicks(double lo, double hi, int pixels, int minGap) {
    AxisTicks ticks;
    if (!(hi > lo) || !std::isfinite(hi - lo) || pixels < 1 || minGap < 1) return ticks;
    const double least = (hi - lo) * minGap / pixels;
    double power = std::pow(10.0, std::floor(std::log10(least)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= least * (1 - 1e-9)) break;
    }
    if (step >= 10 * power * (1 - 1e-9)) power *= 10;
    ticks.step = step;
    ticks.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(power) + 1e-9)));
    const double first = std::ceil(lo / step - 1e-9);
    for (double k = first; k * step <= hi + step * 1e-9 && ticks.values.size() < 1000; k += 1)
        ticks.values.push_back(k * step == 0.0 ? 0.0 : k * step);
    return ticks;
}
