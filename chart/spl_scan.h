// Scanning primitives of the SPL reader. Each one reads what the matching scanf conversion of the
// file grammar would accept from [p, end) and returns the position after it, or nullptr when the
// conversion fails. White space is the C locale's: blank, \t, \n, \v, \f, \r. A NUL ends the text
// as it ends a C string.
#pragma once

#include <cstdint>

// Skips any amount of white space (none included), like a blank in a scanf pattern.
inline const char* SplSkipSpace(const char* p, const char* end) {
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    return p;
}

// "%ld" into a 32-bit integer: white space, an optional sign, one or more digits. A value
// outside the 32-bit range fails (it is a format error, not a wrapped number).
inline const char* SplScanInt32(const char* p, const char* end, int32_t* out) {
    p = SplSkipSpace(p, end);
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    const char* digits = p;
    int64_t v = 0;
    while (p < end && static_cast<unsigned char>(*p - '0') < 10) {
        v = v * 10 + (*p++ - '0');
        if (v > 2147483648LL) return nullptr;
    }
    if (p == digits) return nullptr;
    if (negative) v = -v;
    if (v > INT32_MAX) return nullptr;
    *out = static_cast<int32_t>(v);
    return p;
}

// "%lf": white space, then what strtod accepts in the C locale (decimal and hexadecimal forms,
// inf, infinity, nan, nan(...), any letter case), out-of-range values as strtod gives them.
const char* SplScanDouble(const char* p, const char* end, double* out);
