// Number formatting for every file and text of the program. Floating-point numbers are written as
// printf's "%E" family would on the platform the files come from: an upper-case E, the exponent's
// sign and at least three exponent digits ("1.0000000E-003"). Integers right-aligned as "%Nd".
#pragma once

#include <string>

// Writes v like printf("%*.*E", width, precision, v) but with a three-digit exponent
// (non-finite values as "INF", "-INF", "NAN", "-NAN"; a negative width left-aligns, a negative
// precision means 6). Returns the number of characters written into out (no terminator); out must
// hold max(|width|, precision + 12) characters.
int FormatE(char* out, double v, int width, int precision);
std::string FormatE(double v, int width = 0, int precision = 6);

// Writes n like printf("%*lld", width, n). out must hold max(|width|, 20) characters.
int FormatInt(char* out, long long n, int width);
