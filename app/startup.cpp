#include "app/startup.h"

#include "app/chart_commands.h"
#include "app/file_extras.h"
#include "app/key_filter.h"
#include "app/main_window.h"
#include "app/run_log_window.h"
#include "app/tooltips.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "chart/spl_types.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

std::optional<std::string> HelpFilePath;

namespace {

std::optional<std::string>& SettingsOverride() {
    static std::optional<std::string> path;
    return path;
}

} // namespace

std::string PathToCore(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathFromCore(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
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

int RunVortan(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vortan"));
    QApplication::setApplicationVersion(QString::fromLatin1(VORTAN_VERSION_TEXT));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vortan.png")));
    QApplication::setQuitOnLastWindowClosed(false);

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
    std::vector<std::string> arguments;
    QString screenshot;
    const QStringList given = QCoreApplication::arguments().mid(1);
    for (const QString& argument : given) {
        // A developer's option: grab the window into a PNG once the chart is loaded, then quit.
        if (argument.startsWith(QStringLiteral("--screenshot="))) {
            screenshot = argument.mid(13);
            continue;
        }
        arguments.push_back(PathToCore(argument));
    }
    AcceptArguments(arguments, [&exePath](const std::string& argument) {
        QProcess::startDetached(exePath, {PathFromCore(argument)});
    });

    if (!LoadSetup(SettingsFilePath())) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vortan"),
                        QStringLiteral("初期化が完全にはできませんでした。"
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
    if (!screenshot.isEmpty()) ScheduleScreenshot(main, screenshot);
    QPointer<VortanMain> alive(main);
    const int code = app.exec();
    delete alive.data();
    return code;
}
