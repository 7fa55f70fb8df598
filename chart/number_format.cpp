#include "chart/number_format.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Copies text[0, n) into out right-aligned in width (left-aligned for a negative width, as
// printf's "%*" does), returns the characters written.
int Pad(char* out, const char* text, int n, int width) {
    if (width < 0) {
        int w = -width;
        std::memcpy(out, text, static_cast<size_t>(n));
        if (w > n) {
            std::memset(out + n, ' ', static_cast<size_t>(w - n));
            return w;
        }
        return n;
    }
    int pad = width > n ? width - n : 0;
    std::memset(out, ' ', static_cast<size_t>(pad));
    std::memcpy(out + pad, text, static_cast<size_t>(n));
    return pad + n;
}

// "d.ddd" from the precision + 1 digits of n, then "E", the sign and a three-digit exponent.
char* WriteDigits(char* p, bool negative, uint64_t n, int precision, int exponent) {
    static constexpr char PAIRS[] = "000102030405060708091011121314151617181920212223242526272829"
                                    "303132333435363738394041424344454647484950515253545556575859"
                                    "606162636465666768697071727374757677787980818283848586878889"
                                    "90919293949596979899";
    if (negative) *p++ = '-';
    char digits[24];
    int i = precision;
    for (; i >= 1; i -= 2) {
        unsigned pair = static_cast<unsigned>(n % 100);
        n /= 100;
        digits[i] = PAIRS[2 * pair + 1];
        digits[i - 1] = PAIRS[2 * pair];
    }
    if (i == 0) digits[0] = static_cast<char>('0' + n);
    *p++ = digits[0];
    if (precision > 0) {
        *p++ = '.';
        for (int k = 1; k <= precision; ++k)
            *p++ = digits[k];
    }
    *p++ = 'E';
    *p++ = exponent < 0 ? '-' : '+';
    unsigned e = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
    p[0] = static_cast<char>('0' + e / 100);
    p[1] = static_cast<char>('0' + e / 10 % 10);
    p[2] = static_cast<char>('0' + e % 10);
    return p + 3;
}

// The usual case without any big arithmetic: with 10^|k| exact (|k| <= 22), y = |v| * 10^k is one
// correctly rounded operation, within 2^-20 of the exact product for the digit counts allowed
// here; unless y lies that close to a rounding tie, rounding y gives printf's digits. Fills the
// digits n and the decimal exponent; false when the value is not of that kind.
bool FastDigits(double v, int precision, uint64_t& n, int& exponent) {
    constexpr const double* POW10 = EXACT_POWERS_OF_TEN;
    if (precision > 9 || v == 0.0 || !std::isfinite(v)) return false;
    double a = std::fabs(v);
    uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    int binaryExponent = static_cast<int>(bits >> 52) - 1023;
    if (binaryExponent < -1000) return false; // subnormal
    // floor(binaryExponent * log10(2)), off by at most one; the loop corrects it.
    exponent = (binaryExponent * 78913) >> 18;
    const double low = POW10[precision], high = POW10[precision + 1];
    for (int attempt = 0; attempt < 3; ++attempt) {
        int k = precision - exponent;
        if (k < -22 || k > 22) return false;
        double y = k >= 0 ? a * POW10[k] : a / POW10[-k];
        if (y >= high) {
            ++exponent;
            continue;
        }
        if (y < low) {
            --exponent;
            continue;
        }
        uint64_t whole = static_cast<uint64_t>(y);
        double fraction = y - static_cast<double>(whole);
        if (std::fabs(fraction - 0.5) < 1.0 / 16384) return false; // too close to call
        n = whole + (fraction > 0.5 ? 1 : 0);
        if (static_cast<double>(n) >= high) { // rounded up into the next decade
            ++exponent;
            n /= 10;
        }
        return true;
    }
    return false;
}

// Writes v like "%.*E" with a three-digit exponent into buf (which holds precision + 16 chars).
int ScientificUpper(char* buf, size_t size, double v, int precision) {
    if (!std::isfinite(v)) {
        const char* text =
            std::isnan(v) ? (std::signbit(v) ? "-NAN" : "NAN") : (v < 0 ? "-INF" : "INF");
        size_t n = std::strlen(text);
        std::memcpy(buf, text, n);
        return static_cast<int>(n);
    }
    // The shortest text that reads back as v, when it has no more digits than asked for, is
    // also the correctly rounded one (the double's error is far below half a unit in the
    // last place asked for), so it only needs zeros added. Otherwise ask for exact rounding.
    char* end = buf + size;
    char* mantEnd = nullptr;
    char* last = nullptr;
    auto shortest = std::to_chars(buf, end, v, std::chars_format::scientific);
    char* e = static_cast<char*>(std::memchr(buf, 'e', static_cast<size_t>(shortest.ptr - buf)));
    char* digits0 = buf + (buf[0] == '-' ? 1 : 0);
    int digits = static_cast<int>(e - digits0) - (e - digits0 > 1 ? 1 : 0); // minus the point
    // That holds while the double's relative error (2^-53) stays far below half a unit of the
    // last place asked for: normal numbers and at most 15 significant digits.
    if (digits <= precision + 1 && precision <= 14 && std::fabs(v) >= DBL_MIN) {
        // Rebuild "d[.ddd]e±xx" as "d.ddd000e±xx" in place: move the exponent out of the way.
        char exponent[8];
        size_t expLen = static_cast<size_t>(shortest.ptr - e);
        std::memcpy(exponent, e, expLen);
        char* p = e;
        if (precision > 0) {
            if (digits == 1) *p++ = '.';
            int zeros = precision + 1 - digits;
            std::memset(p, '0', static_cast<size_t>(zeros));
            p += zeros;
        }
        std::memcpy(p, exponent, expLen);
        mantEnd = p;
        last = p + expLen;
    } else {
        auto exact = std::to_chars(buf, end, v, std::chars_format::scientific, precision);
        mantEnd = static_cast<char*>(std::memchr(buf, 'e', static_cast<size_t>(exact.ptr - buf)));
        last = exact.ptr;
    }
    // "e+05" -> "E+005"; three-digit exponents stay as they are.
    *mantEnd = 'E';
    if (last - mantEnd == 4) {
        mantEnd[4] = mantEnd[3];
        mantEnd[3] = mantEnd[2];
        mantEnd[2] = '0';
        ++last;
    }
    return static_cast<int>(last - buf);
}

} // namespace

int FormatE(char* out, double v, int width, int precision) {
    if (precision < 0) precision = 6; // as printf treats a negative precision
    if (precision > 500) {
        // Not used by the program; keep it correct without a large stack buffer.
        std::string s = FormatE(v, width, precision);
        std::memcpy(out, s.data(), s.size());
        return static_cast<int>(s.size());
    }
    uint64_t digits;
    int exponent;
    if (FastDigits(v, precision, digits, exponent)) {
        bool negative = std::signbit(v);
        int length = negative + 1 + (precision > 0 ? precision + 1 : 0) + 5;
        char* p = out;
        for (int pad = width - length; pad > 0; --pad)
            *p++ = ' ';
        p = WriteDigits(p, negative, digits, precision, exponent);
        for (int pad = -width - length; pad > 0; --pad)
            *p++ = ' ';
        return static_cast<int>(p - out);
    }
    char buf[540];
    int n = ScientificUpper(buf, sizeof buf, v, precision);
    return Pad(out, buf, n, width);
}

std::string FormatE(double v, int width, int precision) {
    if (precision < 0) precision = 6;
    if (precision <= 500) {
        int w = width < 0 ? -width : width;
        std::string s(static_cast<size_t>(w > precision + 12 ? w : precision + 12), ' ');
        s.resize(static_cast<size_t>(FormatE(s.data(), v, width, precision)));
        return s;
    }
    std::string digits(static_cast<size_t>(precision) + 16, '\0');
    int n = ScientificUpper(digits.data(), digits.size(), v, precision);
    int w = width < 0 ? -width : width;
    std::string s(static_cast<size_t>(w > n ? w : n), ' ');
    s.resize(static_cast<size_t>(Pad(s.data(), digits.data(), n, width)));
    return s;
}

int FormatInt(char* out, long long n, int width) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, n);
    return Pad(out, buf, static_cast<int>(r.ptr - buf), width);
}
