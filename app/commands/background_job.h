// Long chart work (reading, writing) on a worker thread while the window stays alive: the calling
// thread keeps serving events (repaints, timers), input to the program's windows is held back, a
// progress dialog appears once the work has taken about half a second, and Esc or its Cancel
// button asks the work to stop. A request to close the main window meanwhile is put off: the
// window closes once the work is over.
#pragma once

#include "chart/spl_io.h"

#include <QString>

#include <functional>

class VortanMain;

// Runs work on a worker thread and returns once it has returned. progress is the work's own
// report (rows and done/total for the percentage); a stop request sets progress.cancel. label is
// the dialog's text, e.g. "チャートを読み込んでいます…". With stopOnClose, a close of the main
// window meanwhile also asks the work to stop (a load); else the close waits for it (a save).
void RunBackgroundJob(VortanMain* main, const QString& label, SplProgress& progress,
                      bool stopOnClose, const std::function<void()>& work);

// Whether a job is running now (its nested event loop is on the stack).
bool BackgroundJobRunning();

// Milliseconds before the progress dialog shows (500 by default).
void SetProgressDelay(int milliseconds);
// For tests: called on the worker thread before the work starts.
using BackgroundJobHook = std::function<void(SplProgress& progress)>;
void SetBackgroundJobHook(BackgroundJobHook hook);
