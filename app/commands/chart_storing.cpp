#include "app/commands/background_job.h"
#include "app/commands/chart_commands.h"
#include "app/commands/file_extras.h"
#include "app/window/command_table.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/run_log.h"
#include "chart/spl_io.h"
#include "viewer/chart_viewer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace {

bool SameFile(const QString& a, const QString& b) {
    QFileInfo first(a);
    QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

// Asks before a save replaces a file other than the current chart file.
bool MayReplace(VortanMain* main, const QString& chosen) {
    if (ChartFileName && QFileInfo::exists(chosen) &&
        SameFile(PathFromCore(*ChartFileName), chosen))
        return true;
    return AskToReplaceFile(main, chosen);
}

// Asks before a save writes a chart that was cut short over the file it was read from: what the
// reading left out would be lost.
bool MayOverwriteCutShort(VortanMain* main, const std::string& name) {
    const std::optional<std::string> cut = CutShortChartFile();
    if (!cut || !SameFile(PathFromCore(*cut), PathFromCore(name))) return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vortan"),
                    QCoreApplication::translate(
                        "ChartFiles", "このチャートは %1 の途中までしか読み込まれていません。"
                                      "上書きすると、読み込まれなかった内容は失われます。"
                                      "上書きしますか？")
                        .arg(PathFromCore(name)),
                    QMessageBox::Yes | QMessageBox::No, main);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

// What a save could not keep, in the window's words; empty when all was kept.
QString SaveNotice(const SaveReport& report) {
    QStringList lines;
    if (report.linksParted)
        lines << QCoreApplication::translate("ChartFiles",
                                             "このファイルには別の名前(ハードリンク)がありました。"
                                             "別の名前のほうは以前の内容のままです。");
    if (report.ownerLost && report.groupLost)
        lines << QCoreApplication::translate(
            "ChartFiles", "ファイルの所有者とグループを元のままにできませんでした。");
    else if (report.ownerLost)
        lines << QCoreApplication::translate("ChartFiles",
                                             "ファイルの所有者を元のままにできませんでした。");
    else if (report.groupLost)
        lines << QCoreApplication::translate("ChartFiles",
                                             "ファイルのグループを元のままにできませんでした。");
    return lines.join(QLatin1Char('\n'));
}

// Why there was nothing to save.
QString NothingToSaveText(ChartView* view) {
    if (view && view->ChartMode() != CHART_MODE_VIEW)
        return QCoreApplication::translate("ChartFiles",
                                           "ピークの設定中は保存できません。"
                                           "ピークの設定を終えるか中止してから保存してください。");
    if (!view || !view->Chart())
        return QCoreApplication::translate("ChartFiles", "保存するチャートがありません。");
    return QCoreApplication::translate("ChartFiles",
                                       "メモリが足りないため、チャートを保存できませんでした。");
}

} // namespace

bool AskToReplaceFile(QWidget* owner, const QString& chosen) {
    if (!QFileInfo::exists(chosen)) return true;
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Vortan"),
        QCoreApplication::translate("ChartFiles", "%1 は既に存在します。置き換えますか？")
            .arg(chosen),
        QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

StoreResult StoreChart(VortanMain* main, const std::string& fileName, SaveReport* report) {
    // The header changes only once the file is written.
    SplChart header = CurrentChart;
    int count = 0;
    // The rows are written where they lie: input is held back while the save runs, so nothing
    // changes them meanwhile.
    const ChartStore* rows = RetrieveChart(main->view(), &count, &header.flags);
    if (!rows) {
        LogPrint("StoreChart: Fail to retrieve chart.");
        return SAVE_NO_CHART;
    }
    if (header.flags & HASSM) header.version = 2;
    // Written on a worker thread; the old file stays until the new one is whole.
    SplProgress progress;
    int written = 0;
    SaveReport saved;
    std::vector<std::string> log;
    RunBackgroundJob(main, QCoreApplication::translate("ChartFiles", "チャートを保存しています…"),
                     progress, false, [&] {
                         ThreadLogBuffer buffer;
                         written = WriteSplData(fileName, *rows, header, &saved, &progress);
                         log = buffer.Take();
                     });
    ReplayLog(log);
    if (progress.cancelled) {
        LogPrint("SaveChart: Saving has been aborted.");
        return SAVE_CANCELLED;
    }
    if (report) *report = saved;
    if (!written) return SAVE_WRITE_FAILED;
    if (const std::optional<std::string> cut = CutShortChartFile();
        cut && SameFile(PathFromCore(*cut), PathFromCore(fileName)))
        ForgetCutShortChart();
    CurrentChart.flags = header.flags;
    CurrentChart.version = header.version;
    SetChartFileName(fileName);
    ShowChartTitle(main);
    main->MarkChartSaved();
    NoteRecentFile(fileName);
    return SAVE_DONE;
}

StoreResult SaveCurrentChart(VortanMain* main, bool askName) {
    std::string name;
    if (!askName && ChartFileName) {
        name = *ChartFileName;
    } else {
        QString proposed;
        if (askName && ChartFileName) {
            proposed = PathFromCore(*ChartFileName);
            LogPrint(ChartBaseName ? *ChartBaseName : std::string());
        } else if (askName) {
            LogPrint("");
        }
        std::optional<QString> chosen = SaveSplDialog(main, proposed);
        if (!chosen || !MayReplace(main, *chosen)) {
            LogPrint("SaveChart: Saving has been aborted.");
            return SAVE_CANCELLED;
        }
        name = PathToCore(*chosen);
    }
    if (!MayOverwriteCutShort(main, name)) {
        LogPrint("SaveChart: Saving has been aborted.");
        return SAVE_CANCELLED;
    }
    SaveReport report;
    StoreResult result = StoreChart(main, name, &report);
    if (result == SAVE_WRITE_FAILED) {
        QMessageBox::warning(main, QStringLiteral("Vortan"),
                             QCoreApplication::translate(
                                 "ChartFiles", "ファイルを保存できませんでした。\n%1\n理由: %2")
                                 .arg(PathFromCore(name), QString::fromLocal8Bit(report.error)));
    } else if (result == SAVE_NO_CHART) {
        QMessageBox::warning(main, QStringLiteral("Vortan"), NothingToSaveText(main->view()));
    } else if (result == SAVE_DONE && !SaveNotice(report).isEmpty()) {
        QMessageBox::information(main, QStringLiteral("Vortan"),
                                 QCoreApplication::translate("ChartFiles", "保存しました。\n%1\n%2")
                                     .arg(PathFromCore(name), SaveNotice(report)));
    }
    return result;
}

int SaveChart(VortanMain* main, int, const void*) {
    return SaveCurrentChart(main, false) == SAVE_CANCELLED ? 0 : 1;
}

int SaveChartAs(VortanMain* main, int, const void*) {
    return SaveCurrentChart(main, true) == SAVE_CANCELLED ? 0 : 1;
}
