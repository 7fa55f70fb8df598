// The run log: the program's diagnostic sink. Every operation reports its steps as one line
// through LogPrint. The store keeps the newest LOG_LINES lines while the log is open; with the log
// closed LogPrint does nothing. The log window (a Qt widget) and the command-line tool's --log
// option are listeners on this store.
#pragma once

#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Whether start-up opens the run log (the build option VORTAN_LOG).
#ifndef VORTAN_LOG_ENABLED
#define VORTAN_LOG_ENABLED 0
#endif
inline constexpr bool LogEnabled = VORTAN_LOG_ENABLED != 0;

inline constexpr int LOG_LINES = 100;

// Logs one line. With adopt nonzero, text is a buffer from malloc() whose ownership passes to the
// log in every case (stored, or released at once when the log is closed).
void LogPrint(const char* text, int adopt = 0);
void LogPrint(std::string_view text);
// printf-style convenience; the line has no length limit.
void LogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// 1 while the log is open (a window or another listener holds it open), else 0.
int IsLogOpen();
// Opens the store with LOG_LINES empty slots; fails (returns false) when it is already open.
bool OpenLog();
// Releases every line and closes the store; LogPrint is a no-op again afterwards.
void CloseLog();
// n > 0: a fresh array of n empty slots (only while none exists); n <= 0: empties every slot.
void ResetLogLines(int n);

// The stored lines, oldest first (at most LOG_LINES).
std::vector<std::string> LogLines();
int LogCapacity();

// Called after every stored line (the window repaints, the command-line tool prints it).
using LogListener = std::function<void(const std::string& line)>;
void SetLogListener(LogListener listener);

// While it lives, the lines logged on the thread that made it are kept here instead of reaching
// the store, so that work on a worker thread can hand its lines to the window's thread, which
// logs them in order with Replay.
class ThreadLogBuffer {
  public:
    ThreadLogBuffer();
    ~ThreadLogBuffer();
    ThreadLogBuffer(const ThreadLogBuffer&) = delete;
    ThreadLogBuffer& operator=(const ThreadLogBuffer&) = delete;
    // Takes the lines out of the buffer (call on the buffer's own thread or after it is done).
    std::vector<std::string> Take();

  private:
    std::vector<std::string>* previous_;
    std::vector<std::string> lines_;
};
// Logs the lines through LogPrint, oldest first.
void ReplayLog(const std::vector<std::string>& lines);
