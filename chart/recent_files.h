// The charts opened last, newest first, kept in the settings file's [recent] section as file1 to
// file8, and whether the newest is opened again at start (reopen=TRUE).
#pragma once

#include <string>
#include <vector>

inline constexpr int RECENT_FILES_MAX = 8;

// list with path in front: an earlier place of path is dropped, the list is cut to eight.
std::vector<std::string> PushRecentFile(std::vector<std::string> list, const std::string& path);
// list without path.
std::vector<std::string> DropRecentFile(std::vector<std::string> list, const std::string& path);

// The list read from iniPath: file1 to file8 in order, empty values and repeats left out.
std::vector<std::string> LoadRecentFiles(const std::string& iniPath);
// Writes file1 to file8 (unused ones empty), keeping the rest of the file. False on failure.
bool SaveRecentFiles(const std::string& iniPath, const std::vector<std::string>& list);

bool LoadReopenLast(const std::string& iniPath);
bool SaveReopenLast(const std::string& iniPath, bool reopen);
