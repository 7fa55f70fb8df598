// Fuzz target of the settings file: any file is read without a fault; what LoadSetup reads,
// SaveSetup writes and LoadSetup reads back the same (reals as their written digits), the written
// file being a fixed point; and a value set through a typed writer into that file is got back by
// the typed reader.
#include "chart/settings.h"
#include "fuzz/fuzz_support.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string TempName() {
    return fuzz::ScratchFolder("settings") + "VORTAN.INI";
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "settings round trip broken: %s\n", what);
        std::abort();
    }
}

bool SameReal(double a, double b) {
    return FormatRealSetting(a) == FormatRealSetting(b);
}

bool SameSettings(const SettingsRecord& a, const SettingsRecord& b) {
    return a.detectPeaks == b.detectPeaks && a.showCursorPad == b.showCursorPad &&
           a.showDetail == b.showDetail && a.savePosition == b.savePosition &&
           a.windowX == b.windowX && a.windowY == b.windowY && a.windowWidth == b.windowWidth &&
           a.windowHeight == b.windowHeight && a.extendedSpl == b.extendedSpl &&
           a.maximize == b.maximize && a.uniformZone == b.uniformZone &&
           a.zoneCount == b.zoneCount && a.smoothOptimize == b.smoothOptimize &&
           a.smoothWidth == b.smoothWidth && a.smoothMaxWidth == b.smoothMaxWidth &&
           a.smoothMinWidth == b.smoothMinWidth && SameReal(a.threshold, b.threshold) &&
           a.printRoll == b.printRoll && a.printFlags == b.printFlags &&
           SameReal(a.printMagnification, b.printMagnification) &&
           SameReal(a.printRange, b.printRange) && a.savePanelPositions == b.savePanelPositions &&
           a.cursorPadX == b.cursorPadX && a.cursorPadY == b.cursorPadY &&
           a.barAdjustX == b.barAdjustX && a.barAdjustY == b.barAdjustY &&
           a.crossAdjustX == b.crossAdjustX && a.crossAdjustY == b.crossAdjustY;
}

template <typename T> T Take(const uint8_t* data, size_t size, size_t at) {
    T value{};
    if (size >= sizeof(T) + at) std::memcpy(&value, data + size - sizeof(T) - at, sizeof(T));
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = TempName();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }

    // Parse -> write -> parse.
    Settings = SettingsRecord();
    LoadSetup(path);
    const SettingsRecord first = Settings;
    Check(SaveSetup(path) == 1, "first save");
    const std::string written = fuzz::Slurp(path);
    Settings = SettingsRecord();
    Check(LoadSetup(path) == 1, "the saved file reads whole");
    Check(SameSettings(first, Settings), "values read back differ");
    Check(SaveSetup(path) == 1, "second save");
    Check(fuzz::Slurp(path) == written, "the saved file is not a fixed point");

    // Set -> get, over whatever else the file holds. The values come from the input's last bytes.
    const auto number = Take<int32_t>(data, size, 0);
    const auto flags = Take<uint32_t>(data, size, 4);
    const auto real = Take<double>(data, size, 8);
    const bool truth = size > 0 && (data[0] & 1);
    Check(WriteIntSetting(path, "general", "x", number), "int write");
    Check(ReadIntSetting(path, "general", "x", number ^ 1) == number, "int value");
    Check(WriteFlagsSetting(path, "print", "prtflags", flags), "flags write");
    Check(ReadFlagsSetting(path, "print", "prtflags", flags ^ 1) == flags, "flags value");
    Check(WriteBoolSetting(path, "general", "xspl", truth), "bool write");
    Check(ReadBoolSetting(path, "general", "xspl", !truth) == truth, "bool value");
    if (std::isfinite(real)) {
        Check(WriteRealSetting(path, "vortan", "threshold", real), "real write");
        Check(SameReal(ReadRealSetting(path, "vortan", "threshold", real + 1.0), real),
              "real value");
    }
    return 0;
}
