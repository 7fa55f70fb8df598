// Number formatting for every file and text of the program. Floating-point numbers are written as
// printf's "%E" family would on the platform the files come from: an upper-case E, the exponent's
// sign and at least three exponent digits ("1.0000000E-003"). Integers right-aligned as "%Nd".
#pragma once

#include <string>

// 10^0 .. 10^22: every power of ten a double holds exactly.
inline constexpr double EXACT_POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Writes v like printf("%*.*E", width, precision, v) but with a three-digit exponent
// (non-finite values as "INF", "-INF", "NAN", "-NAN"; a negative width left-aligns, a negative
// precision means 6). Returns the number of characters written into out (no terminator); out must
// hold max(|width|, precision + 12) characters.
int FormatE(char* out, double v, int width, int precision);
std::string FormatE(double v, int width = 0, int precision = 6);

// Writes n like printf("%*lld", width, n). out must hold max(|width|, 20) characters.
int FormatInt(char* out, long long n, int width);
