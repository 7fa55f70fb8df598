#include "chart/number_format.h"

#include <cstdio>
#include <cstring>

int FormatE(char* out, double v, int width, int precision) {
    char buf[64];
    int n = std::snprintf(buf, sizeof buf, "%.*E", precision, v);
    if (n < 0) return 0;
    // Widen a two-digit exponent ("E-03") to three digits ("E-003").
    char* e = std::strchr(buf, 'E');
    if (e && (e[1] == '+' || e[1] == '-') && std::strlen(e + 2) == 2) {
        std::memmove(e + 3, e + 2, 3);
        e[2] = '0';
        ++n;
    }
    int pad = width > n ? width - n : 0;
    std::memset(out, ' ', static_cast<size_t>(pad));
    std::memcpy(out + pad, buf, static_cast<size_t>(n));
    return pad + n;
}

std::string FormatE(double v, int width, int precision) {
    char buf[96];
    int n = FormatE(buf, v, width > 80 ? 80 : width, precision > 40 ? 40 : precision);
    return std::string(buf, static_cast<size_t>(n));
}

int FormatInt(char* out, long long n, int width) {
    char buf[32];
    int len = std::snprintf(buf, sizeof buf, "%lld", n);
    int pad = width > len ? width - len : 0;
    std::memset(out, ' ', static_cast<size_t>(pad));
    std::memcpy(out + pad, buf, static_cast<size_t>(len));
    return pad + len;
}
