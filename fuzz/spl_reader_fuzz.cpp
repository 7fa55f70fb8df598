// Fuzz target of the SPL reader: any file reads without a fault, and a chart that reads is
// written and read back to the same chart (values as their eight written digits), the writer's
// output being a fixed point.
#include "chart/number_format.h"
#include "chart/spl_io.h"
#include "fuzz/fuzz_support.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string TempName(const char* what) {
    return fuzz::ScratchFolder("spl") + what + ".spl";
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "round trip broken: %s\n", what);
        std::abort();
    }
}

bool SameWritten(double a, double b) {
    return FormatE(a, 17, 7) == FormatE(b, 17, 7);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = TempName("in"), first = TempName("a"), second = TempName("b");
    static bool once = [] {
        SetSplRowErrorHandler([](const std::string&, const std::string&) {});
        return true;
    }();
    (void)once;
    if (std::FILE* f = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    SplChart chart;
    auto rows = ReadSplData(input, chart);
    if (!rows) return 0;

    Check(WriteSplData(first, *rows, chart) == 1, "first write");
    SplChart chart2;
    auto rows2 = ReadSplData(first, chart2);
    Check(rows2.has_value(), "re-read");
    Check(rows2->size() == rows->size(), "row count");
    const bool extended = chart.version >= 2;
    if (extended) {
        Check(chart2.version == chart.version, "version");
        Check(chart2.flags == chart.flags, "flags");
    }
    for (size_t i = 0; i < rows->size(); ++i) {
        const SplSample& a = (*rows)[i];
        const SplSample& b = (*rows2)[i];
        Check(a.time == b.time, "time");
        Check(std::strcmp(a.isotopeName, b.isotopeName) == 0, "name");
        Check(SameWritten(a.data, b.data), "data");
        if (extended) {
            Check(a.flags == b.flags, "row flags");
            Check(SameWritten(a.smoothed, b.smoothed), "smoothed");
            if (a.flags) {
                for (int k = 0; k < 2; ++k)
                    Check(SameWritten(a.top[k], b.top[k]) && SameWritten(a.base[k], b.base[k]),
                          "peaks");
            }
        }
    }
    Check(WriteSplData(second, *rows2, chart2) == 1, "second write");
    Check(fuzz::Slurp(first) == fuzz::Slurp(second), "writer output is not a fixed point");
    return 0;
}
