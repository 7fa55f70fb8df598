#include "chart/run_log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct LogState {
    bool open = false;
    std::vector<std::unique_ptr<char, decltype(&std::free)>> lines; // occupied slots are a prefix
    int capacity = 0;
    LogListener listener;
};

thread_local std::vector<std::string>* threadLines = nullptr;

LogState& State() {
    static LogState state;
    return state;
}

void Store(char* owned) {
    LogState& s = State();
    if (s.capacity == 0) ResetLogLines(LOG_LINES);
    if (s.capacity == 0) {
        std::free(owned);
        return;
    }
    if (static_cast<int>(s.lines.size()) >= s.capacity) s.lines.erase(s.lines.begin());
    s.lines.emplace_back(owned, &std::free);
    if (s.listener) s.listener(std::string(owned));
}

} // namespace

void LogPrint(const char* text, int adopt) {
    if (threadLines) {
        if (text) threadLines->emplace_back(text);
        if (adopt) std::free(const_cast<char*>(text));
        return;
    }
    LogState& s = State();
    if (!s.open) {
        if (adopt) std::free(const_cast<char*>(text));
        return;
    }
    if (!text) return;
    if (adopt) {
        Store(const_cast<char*>(text));
        return;
    }
    size_t n = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(n + 1));
    if (!copy) return;
    std::memcpy(copy, text, n + 1);
    Store(copy);
}

void LogPrint(std::string_view text) {
    if (threadLines) {
        threadLines->emplace_back(text);
        return;
    }
    if (!State().open) return;
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy) return;
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    Store(copy);
}

void LogPrintf(const char* format, ...) {
    if (!threadLines && !State().open) return;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (n >= 0) {
        char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(n) + 1));
        if (buffer) {
            std::vsnprintf(buffer, static_cast<size_t>(n) + 1, format, again);
            LogPrint(buffer, 1);
        }
    }
    va_end(again);
}

int IsLogOpen() {
    return State().open ? 1 : 0;
}

bool OpenLog() {
    LogState& s = State();
    if (s.open) return false;
    s.open = true;
    ResetLogLines(LOG_LINES);
    return true;
}

void CloseLog() {
    LogState& s = State();
    if (!s.open) return;
    ResetLogLines(-1);
    s.lines.clear();
    s.lines.shrink_to_fit();
    s.capacity = 0;
    s.open = false;
}

void ResetLogLines(int n) {
    LogState& s = State();
    if (!s.open) return;
    if (n > 0) {
        s.lines.clear();
        s.lines.reserve(static_cast<size_t>(n));
        s.capacity = n;
    } else {
        s.lines.clear();
    }
}

std::vector<std::string> LogLines() {
    std::vector<std::string> out;
    for (const auto& line : State().lines)
        out.emplace_back(line.get());
    return out;
}

int LogCapacity() {
    return State().capacity;
}

void SetLogListener(LogListener listener) {
    State().listener = std::move(listener);
}

ThreadLogBuffer::ThreadLogBuffer() : previous_(threadLines) {
    threadLines = &lines_;
}

ThreadLogBuffer::~ThreadLogBuffer() {
    threadLines = previous_;
}

std::vector<std::string> ThreadLogBuffer::Take() {
    return std::move(lines_);
}

void ReplayLog(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        LogPrint(std::string_view(line));
}
