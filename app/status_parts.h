// Arithmetic of the main window's status bar: nine parts, three per sample shown (isotope name,
// sample index, volts), sized from the average character width.
#pragma once

// Widths of the nine parts in average character widths.
inline constexpr int STATUS_PART_CHARS[9] = {7, 7, 10, 7, 7, 10, 7, 7, 10};

// Number of parts for a client width (pixels) and an average character width: 9, 6, 3 or 0 (the
// status bar keeps its single default part). Three parts are dropped while a part would get no
// more than eight character widths.
int StatusPartCount(int clientWidth, int charWidth);

// Right edge of part k: the sum of the widths of parts 0 to k, pixels.
int StatusPartRightEdge(int part, int charWidth);
