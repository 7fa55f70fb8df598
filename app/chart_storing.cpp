#include "app/background_job.h"
#include "app/chart_commands.h"
#include "app/command_table.h"
#include "app/file_extras.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "chart/run_log.h"
#include "chart/spl_io.h"
#include "viewer/chart_viewer.h"

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
    if (!QFileInfo::exists(chosen)) return true;
    if (ChartFileName && SameFile(PathFromCore(*ChartFileName), chosen)) return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vortan"),
                    QStringLiteral("%1 は既に存在します。置き換えますか？").arg(chosen),
                    QMessageBox::Yes | QMessageBox::No, main);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

StoreResult StoreChart(VortanMain* main, const std::string& fileName) {
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
    std::vector<std::string> log;
    RunBackgroundJob(main, QStringLiteral("チャートを保存しています…"), progress, false, [&] {
        ThreadLogBuffer buffer;
        written = WriteSplData(fileName, *rows, header, &progress);
        log = buffer.Take();
    });
    ReplayLog(log);
    if (progress.cancelled) {
        LogPrint("SaveChart: Saving has been aborted.");
        return SAVE_CANCELLED;
    }
    if (!written) return SAVE_WRITE_FAILED;
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
    StoreResult result = StoreChart(main, name);
    if (result == SAVE_WRITE_FAILED) {
        QMessageBox::warning(
            main, QStringLiteral("Vortan"),
            QStringLiteral("ファイルを保存できませんでした。\n%1").arg(PathFromCore(name)));
    }
    return result;
}

int SaveChart(VortanMain* main, int, const void*) {
    return SaveCurrentChart(main, false) == SAVE_CANCELLED ? 0 : 1;
}

int SaveChartAs(VortanMain* main, int, const void*) {
    return SaveCurrentChart(main, true) == SAVE_CANCELLED ? 0 : 1;
}
