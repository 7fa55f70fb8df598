#include "chart/ini_file.h"

#include "chart/atomic_file.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// The name of a section header line ("[name]"), or nothing when the line is no header.
std::optional<std::string> SectionName(const std::string& line) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    size_t close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

bool IsComment(const std::string& line) {
    std::string t = Trim(line);
    return !t.empty() && t.front() == ';';
}

} // namespace

bool IniFileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool IniFile::Load(const std::string& path) {
    lines_.clear();
    if (!IniFileExists(path)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return false;
    Parse(text.str());
    return true;
}

void IniFile::Parse(const std::string& text) {
    lines_.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        size_t end = nl == std::string::npos ? text.size() : nl;
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(std::move(line));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
}

int IniFile::FindSection(const std::string& section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i]);
        if (name && SameName(*name, section)) return static_cast<int>(i);
    }
    return -1;
}

int IniFile::FindKey(int start, const std::string& key, int* end) const {
    int found = -1;
    int i = start + 1;
    for (; i < static_cast<int>(lines_.size()); ++i) {
        const std::string& line = lines_[static_cast<size_t>(i)];
        if (SectionName(line)) break;
        if (found >= 0 || IsComment(line)) continue;
        size_t eq = line.find('=');
        if (eq != std::string::npos && SameName(Trim(line.substr(0, eq)), key)) found = i;
    }
    if (end) *end = i;
    return found;
}

std::optional<std::string> IniFile::Get(const std::string& section, const std::string& key) const {
    int s = FindSection(section);
    if (s < 0) return std::nullopt;
    int k = FindKey(s, key, nullptr);
    if (k < 0) return std::nullopt;
    const std::string& line = lines_[static_cast<size_t>(k)];
    std::string value = Trim(line.substr(line.find('=') + 1));
    // A value in matching quotes is read without them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

void IniFile::Set(const std::string& section, const std::string& key, const std::string& value) {
    std::string entry = key + "=" + value;
    int s = FindSection(section);
    if (s < 0) {
        lines_.push_back("[" + section + "]");
        lines_.push_back(entry);
        return;
    }
    int end = 0;
    int k = FindKey(s, key, &end);
    if (k >= 0) {
        lines_[static_cast<size_t>(k)] = entry;
        return;
    }
    // Append after the section's last non-blank line, so blank lines between sections stay.
    int at = end;
    while (at > s + 1 && Trim(lines_[static_cast<size_t>(at - 1)]).empty())
        --at;
    lines_.insert(lines_.begin() + at, entry);
}

std::string IniFile::Text() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool IniFile::Save(const std::string& path, std::string* error) const {
    std::string text = Text();
    return AtomicWriteFile(
        path,
        [&](std::FILE* f) { return std::fwrite(text.data(), 1, text.size(), f) == text.size(); },
        error);
}
