#include "chart/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

// printf's own text with its exponent widened to three digits, right-aligned in 17: the reference.
std::string Reference(double v, int precision) {
    char buf[700];
    int n = std::snprintf(buf, sizeof buf, "%.*E", precision, v);
    std::string s(buf, static_cast<size_t>(n));
    size_t e = s.find('E');
    if (e != std::string::npos && s.size() - e == 4) s.insert(e + 2, 1, '0');
    return std::string(s.size() < 17 ? 17 - s.size() : 0, ' ') + s;
}

} // namespace

TEST(FormatE, WritesThreeDigitExponentInFixedWidth) {
    EXPECT_EQ(FormatE(0.001, 17, 7), "   1.0000000E-003");
    EXPECT_EQ(FormatE(0.0, 17, 7), "   0.0000000E+000");
    EXPECT_EQ(FormatE(-0.0, 17, 7), "  -0.0000000E+000");
    EXPECT_EQ(FormatE(0.0525, 17, 7), "   5.2500000E-002");
    EXPECT_EQ(FormatE(1e300, 17, 7), "   1.0000000E+300");
    EXPECT_EQ(FormatE(5e-324, 17, 7), "   4.9406565E-324");
    EXPECT_EQ(FormatE(123.0), "1.230000E+002");
    EXPECT_EQ(FormatE(2.5, 0, 0), "2E+000"); // ties go to even, as printf does
    EXPECT_EQ(FormatE(3.5, 0, 0), "4E+000");
    EXPECT_EQ(FormatE(1.0, -10, 2), "1.00E+000 ");
}

// Non-finite values, values whose rounding sits on or near a boundary, then random doubles: any
// bit pattern (subnormals, huge, NaN payloads), any magnitude, short decimals as in files, near
// ties.
TEST(FormatE, MatchesPrintf) {
    EXPECT_EQ(FormatE(INFINITY, 6, 7), "   INF");
    const double edges[] = {
        9.99999995e-5, 9.99999995e5, -9.99999995e-5, 99999999.5,     9.5,
        0.5,           1.5,          2.675,          0.15,           0.25,
        0.35,          1.00000005,   1.00000015,     123456785.0,    123456795.0,
        1e22,          1e23,         4.2e-320,       1.000000049999, 9.999999949999999e-5,
        DBL_MAX,       DBL_MIN,      DBL_TRUE_MIN,   INFINITY,       -INFINITY,
        NAN,           -NAN};
    for (double v : edges)
        for (int precision : {0, 1, 6, 7, 8, 16, 17, 20, 40})
            EXPECT_EQ(FormatE(v, 17, precision), Reference(v, precision))
                << v << " precision " << precision;
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> decade(-320, 308);
    for (int i = 0; i < 200000; ++i) {
        double v;
        if (i % 4 == 0) {
            uint64_t bits = rng();
            std::memcpy(&v, &bits, sizeof v);
        } else if (i % 4 == 1) {
            v = unit(rng) * std::pow(10.0, decade(rng));
        } else if (i % 4 == 2) {
            v = std::round(unit(rng) * 1e8) / 1e8;
        } else {
            v = (std::round(unit(rng) * 2e8) + 0.5) * 1e-9;
        }
        int precision = (i % 7 == 0) ? static_cast<int>(rng() % 20) : 7;
        ASSERT_EQ(FormatE(v, 17, precision), Reference(v, precision)) << i;
    }
}

TEST(FormatInt, MatchesPrintf) {
    const long long cases[] = {0,         1,         -1,      9,       10,        99999999,
                               100000000, -12345678, INT_MAX, INT_MIN, LLONG_MAX, LLONG_MIN};
    for (long long n : cases)
        for (int width : {0, 1, 8, 9, 12, -8, 25}) {
            char ref[64], got[64];
            int rn = std::snprintf(ref, sizeof ref, "%*lld", width, n);
            int gn = FormatInt(got, n, width);
            EXPECT_EQ(std::string(got, static_cast<size_t>(gn)),
                      std::string(ref, static_cast<size_t>(rn)));
        }
}
