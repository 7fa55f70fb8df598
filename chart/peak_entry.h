// One peak as the peak tables, the PKS file and the CSV export hold it.
#pragma once

inline constexpr int MAX_ELEM_NAME = 30; // PeakEntry::name capacity, terminator included

struct PeakEntry {
    double position = 0.0; // sample index of the top, a whole number
    double height = 0.0;   // volts
    double factor = 1.0;
    char name[MAX_ELEM_NAME] = {};
};
