// The smoothing dialog and the two commands that show it: the smoothing run, which smooths the
// chart in the viewer and sets it again, and the smoothing settings.
#include "app/dialogs/smoothing_dialog.h"

#include "app/commands/data_dialogs.h"
#include "app/window/main_window.h"
#include "chart/settings.h"
#include "chart/spl_types.h"
#include "ui_smoothing_dialog.h"
#include "viewer/chart_viewer.h"
#include "viewer/edit_history.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <QPushButton>

#include <climits>
#include <new>

namespace {

// The weighting functions' names of the smoothing table, for the translation.
[[maybe_unused]] const char* const FUNCTION_NAMES[] = {
    QT_TRANSLATE_NOOP("SmoothingDialog", "二次関数"),
    QT_TRANSLATE_NOOP("SmoothingDialog", "デジタル"),
};

} // namespace

SmoothingDialogValues SmoothingValuesFromSettings() {
    SmoothingDialogValues values;
    values.optimize = Settings.smoothOptimize;
    values.halfWidth = Settings.smoothWidth;
    values.maxWidth = Settings.smoothMaxWidth;
    values.minWidth = Settings.smoothMinWidth;
    return values;
}

bool ParseWidthField(const QString& text, int* out) {
    QString digits = text.trimmed();
    if (digits.isEmpty()) return false;
    long long value = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
        value = value * 10 + (c.unicode() - '0');
        if (value > INT_MAX) return false;
    }
    *out = static_cast<int>(value);
    return true;
}

SmoothingDialog::SmoothingDialog(QWidget* parent, const SmoothingDialogValues& values,
                                 bool settingsForm)
    : QDialog(parent), ui(std::make_unique<Ui::SmoothingDialog>()), copy(values) {
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->widthEdit->setText(QString::number(copy.halfWidth));
    ui->maxEdit->setText(QString::number(copy.maxWidth));
    ui->minEdit->setText(QString::number(copy.minWidth));
    ui->optimizeRadio->setChecked(copy.optimize);
    ui->noOptimizeRadio->setChecked(!copy.optimize);
    // The first function is offered on every opening, whatever was chosen before.
    for (const WeightFunctionEntry& entry : WeightFunctions)
        ui->functionList->addItem(QCoreApplication::translate("SmoothingDialog", entry.name));
    ui->functionList->setCurrentIndex(0);
    EnableOptimisation(copy.optimize);
    if (settingsForm) ui->startButton->setText(QStringLiteral("OK"));

    connect(ui->optimizeRadio, &QRadioButton::clicked, this, [this] { EnableOptimisation(true); });
    connect(ui->noOptimizeRadio, &QRadioButton::clicked, this,
            [this] { EnableOptimisation(false); });
    connect(ui->startButton, &QPushButton::clicked, this, &SmoothingDialog::accept);
    connect(ui->cancelButton, &QPushButton::clicked, this, &SmoothingDialog::reject);
}

SmoothingDialog::~SmoothingDialog() = default;

void SmoothingDialog::EnableOptimisation(bool on) {
    ui->maxEdit->setEnabled(on);
    ui->minEdit->setEnabled(on);
    ui->functionList->setEnabled(on);
}

void SmoothingDialog::accept() {
    // The limits are read even when the optimisation is off.
    if (!ParseWidthField(ui->widthEdit->text(), &copy.halfWidth) ||
        !ParseWidthField(ui->maxEdit->text(), &copy.maxWidth) ||
        !ParseWidthField(ui->minEdit->text(), &copy.minWidth)) {
        QApplication::beep();
        return;
    }
    copy.optimize = ui->optimizeRadio->isChecked();
    int chosen = ui->functionList->currentIndex();
    if (chosen < 0 || chosen >= WEIGHT_FUNCTION_COUNT) chosen = 0;
    CurrentWeightFunction = WeightFunctions[chosen].function;
    QDialog::accept();
}

int RunSmoothing(VortanMain* main) {
    if (!main) return 0;
    ChartView* view = main->view();
    int count = 0;
    uint32_t flags = 0;
    const ChartStore* rows = RetrieveChart(view, &count, &flags);
    if (!rows) {
        QApplication::beep();
        QMessageBox box(QMessageBox::Information, QStringLiteral("Vortan"),
                        QCoreApplication::translate("SmoothingDialog", "データがありません。"),
                        QMessageBox::Ok, main);
        box.exec();
        return 0;
    }
    SmoothingDialog dialog(main, SmoothingValuesFromSettings(), false);
    if (dialog.exec() != QDialog::Accepted) return 0;
    // The dialog's values serve this run only; the settings stay as they are.
    const SmoothingDialogValues& values = dialog.values();
    WeightFunction weight = values.optimize ? CurrentWeightFunction : nullptr;
    // The new column is computed beside the chart's rows and then handed to the viewer, which
    // installs its own rows again with it; the rows are never copied.
    rows = view->Chart() ? &view->Chart()->rows : nullptr;
    if (!rows || static_cast<int>(rows->size()) != count) return 0;
    std::vector<double> smoothed;
    try {
        // With room for the blank samples the viewer adds, so that the column never moves.
        smoothed.reserve(static_cast<size_t>(view->Chart()->paddedCount) + 1);
        smoothed.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        return 1; // no room to work in: the chart stays as it is
    }
    if (SmoothColumn(rows->Data(), count, smoothed.data(), values.halfWidth, values.maxWidth,
                     values.minWidth, weight)) {
        // One step of the edit history: undo brings back the curve and the tables before it.
        if (!SetSmoothedChart(view, std::move(smoothed), 2)) return 0;
    }
    return 1;
}

int Smoothing(VortanMain* main, int, const void*) {
    if (RunSmoothing(main)) {
        DefaultRange(main->view(), &main->checkedRange);
        main->SyncCheckMarks();
    }
    return 1;
}

int SmoothingSettings(VortanMain* main, int, const void*) {
    SmoothingDialog dialog(main, SmoothingValuesFromSettings(), true);
    if (dialog.exec() != QDialog::Accepted) return 0;
    const SmoothingDialogValues& values = dialog.values();
    Settings.smoothOptimize = values.optimize;
    Settings.smoothWidth = values.halfWidth;
    Settings.smoothMaxWidth = values.maxWidth;
    Settings.smoothMinWidth = values.minWidth;
    return 1;
}
