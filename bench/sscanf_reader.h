// The yardstick of the reading benchmarks: a reader as plain C would write it, fgets into a
// 1024-byte line and sscanf with the format's patterns into one row record. It keeps no rows, so
// it is faster than any reader that does: a conservative measure to compare against.
#pragma once

#include "chart/spl_types.h"

#include <cstdio>
#include <string>

namespace bench {

// Returns the rows read, or -1 when the file cannot be opened.
inline long SscanfRead(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return -1;
    char line[1024];
    long rows = 0;
    bool header = true;
    while (std::fgets(line, sizeof line, f)) {
        if (header) {
            if (line[0] == '"') continue;
            header = false;
        }
        if (line[0] != ' ') break;
        SplSample s;
        long number = 0, time = 0;
        int used = 0;
        if (std::sscanf(line, " %ld, %ld, %lf, \"%63[^\"]\"%n", &number, &time, &s.data,
                        s.isotopeName, &used) < 4 ||
            number != rows)
            break;
        s.time = static_cast<int32_t>(time);
        const char* p = line + used;
        if (*p == ',') {
            int more = 0;
            if (std::sscanf(p, ", %lf%n", &s.smoothed, &more) >= 1 && p[more] == ',')
                std::sscanf(p + more, ", %lf, %lf, %lf, %lf", &s.top[0], &s.base[0], &s.top[1],
                            &s.base[1]);
        }
        ++rows;
    }
    std::fclose(f);
    return rows;
}

} // namespace bench
