#include "app/status_parts.h"

int StatusPartCount(int clientWidth, int charWidth) {
    int n = 9;
    while (n > 0 && clientWidth / n <= 8 * charWidth)
        n -= 3;
    return n;
}

int StatusPartRightEdge(int part, int charWidth) {
    int edge = 0;
    for (int k = 0; k <= part && k < 9; ++k)
        edge += STATUS_PART_CHARS[k] * charWidth;
    return edge;
}
