#include "chart/number_format.h"

#include <charconv>
#include <cfloat>
#include <cmath>
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
