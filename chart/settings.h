// The program's settings: one process-wide record, read once from the settings file at start-up
// (LoadSetup) and written back once at the end of the run (SaveSetup). The window layer chooses
// the file's path and passes it in.
#pragma once

#include <cstdint>
#include <string>

// The window position the platform chooses for itself (Win32's CW_USEDEFAULT).
inline constexpr int32_t CW_USEDEFAULT = INT32_MIN; // 0x80000000

// The settings file's name, beside the executable or in the per-user configuration folder.
inline constexpr const char* SETTINGS_FILE_NAME = "VORTAN.INI";

// Print option bits of SettingsRecord::printFlags.
inline constexpr uint32_t PRINT_DATA = 0x1;
inline constexpr uint32_t PRINT_SMOOTHED = 0x2;
inline constexpr uint32_t PRINT_PEAKS = 0x4;
inline constexpr uint32_t PRINT_ALL_PEAKS = 0x8;
inline constexpr uint32_t PRINT_VIEW_MAG = 0x10;
inline constexpr uint32_t PRINT_VIEW_RANGE = 0x20;
inline constexpr uint32_t PRINT_FULL_RANGE = 0x40;
inline constexpr uint32_t PRINT_WHOLE = 0x100;
inline constexpr uint32_t PRINT_BLANK_FIRST = 0x8000;
inline constexpr uint32_t PRINT_DEFAULT_FLAGS =
    PRINT_DATA | PRINT_PEAKS | PRINT_VIEW_MAG | PRINT_VIEW_RANGE | PRINT_WHOLE; // 309

// Every setting with its default. Section and key of each are in settings.cpp, in file order.
struct SettingsRecord {
    // [general]
    bool detectPeaks = true;         // vortan
    bool showCursorPad = false;      // cursorpad
    bool showDetail = false;         // detail
    bool savePosition = false;       // savepos
    int32_t windowX = CW_USEDEFAULT; // x (only when savePosition)
    int32_t windowY = CW_USEDEFAULT; // y (only when savePosition)
    int32_t windowWidth = 640;       // width (only when savePosition)
    int32_t windowHeight = 400;      // height (only when savePosition)
    bool extendedSpl = true;         // xspl
    bool maximize = false;           // maximize
    bool uniformZone = false;        // uniformzone
    int32_t zoneCount = 1;           // nzone (only when uniformZone); never below 1 after LoadSetup
    // [smooth]
    bool smoothOptimize = false; // optimize
    int32_t smoothWidth = 7;     // width
    int32_t smoothMaxWidth = 0;  // maxwidth
    int32_t smoothMinWidth = 0;  // minwidth
    // [vortan]
    double threshold = 0.005; // threshold, volts
    // [print]
    int32_t printRoll = 4;                     // roll
    uint32_t printFlags = PRINT_DEFAULT_FLAGS; // prtflags
    double printMagnification = 0.0;           // magnification
    double printRange = 0.0;                   // range, volts
    // [cursorpad]
    bool savePanelPositions = false; // save
    int32_t cursorPadX = 0;          // cursorx (only when savePanelPositions)
    int32_t cursorPadY = 0;          // cursory
    int32_t barAdjustX = 0;          // pkbasex
    int32_t barAdjustY = 0;          // pkbasey
    int32_t crossAdjustX = 0;        // pktopx
    int32_t crossAdjustY = 0;        // pktopy
};

extern SettingsRecord Settings;

// The settings file beside a program: executablePath with its file-name part (after the last '/'
// or '\\', or after a drive prefix "X:") replaced by SETTINGS_FILE_NAME. Empty when
// executablePath is empty (the program's path could not be had).
std::string SettingsFilePath(const std::string& executablePath);

// Reads every key from iniPath into Settings. Returns 1 when every key could be read or the file
// does not exist (defaults stay), 0 when a key was present with an empty value (reading stops
// there; earlier keys keep what they read) or iniPath is empty (the path could not be had).
int LoadSetup(const std::string& iniPath);
// Writes every key of Settings to iniPath through a temporary file and a rename. Returns 1 on
// success, 0 (and a run-log line) when the path is empty or the file could not be written; reason
// (if given) then says why.
int SaveSetup(const std::string& iniPath, std::string* reason = nullptr);

// Typed readers: return the value read from the file, or current when the key or section is
// missing or the text has the wrong form. When the key is present with an empty value, *failed
// (if given) is set to true and current is returned. A file that cannot be read counts as empty.
bool ReadBoolSetting(const std::string& iniPath, const char* section, const char* key, bool current,
                     bool* failed = nullptr);
int32_t ReadIntSetting(const std::string& iniPath, const char* section, const char* key,
                       int32_t current, bool* failed = nullptr);
uint32_t ReadFlagsSetting(const std::string& iniPath, const char* section, const char* key,
                          uint32_t current, bool* failed = nullptr);
double ReadRealSetting(const std::string& iniPath, const char* section, const char* key,
                       double current, bool* failed = nullptr);

// Typed writers: set one key in iniPath (file, section and key created as needed), through a
// temporary file and a rename. Return true on success.
bool WriteBoolSetting(const std::string& iniPath, const char* section, const char* key, bool value);
bool WriteIntSetting(const std::string& iniPath, const char* section, const char* key,
                     int32_t value);
bool WriteFlagsSetting(const std::string& iniPath, const char* section, const char* key,
                       uint32_t value);
bool WriteRealSetting(const std::string& iniPath, const char* section, const char* key,
                      double value);

// Conversions of one value's text by the rules of the settings file; false when the text has the
// wrong form (the field then keeps its value). Exposed for the tests and the typed readers.
bool ParseBoolSetting(const std::string& text);
bool ParseIntSetting(const std::string& text, int32_t* out);
bool ParseFlagsSetting(const std::string& text, uint32_t* out);
bool ParseRealSetting(const std::string& text, double* out);
std::string FormatRealSetting(double value); // "%E" with a three-digit exponent
