// Save Peaks: the current peak table of the viewer, the question about each very low peak, the
// save dialog and the PKS file.
#include "app/commands/chart_commands.h"
#include "app/commands/data_dialogs.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/peak_file.h"
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <memory>
#include <string>

namespace {

PeakFileDialogHook& DialogHook() {
    static PeakFileDialogHook hook;
    return hook;
}

void ShowMessage(QWidget* owner, QMessageBox::Icon icon, const QString& text) {
    QApplication::beep();
    QMessageBox box(icon, QStringLiteral("Vortan"), text, QMessageBox::Ok, owner);
    box.exec();
}

// Yes abandons the save.
bool AskAboutLowPeak(QWidget* owner, const std::string& text) {
    QApplication::beep();
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vortan"), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes;
}

// The system's reason out of a write error ("what: reason"): the user hears of the file they
// chose, not of the temporary file the save went through.
QString SystemReason(const std::string& error) {
    const size_t colon = error.rfind(": ");
    return QString::fromLocal8Bit(colon == std::string::npos ? error : error.substr(colon + 2));
}

} // namespace

void SetPeakFileDialogHook(PeakFileDialogHook hook) {
    DialogHook() = std::move(hook);
}

std::optional<QString> SavePeakFileDialog(QWidget* owner, const QString& proposed) {
    if (DialogHook()) return DialogHook()(owner, proposed);
    // The question before an existing file is replaced comes after the dialog, in the program's
    // own words.
    QString name = QFileDialog::getSaveFileName(
        owner, QString(), proposed,
        QCoreApplication::translate("PeakSaving", "PKSファイル(Vortan互換) (*.PKS *.pks)"), nullptr,
        QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

int SavePeaks(VortanMain* main, int, const void*) {
    if (!main || !ChartFileName) return 0;
    int count = 0;
    std::unique_ptr<PeakEntry[]> peaks = GetPeakList(main->view(), &count);
    if (!peaks || count <= 0) {
        ShowMessage(main, QMessageBox::Information,
                    QCoreApplication::translate("PeakSaving", "ピークがありません。"));
        return 0;
    }
    bool goOn = CheckLowPeaks(peaks.get(), count, [main](const std::string& text) {
        return AskAboutLowPeak(main, text);
    });
    if (!goOn) return 1;
    QString proposed = PathFromCore(ProposePeakFileName(*ChartFileName));
    std::optional<QString> chosen = SavePeakFileDialog(main, proposed);
    if (!chosen || !AskToReplaceFile(main, *chosen)) return 1;
    std::string error;
    if (!WritePeakFile(PathToCore(*chosen), peaks.get(), count, CurrentChart, &error)) {
        // The old file, if any, is left as it was; the user hears of the failure.
        QString text =
            QCoreApplication::translate("PeakSaving", "ピークファイルを保存できませんでした。\n%1")
                .arg(*chosen);
        if (!error.empty()) text += QStringLiteral("\n") + SystemReason(error);
        ShowMessage(main, QMessageBox::Warning, text);
    }
    return 1;
}
