// Start-up of the program: the run log, the command line (the first file is loaded, every further
// one opens in a new process), the settings file, the help path and the main window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCoreApplication;
class QString;
class QTranslator;

inline constexpr const char* VORTAN_VERSION_TEXT = "0.1.0";

// Longest further argument handed to a new process, in bytes; longer ones are refused.
inline constexpr size_t MAX_FORK_ARGUMENT = 515;

// Starts a new process of the program with one file argument.
using ForkFunction = std::function<void(const std::string& argument)>;

// Takes the command line's arguments (program name excluded, already split): the first file
// becomes ChartFileName ("%s: Load"), every further one goes to fork ("%s: Fork") unless it is
// 516 bytes or longer ("Too long path: Can't accept."). Empty arguments are passed over.
void AcceptArguments(const std::vector<std::string>& arguments, const ForkFunction& fork);

// The file arguments of the command line as the system's bytes (argv after QApplication has taken
// its own options); the developer's option --screenshot=PATH goes to screenshot.
std::vector<std::string> CommandLineFiles(int argc, char** argv, QString* screenshot);

// The settings file: the override when one is set, else VORTAN.INI beside the executable when it
// exists there or that folder is writable, else in the per-user configuration folder.
std::string SettingsFilePath();
// Tests point the settings at a file of their own; an empty path removes the override.
void SetSettingsFilePath(const std::string& path);
// The rule above for an executable's folder (no override).
std::string DefaultSettingsFilePath(const QString& exeFolder);

// Path of the help file: the executable's path with its last "." and what follows replaced by
// ".HLP"; empty optional when the path has no ".".
extern std::optional<std::string> HelpFilePath;
std::optional<std::string> HelpPathFor(const std::string& exePath);
// Replaces HelpFilePath; returns 1.
int SetHelpFile(const std::string& path);

// A path between Qt and the core (the file system's byte encoding). A name that is not UTF-8 is
// shown by Qt with replacement characters; PathToCore finds its bytes again in its folder.
std::string PathToCore(const QString& path);
QString PathFromCore(const std::string& path);

// Grabs the main window (and its Range menu) into PNG files once the chart is loaded, then quits.
class VortanMain;
void ScheduleScreenshot(VortanMain* main, const QString& path);

// The whole run: start-up, the event loop, the exit code.
int RunVortan(int argc, char** argv);

// Installs Qt's own Japanese texts (standard buttons, file dialogs) from Qt's translations
// folder, whatever the system's language: used when the program speaks Japanese. Returns the
// installed translator (owned by app), or null when the texts cannot be found.
QTranslator* InstallQtJapanese(QCoreApplication* app);
