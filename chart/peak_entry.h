// One peak as the peak tables, the PKS file and the CSV export hold it.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

inline constexpr int MAX_ELEM_NAME = 30; // PeakEntry::name capacity, terminator included

struct PeakEntry {
    double position = 0.0; // sample index of the top, a whole number
    double height = 0.0;   // volts
    double factor = 1.0;
    char name[MAX_ELEM_NAME] = {};
};

// Copies at most MAX_ELEM_NAME - 1 bytes of name and terminates. A UTF-8 character that does not
// fit whole is left out rather than cut.
inline void CopyElemName(char (&dst)[MAX_ELEM_NAME], const char* src, size_t srcCapacity) {
    size_t n = 0;
    while (n < srcCapacity && n < MAX_ELEM_NAME - 1 && src[n] != '\0')
        ++n;
    if (n < srcCapacity && src[n] != '\0' && (static_cast<unsigned char>(src[n]) & 0xC0) == 0x80) {
        // Cut inside a multi-byte character: back off to its first byte, when it is one.
        size_t lead = n;
        while (lead > 0 && n - lead < 3 && (static_cast<unsigned char>(src[lead]) & 0xC0) == 0x80)
            --lead;
        if ((static_cast<unsigned char>(src[lead]) & 0xC0) == 0xC0) n = lead;
    }
    std::memcpy(dst, src, n);
    std::memset(dst + n, 0, MAX_ELEM_NAME - n);
}

// The entry of a peak marked in a chart row: at the row, as high as top is above base, factor 1,
// named after the row's isotope name.
inline PeakEntry MarkedPeak(int row, double top, double base, std::string_view name) {
    PeakEntry peak;
    peak.position = row;
    peak.height = top - base;
    peak.factor = 1.0;
    CopyElemName(peak.name, name.data(), name.size());
    return peak;
}
