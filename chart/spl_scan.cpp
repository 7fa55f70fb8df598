#include "chart/spl_scan.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace {

// strtod in the C locale whatever the program's locale is (a GUI may switch LC_NUMERIC).
double StrtodC(const char* text, char** endOut) {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (cLocale) return strtod_l(text, endOut, cLocale);
    return std::strtod(text, endOut);
}

const char* ScanWithStrtod(const char* p, const char* end, double* out) {
    // Lines are read in pieces of at most 1023 characters, so a piece always fits here.
    char buf[1100];
    size_t n = static_cast<size_t>(end - p);
    if (n >= sizeof buf) n = sizeof buf - 1;
    std::memcpy(buf, p, n);
    buf[n] = '\0';
    char* stop = nullptr;
    double v = StrtodC(buf, &stop);
    if (stop == buf) return nullptr;
    *out = v;
    return p + (stop - buf);
}

} // namespace

const char* SplScanDouble(const char* p, const char* end, double* out) {
    p = SplSkipSpace(p, end);
    if (p >= end) return nullptr;
    // from_chars takes neither a leading '+' nor the hexadecimal form (it would read "0x1p3" as
    // 0); strtod decides those. It also reports out-of-range values without giving them.
    const char* q = p + (*p == '-' ? 1 : 0);
    bool plain = *p != '+' && !(q + 1 < end && q[0] == '0' && (q[1] == 'x' || q[1] == 'X'));
    if (plain) {
        double v;
        auto r = std::from_chars(p, end, v, std::chars_format::general);
        if (r.ec == std::errc()) {
            *out = v;
            return r.ptr;
        }
        if (r.ec == std::errc::invalid_argument && *p != 'i' && *p != 'I' && *p != 'n' &&
            *p != 'N' && *q != 'i' && *q != 'I' && *q != 'n' && *q != 'N')
            return nullptr;
    }
    return ScanWithStrtod(p, end, out);
}
