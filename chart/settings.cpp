// The process-wide settings and their settings-file keys, read at start-up and written at the end.
// Numbers are read and written independently of the process locale, so that a file written under
// one language setting reads back under another.
#include "chart/settings.h"

#include "chart/ini_file.h"
#include "chart/number_format.h"
#include "chart/run_log.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <variant>

SettingsRecord Settings;

namespace {

// Fetched values are cut to this many characters, as a 256-byte buffer would hold.
constexpr size_t SETTING_TEXT_MAX = 255;

using Field = std::variant<bool SettingsRecord::*, int32_t SettingsRecord::*,
                           uint32_t SettingsRecord::*, double SettingsRecord::*>;

struct SettingKey {
    const char* section;
    const char* key;
    Field field;
    bool SettingsRecord::*condition; // the key is read and written only when this is TRUE
};

using R = SettingsRecord;
const SettingKey SETTING_KEYS[] = {
    {"general", "vortan", &R::detectPeaks, nullptr},
    {"general", "cursorpad", &R::showCursorPad, nullptr},
    {"general", "detail", &R::showDetail, nullptr},
    {"general", "savepos", &R::savePosition, nullptr},
    {"general", "x", &R::windowX, &R::savePosition},
    {"general", "y", &R::windowY, &R::savePosition},
    {"general", "width", &R::windowWidth, &R::savePosition},
    {"general", "height", &R::windowHeight, &R::savePosition},
    {"general", "xspl", &R::extendedSpl, nullptr},
    {"general", "maximize", &R::maximize, nullptr},
    {"general", "uniformzone", &R::uniformZone, nullptr},
    {"general", "nzone", &R::zoneCount, &R::uniformZone},
    {"smooth", "optimize", &R::smoothOptimize, nullptr},
    {"smooth", "width", &R::smoothWidth, nullptr},
    {"smooth", "maxwidth", &R::smoothMaxWidth, nullptr},
    {"smooth", "minwidth", &R::smoothMinWidth, nullptr},
    {"vortan", "threshold", &R::threshold, nullptr},
    {"print", "roll", &R::printRoll, nullptr},
    {"print", "prtflags", &R::printFlags, nullptr},
    {"print", "magnification", &R::printMagnification, nullptr},
    {"print", "range", &R::printRange, nullptr},
    {"cursorpad", "save", &R::savePanelPositions, nullptr},
    {"cursorpad", "cursorx", &R::cursorPadX, &R::savePanelPositions},
    {"cursorpad", "cursory", &R::cursorPadY, &R::savePanelPositions},
    {"cursorpad", "pkbasex", &R::barAdjustX, &R::savePanelPositions},
    {"cursorpad", "pkbasey", &R::barAdjustY, &R::savePanelPositions},
    {"cursorpad", "pktopx", &R::crossAdjustX, &R::savePanelPositions},
    {"cursorpad", "pktopy", &R::crossAdjustY, &R::savePanelPositions},
};

enum class Fetch { Missing, Empty, Text };

Fetch FetchText(const IniFile& ini, const char* section, const char* key, std::string* text) {
    auto value = ini.Get(section, key);
    if (!value) return Fetch::Missing;
    if (value->empty()) return Fetch::Empty;
    *text = value->substr(0, SETTING_TEXT_MAX);
    return Fetch::Text;
}

// Reads one typed value: the current value when the key is missing, empty or of the wrong form.
template <typename T, typename Parse>
T ReadTyped(const IniFile& ini, const char* section, const char* key, T current, bool* failed,
            Parse parse) {
    std::string text;
    switch (FetchText(ini, section, key, &text)) {
    case Fetch::Missing:
        return current;
    case Fetch::Empty:
        if (failed) *failed = true;
        return current;
    case Fetch::Text:
        break;
    }
    T value{};
    return parse(text, &value) ? value : current;
}

bool ParseBoolInto(const std::string& text, bool* out) {
    *out = ParseBoolSetting(text);
    return true;
}

// Reads a leading decimal integer after an optional sign into [lo, hi].
bool ParseLeadingInteger(const std::string& text, bool allowSign, long long lo, long long hi,
                         long long* out) {
    const char* p = text.data();
    const char* end = p + text.size();
    bool negative = false;
    if (p == end) return false;
    if (*p == '+' || *p == '-') {
        if (!allowSign) return false;
        negative = *p == '-';
        ++p;
    }
    if (p == end || *p < '0' || *p > '9') return false;
    unsigned long long magnitude = 0;
    auto result = std::from_chars(p, end, magnitude);
    if (result.ec != std::errc()) return false; // out of range
    if (magnitude > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
        return false;
    long long v = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (v < lo || v > hi) return false;
    *out = v;
    return true;
}

std::string IniPathError(const char* operation) {
    return std::string(operation) + ": Can't retrive module name.";
}

} // namespace

bool ParseBoolSetting(const std::string& text) {
    if (text.size() != 4) return false;
    static const char upper[] = "TRUE";
    for (size_t i = 0; i < 4; ++i) {
        if ((text[i] & ~0x20) != upper[i]) return false;
    }
    return true;
}

bool ParseIntSetting(const std::string& text, int32_t* out) {
    long long v = 0;
    if (!ParseLeadingInteger(text, true, INT32_MIN, INT32_MAX, &v)) return false;
    *out = static_cast<int32_t>(v);
    return true;
}

bool ParseFlagsSetting(const std::string& text, uint32_t* out) {
    long long v = 0;
    if (!ParseLeadingInteger(text, false, 0, UINT32_MAX, &v)) return false;
    *out = static_cast<uint32_t>(v);
    return true;
}

bool ParseRealSetting(const std::string& text, double* out) {
    if (text.empty()) return false;
    char c = text[0];
    if (!(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
    const char* p = text.data();
    const char* end = p + text.size();
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
        // from_chars takes no sign of its own; a second sign is no number.
        if (p == end || *p == '+' || *p == '-') return false;
    }
    double v = 0.0;
    auto result = std::from_chars(p, end, v, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(v)) return false;
    *out = negative ? -v : v;
    return true;
}

std::string FormatRealSetting(double value) {
    return FormatE(value, 0, 6);
}

bool ReadBoolSetting(const std::string& iniPath, const char* section, const char* key, bool current,
                     bool* failed) {
    IniFile ini;
    ini.Load(iniPath);
    return ReadTyped(ini, section, key, current, failed, ParseBoolInto);
}

int32_t ReadIntSetting(const std::string& iniPath, const char* section, const char* key,
                       int32_t current, bool* failed) {
    IniFile ini;
    ini.Load(iniPath);
    return ReadTyped(ini, section, key, current, failed, ParseIntSetting);
}

uint32_t ReadFlagsSetting(const std::string& iniPath, const char* section, const char* key,
                          uint32_t current, bool* failed) {
    IniFile ini;
    ini.Load(iniPath);
    return ReadTyped(ini, section, key, current, failed, ParseFlagsSetting);
}

double ReadRealSetting(const std::string& iniPath, const char* section, const char* key,
                       double current, bool* failed) {
    IniFile ini;
    ini.Load(iniPath);
    return ReadTyped(ini, section, key, current, failed, ParseRealSetting);
}

namespace {

bool WriteOne(const std::string& iniPath, const char* section, const char* key,
              const std::string& text) {
    if (iniPath.empty()) return false;
    IniFile ini;
    ini.Load(iniPath);
    ini.Set(section, key, text);
    return ini.Save(iniPath);
}

std::string FieldText(const SettingsRecord& s, const Field& field) {
    struct {
        const SettingsRecord& s;
        std::string operator()(bool R::*f) const { return s.*f ? "TRUE" : "FALSE"; }
        std::string operator()(int32_t R::*f) const { return std::to_string(s.*f); }
        std::string operator()(uint32_t R::*f) const { return std::to_string(s.*f); }
        std::string operator()(double R::*f) const { return FormatRealSetting(s.*f); }
    } visitor{s};
    return std::visit(visitor, field);
}

// Reads one key of the table into s; sets *failed when the key is present but empty.
void ReadField(const IniFile& ini, const SettingKey& k, SettingsRecord& s, bool* failed) {
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<T, bool>)
                s.*member = ReadTyped(ini, k.section, k.key, s.*member, failed, ParseBoolInto);
            else if constexpr (std::is_same_v<T, int32_t>)
                s.*member = ReadTyped(ini, k.section, k.key, s.*member, failed, ParseIntSetting);
            else if constexpr (std::is_same_v<T, uint32_t>)
                s.*member = ReadTyped(ini, k.section, k.key, s.*member, failed, ParseFlagsSetting);
            else
                s.*member = ReadTyped(ini, k.section, k.key, s.*member, failed, ParseRealSetting);
        },
        k.field);
}

} // namespace

bool WriteBoolSetting(const std::string& iniPath, const char* section, const char* key,
                      bool value) {
    return WriteOne(iniPath, section, key, value ? "TRUE" : "FALSE");
}

bool WriteIntSetting(const std::string& iniPath, const char* section, const char* key,
                     int32_t value) {
    return WriteOne(iniPath, section, key, std::to_string(value));
}

bool WriteFlagsSetting(const std::string& iniPath, const char* section, const char* key,
                       uint32_t value) {
    return WriteOne(iniPath, section, key, std::to_string(value));
}

bool WriteRealSetting(const std::string& iniPath, const char* section, const char* key,
                      double value) {
    return WriteOne(iniPath, section, key, FormatRealSetting(value));
}

std::string SettingsFilePath(const std::string& executablePath) {
    if (executablePath.empty()) return {};
    size_t cut = executablePath.find_last_of("/\\");
    if (cut != std::string::npos)
        cut += 1;
    else if (executablePath.size() >= 2 && executablePath[1] == ':')
        cut = 2;
    else
        cut = 0;
    return executablePath.substr(0, cut) + SETTINGS_FILE_NAME;
}

int LoadSetup(const std::string& iniPath) {
    if (iniPath.empty()) {
        LogPrint(IniPathError("LoadSetup"));
        return 0;
    }
    if (!IniFileExists(iniPath)) {
        LogPrint("LoadSetup: Ini file is not found.");
        return 1;
    }
    IniFile ini;
    if (!ini.Load(iniPath)) {
        LogPrint("LoadSetup: Ini file can't be read.");
        return 0;
    }
    for (const SettingKey& k : SETTING_KEYS) {
        if (k.condition && !(Settings.*k.condition)) continue;
        bool failed = false;
        ReadField(ini, k, Settings, &failed);
        if (failed) {
            LogPrintf("LoadSetup: No value for %s in [%s].", k.key, k.section);
            return 0;
        }
        // The displacement register divides by the zone count.
        if (Settings.zoneCount < 1) Settings.zoneCount = 1;
    }
    return 1;
}

int SaveSetup(const std::string& iniPath, std::string* reason) {
    if (iniPath.empty()) {
        LogPrint(IniPathError("SaveSetup"));
        if (reason) *reason = "the settings file has no place";
        return 0;
    }
    IniFile ini;
    ini.Load(iniPath); // a missing file starts empty; other lines of an existing one are kept
    for (const SettingKey& k : SETTING_KEYS) {
        if (k.condition && !(Settings.*k.condition)) continue;
        ini.Set(k.section, k.key, FieldText(Settings, k.field));
    }
    std::string error;
    if (!ini.Save(iniPath, &error)) {
        LogPrintf("SaveSetup: Can't write the ini file (%s).", error.c_str());
        if (reason) *reason = error;
        return 0;
    }
    return 1;
}
