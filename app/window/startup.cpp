#include "app/window/startup.h"

#include "app/commands/chart_commands.h"
#include "app/commands/file_extras.h"
#include "app/panels/run_log_window.h"
#include "app/window/key_filter.h"
#include "app/window/language.h"
#include "app/window/main_window.h"
#include "app/window/screen_fit.h"
#include "app/window/tooltips.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "chart/spl_types.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <QTranslator>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

std::optional<std::string> HelpFilePath;

namespace {

std::optional<std::string>& SettingsOverride() {
    static std::optional<std::string> path;
    return path;
}

} // namespace

namespace {

// The one entry of folder (system bytes; empty for the current folder) that Qt shows as name, or
// nothing when there is none or more than one.
std::optional<std::string> EntryShownAs(const std::string& folder, const QString& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    int matches = 0;
    while (struct dirent* entry = ::readdir(dir)) {
        if (QFile::decodeName(entry->d_name) != name) continue;
        found = entry->d_name;
        ++matches;
    }
    ::closedir(dir);
    if (matches != 1) return std::nullopt;
    return found;
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// Starts exe with one argument, both as the system's bytes, without waiting for it: the child
// forks the program and ends at once, so no process is left for us to collect.
void StartDetached(const std::string& exe, const std::string& argument) {
    std::vector<char> exeBytes(exe.begin(), exe.end());
    exeBytes.push_back('\0');
    std::vector<char> argBytes(argument.begin(), argument.end());
    argBytes.push_back('\0');
    char* argv[] = {exeBytes.data(), argBytes.data(), nullptr};
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            ::execv(argv[0], argv);
            ::_exit(127);
        }
        ::_exit(0);
    }
    if (child > 0) ::waitpid(child, nullptr, 0);
}

} // namespace

std::string PathToCore(const QString& path) {
    const std::string bytes = QFile::encodeName(path).toStdString();
    // A name that is not UTF-8 (Shift-JIS from an older system) reaches Qt with its odd bytes
    // replaced; such a name is found again, part by part, as the one entry of its folder that Qt
    // shows the same way.
    if (!path.contains(QChar::ReplacementCharacter) || Exists(bytes)) return bytes;
    const QStringList parts = path.split(QLatin1Char('/'));
    std::string resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::string folder = resolved;
        if (i > 0) resolved += '/';
        const std::string plain = QFile::encodeName(parts[i]).toStdString();
        if (!parts[i].contains(QChar::ReplacementCharacter) || Exists(resolved + plain)) {
            resolved += plain;
            continue;
        }
        std::optional<std::string> entry = EntryShownAs(i > 0 ? resolved : folder, parts[i]);
        if (!entry) return bytes;
        resolved += *entry;
    }
    return resolved;
}

QString PathFromCore(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::vector<std::string> CommandLineFiles(int argc, char** argv, QString* screenshot) {
    std::vector<std::string> files;
    const std::string option = "--screenshot=";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        // A developer's option: grab the window into a PNG once the chart is loaded, then quit.
        if (argument.rfind(option, 0) == 0) {
            if (screenshot) *screenshot = QFile::decodeName(argv[i] + option.size());
            continue;
        }
        files.push_back(argument);
    }
    return files;
}

void AcceptArguments(const std::vector<std::string>& arguments, const ForkFunction& fork) {
    for (const std::string& argument : arguments) {
        if (argument.empty()) continue;
        if (!ChartFileName) {
            // Loaded once the main window exists (command 107).
            ChartFileName = argument;
            LogPrintf("%s: Load", argument.c_str());
            continue;
        }
        if (argument.size() > MAX_FORK_ARGUMENT) {
            LogPrint("Too long path: Can't accept.");
            continue;
        }
        if (fork) fork(argument);
        LogPrintf("%s: Fork", argument.c_str());
    }
}

void SetSettingsFilePath(const std::string& path) {
    if (path.empty()) {
        SettingsOverride().reset();
    } else {
        SettingsOverride() = path;
    }
}

std::string DefaultSettingsFilePath(const QString& exeFolder) {
    const QString name = QString::fromLatin1(SETTINGS_FILE_NAME);
    QDir folder(exeFolder);
    const QString beside = folder.filePath(name);
    if (QFileInfo::exists(beside) || QFileInfo(folder.absolutePath()).isWritable())
        return PathToCore(beside);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (config.isEmpty()) return std::string();
    QDir().mkpath(config);
    return PathToCore(QDir(config).filePath(name));
}

std::string SettingsFilePath() {
    if (SettingsOverride()) return *SettingsOverride();
    return DefaultSettingsFilePath(QCoreApplication::applicationDirPath());
}

std::optional<std::string> HelpPathFor(const std::string& exePath) {
    const size_t dot = exePath.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    return exePath.substr(0, dot) + ".HLP";
}

int SetHelpFile(const std::string& path) {
    HelpFilePath = path;
    return 1;
}

QTranslator* InstallQtJapanese(QCoreApplication* app) {
    auto* translator = new QTranslator(app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

int RunVortan(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vortan"));
    QApplication::setApplicationVersion(QString::fromLatin1(VORTAN_VERSION_TEXT));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vortan.png")));
    QApplication::setQuitOnLastWindowClosed(false);
    // The language chosen in the general settings, else the system's (Japanese or English).
    ApplyLanguage(StoredLanguage(SettingsFilePath()));

    if (LogEnabled) {
        RunLogWindow::Open();
        if (IsLogOpen()) {
            LogPrint("Start logging.");
        } else {
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("RTAN"),
                            QStringLiteral("Can't open log window!"), QMessageBox::Ok);
            box.exec();
        }
    }

    const QString exePath = QCoreApplication::applicationFilePath();
    QString screenshot;
    // File names stay the system's bytes from here to the open call: a name that is not UTF-8
    // would not survive a trip through QString.
    std::vector<std::string> arguments = CommandLineFiles(argc, argv, &screenshot);
    AcceptArguments(arguments, [&exePath](const std::string& argument) {
        StartDetached(PathToCore(exePath), argument);
    });

    if (!LoadSetup(SettingsFilePath())) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vortan"),
                        QCoreApplication::translate(
                            "Startup", "初期化が完全にはできませんでした。"
                                       "以前行った設定が変化している可能性があります。"),
                        QMessageBox::Ok);
        box.exec();
    }
    if (std::optional<std::string> help = HelpPathFor(PathToCore(exePath))) SetHelpFile(*help);

    ChooseStartChart();
    AppKeyFilter::Install(&app);
    ToolTipInstaller::Install(&app);
    auto* main = new VortanMain();
    main->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(main, &VortanMain::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    main->show();
    KeepFrameOnScreen(main);
    if (!screenshot.isEmpty()) ScheduleScreenshot(main, screenshot);
    QPointer<VortanMain> alive(main);
    const int code = app.exec();
    delete alive.data();
    return code;
}
