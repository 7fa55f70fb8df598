// Every run-log line logged while a LogCapture lives (the log is opened for it and closed after).
#pragma once

#include "chart/run_log.h"

#include <algorithm>
#include <string>
#include <vector>

class LogCapture {
  public:
    LogCapture() {
        CloseLog();
        OpenLog();
        SetLogListener([this](const std::string& line) { lines.push_back(line); });
    }
    ~LogCapture() {
        SetLogListener(nullptr);
        CloseLog();
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    bool Has(const std::string& line) const { return IndexOf(line) >= 0; }
    int Count(const std::string& line) const {
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    // Index of the first line equal to line, or -1.
    int IndexOf(const std::string& line) const {
        auto it = std::find(lines.begin(), lines.end(), line);
        return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
    }
    std::string Last() const { return lines.empty() ? std::string() : lines.back(); }
    // The last n lines, joined by line feeds.
    std::string Tail(size_t n) const {
        const size_t first = lines.size() - std::min(n, lines.size());
        std::string text;
        for (size_t i = first; i < lines.size(); ++i)
            text += (i == first ? "" : "\n") + lines[i];
        return text;
    }
    std::vector<std::string> lines;
};
