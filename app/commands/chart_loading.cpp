#include "app/commands/background_job.h"
#include "app/commands/chart_commands.h"
#include "app/commands/file_extras.h"
#include "app/window/command_table.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "chart/spl_io.h"
#include "viewer/chart_viewer.h"
#include "viewer/max_pyramid.h"
#include "views/chart_viewer_widget.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

std::optional<std::string>& CutShortFile() {
    static std::optional<std::string> file;
    return file;
}

FileDialogHook& DialogHook() {
    static FileDialogHook hook;
    return hook;
}

QString SplFilter() {
    return QCoreApplication::translate("ChartFiles", "SPL file (*.SPL *.spl)");
}
QString SplDialogTitle() {
    return QCoreApplication::translate("ChartFiles", "Open a SPL file");
}

} // namespace

std::optional<std::string> CutShortChartFile() {
    return CutShortFile();
}

void ForgetCutShortChart() {
    CutShortFile().reset();
}

void SetFileDialogHook(FileDialogHook hook) {
    DialogHook() = std::move(hook);
}

std::optional<QString> OpenSplDialog(QWidget* owner) {
    if (DialogHook()) return DialogHook()(owner, false, QString());
    QString name = QFileDialog::getOpenFileName(owner, SplDialogTitle(), QString(), SplFilter());
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> SaveSplDialog(QWidget* owner, const QString& proposed) {
    if (DialogHook()) return DialogHook()(owner, true, proposed);
    // Replacing another file is asked by SaveCurrentChart, which knows the current file.
    QString name = QFileDialog::getSaveFileName(owner, SplDialogTitle(), proposed, SplFilter(),
                                                nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

void ShowChartTitle(VortanMain* main) {
    if (!main || !ChartBaseName) return;
    main->setWindowTitle(QStringLiteral("Vortan: %1").arg(PathFromCore(*ChartBaseName)));
}

int LoadChart(VortanMain* main, const std::string& fileName) {
    if (!main) return 0;
    ChartView* view = main->view();
    // The new header stays apart until the viewer has taken the rows, so that a failed load
    // never pairs the chart on screen with another file's header.
    SplChart fresh;
    SplReadInfo info;
    std::optional<ChartStore> rows;
    // The file is read on a worker thread; its log lines and a rejected row's message reach the
    // window's thread afterwards, in their order.
    SplProgress progress;
    std::vector<std::pair<std::string, std::string>> rowErrors;
    progress.rowError = [&rowErrors](const std::string& text, const std::string& title) {
        rowErrors.emplace_back(text, title);
    };
    std::vector<std::string> log;
    // The viewer's block, peak tables and the painters' maxima are built on the worker too, so
    // that a long chart costs the window's thread only the swap.
    const bool prepare = view && view->Host() && view->ChartMode() == 0;
    const int desktop = prepare ? view->Host()->DesktopWidth() : 0;
    const int tableCount = prepare ? view->ListCount() : 0;
    PreparedChart prepared;
    ChartPyramids pyramids;
    size_t rowCount = 0;
    RunBackgroundJob(main, QCoreApplication::translate("ChartFiles", "チャートを読み込んでいます…"),
                     progress, true, [&] {
                         ThreadLogBuffer buffer;
                         rows = ReadSplData(fileName, fresh, &info, &progress);
                         rowCount = rows ? rows->size() : 0;
                         if (rows && prepare && !progress.cancel) {
                             prepared = PrepareChart(*rows, fresh.flags, 2, desktop, tableCount);
                             if (prepared.block) pyramids.Update(*prepared.block);
                         }
                         log = buffer.Take();
                     });
    ReplayLog(log);
    for (const auto& [text, title] : rowErrors)
        ReportSplRowError(text, title);
    if (progress.cancel) {
        // Stopped by the user: the chart, its peaks, header and title stay as they were.
        LogPrint("LoadChart: Loading was cancelled.");
        return 0;
    }
    int loaded = 0;
    // The viewer takes the rows over (a long chart is not copied); a file that ends with its
    // column-header line is a chart with no rows, taken like any other.
    if (prepared.block) {
        main->viewer()->pyramids() = std::move(pyramids);
        loaded = SetChart(view, std::move(prepared));
    } else if (rows && !prepare) {
        loaded = SetChart(view, std::move(*rows), fresh.flags, 2);
    }
    if (loaded) {
        CurrentChart = std::move(fresh);
        SetChartFileName(fileName);
        ShowChartTitle(main);
        DefaultRange(view, &main->checkedRange);
        main->checkedPeakMode = GetPeakMode(view);
        main->SyncCheckMarks();
        main->MarkChartSaved();
        NoteRecentFile(fileName);
        if (info.cutShort)
            CutShortFile() = fileName;
        else
            CutShortFile().reset();
    }
    if (Settings.extendedSpl && CurrentChart.version < 2) CurrentChart.version = 2;
    if (!rows) {
        QMessageBox::warning(
            main, QStringLiteral("Vortan"),
            QCoreApplication::translate("ChartFiles",
                                        "チャートを読み込めませんでした。\n%1\n理由: %2")
                .arg(PathFromCore(fileName), QString::fromLocal8Bit(info.error.Describe())));
    } else if (!loaded) {
        // Read, but the viewer could not take it (its reason is in the run log).
        QMessageBox::warning(main, QStringLiteral("Vortan"),
                             QCoreApplication::translate(
                                 "ChartFiles", "チャートを表示できませんでした。\n%1\n"
                                               "理由: ビューアがチャートを受け取れませんでした"
                                               "（実行ログを参照してください）。")
                                 .arg(PathFromCore(fileName)));
    } else if (info.cutShort) {
        QMessageBox::warning(
            main, QStringLiteral("Vortan"),
            QCoreApplication::translate(
                "ChartFiles", "チャートは途中までしか読み込まれていません。\n%1\n"
                              "%2 行目がデータの行ではないため、そこで読み込みを止めました。"
                              "読み込んだデータは %3 行です。その後の内容は読み込まれていません。")
                .arg(PathFromCore(fileName))
                .arg(info.stopLine)
                .arg(rowCount));
    }
    return loaded;
}

int DropLoadChart(VortanMain* main, const QString& fileName) {
    return LoadChart(main, PathToCore(fileName));
}

int OpenChart(VortanMain* main, int, const void*) {
    if (!main->ConfirmDiscardChanges()) return 0;
    std::optional<QString> name = OpenSplDialog(main);
    if (!name) {
        LogPrint("OpenChart: Opening was aborted.");
        return 0;
    }
    LoadChart(main, PathToCore(*name));
    return 1;
}

int AutoLoadChart(VortanMain* main, int, const void*) {
    if (ChartFileName && !ChartFileName->empty()) {
        // A copy: a successful load replaces ChartFileName.
        const std::string name = *ChartFileName;
        LoadChart(main, name);
    }
    return 1;
}

void InstallRowErrorHandler() {
    SetSplRowErrorHandler([](const std::string& text, const std::string& title) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromLocal8Bit(title),
                        QString::fromLocal8Bit(text), QMessageBox::Ok);
        box.exec();
    });
}
