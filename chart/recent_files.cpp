#include "chart/recent_files.h"

#include "chart/ini_file.h"
#include "chart/settings.h"

#include <algorithm>

namespace {

constexpr const char* SECTION = "recent";

std::string KeyOf(int i) {
    return "file" + std::to_string(i + 1);
}

} // namespace

std::vector<std::string> PushRecentFile(std::vector<std::string> list, const std::string& path) {
    // A line break would end the settings line early.
    if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return list;
    list = DropRecentFile(std::move(list), path);
    list.insert(list.begin(), path);
    if (list.size() > RECENT_FILES_MAX) list.resize(RECENT_FILES_MAX);
    return list;
}

std::vector<std::string> DropRecentFile(std::vector<std::string> list, const std::string& path) {
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    return list;
}

std::vector<std::string> LoadRecentFiles(const std::string& iniPath) {
    std::vector<std::string> list;
    IniFile ini;
    if (iniPath.empty() || !ini.Load(iniPath)) return list;
    for (int i = 0; i < RECENT_FILES_MAX; ++i) {
        auto value = ini.Get(SECTION, KeyOf(i));
        if (!value || value->empty()) continue;
        if (std::find(list.begin(), list.end(), *value) == list.end()) list.push_back(*value);
    }
    return list;
}

bool SaveRecentFiles(const std::string& iniPath, const std::vector<std::string>& list) {
    if (iniPath.empty()) return false;
    IniFile ini;
    ini.Load(iniPath);
    for (int i = 0; i < RECENT_FILES_MAX; ++i)
        // Quoted, so that blanks at either end of a name survive the reading.
        ini.Set(SECTION, KeyOf(i),
                i < static_cast<int>(list.size()) ? "\"" + list[i] + "\"" : std::string());
    return ini.Save(iniPath);
}

bool LoadReopenLast(const std::string& iniPath) {
    return !iniPath.empty() && ReadBoolSetting(iniPath, SECTION, "reopen", false);
}

bool SaveReopenLast(const std::string& iniPath, bool reopen) {
    return WriteBoolSetting(iniPath, SECTION, "reopen", reopen);
}
