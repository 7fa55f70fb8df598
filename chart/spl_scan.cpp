#include "chart/spl_scan.h"

#include "chart/number_format.h"
#include "chart/platform.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace {

const char* ScanWithStrtod(const char* p, const char* end, double* out) {
    // Lines are read in pieces of at most 1023 characters, so a piece always fits here.
    char buf[1100];
    size_t n = static_cast<size_t>(end - p);
    if (n >= sizeof buf) n = sizeof buf - 1;
    std::memcpy(buf, p, n);
    buf[n] = '\0';
    char* stop = nullptr;
    double v = platform::StrtodC(buf, &stop);
    if (stop == buf) return nullptr;
    *out = v;
    return p + (stop - buf);
}

// The common case of a short decimal ("1.8464718E-003"): when the digits make an integer m of at
// most 2^53 and the power of ten k is within +-22, m * 10^k (or m / 10^-k) is a single correctly
// rounded operation on exact operands. Returns nullptr when the text is not of that kind.
const char* ScanShortDecimal(const char* p, const char* end, double* out) {
    constexpr const double* POW10 = EXACT_POWERS_OF_TEN;
    const char* q = p;
    bool negative = false;
    if (q < end && *q == '-') negative = true, ++q;
    uint64_t m = 0;
    int digits = 0;
    int fraction = 0;
    while (q < end && static_cast<unsigned char>(*q - '0') < 10)
        m = m * 10 + (*q++ - '0'), ++digits;
    if (q < end && *q == '.') {
        ++q;
        while (q < end && static_cast<unsigned char>(*q - '0') < 10)
            m = m * 10 + (*q++ - '0'), ++digits, ++fraction;
    }
    if (digits == 0 || digits > 19) return nullptr;
    int exponent = 0;
    if (q < end && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        bool expNegative = false;
        if (e < end && (*e == '+' || *e == '-')) expNegative = *e++ == '-';
        if (e < end && static_cast<unsigned char>(*e - '0') < 10) {
            while (e < end && static_cast<unsigned char>(*e - '0') < 10) {
                if (exponent > 10000) return nullptr;
                exponent = exponent * 10 + (*e++ - '0');
            }
            if (expNegative) exponent = -exponent;
            q = e;
        }
    }
    if (m > (uint64_t{1} << 53)) return nullptr;
    int k = exponent - fraction;
    double v = static_cast<double>(m);
    if (m != 0) {
        if (k < -22 || k > 22) return nullptr;
        v = k < 0 ? v / POW10[-k] : v * POW10[k];
    }
    *out = negative ? -v : v;
    return q;
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
        if (const char* r = ScanShortDecimal(p, end, out)) return r;
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
