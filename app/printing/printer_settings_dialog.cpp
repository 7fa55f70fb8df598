#include "app/printing/printer_settings_dialog.h"

#include "chart/settings.h"
#include "ui_printer_settings_dialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <map>

std::string PrinterName;
const QString PDF_PRINTER_NAME = QStringLiteral("PDFファイルへ出力");

const PrintChoice MagnificationChoices[] = {
    {"×10", 10.0}, {"×5", 5.0},   {"×2", 2.0},   {"×1", 1.0},
    {"×0.5", 0.5}, {"×0.2", 0.2}, {"×0.1", 0.1}, {"", 0.0},
};

const PrintChoice RangeChoices[] = {
    {"20V", 20},    {"10V", 10},    {"5V", 5},      {"2V", 2},      {"1V", 1},
    {"500mV", 0.5}, {"200mV", 0.2}, {"100mV", 0.1}, {"50mV", 0.05}, {"20mV", 0.02},
    {"10mV", 0.01}, {"5mV", 0.005}, {"2mV", 0.002}, {"1mV", 0.001}, {"", 0.0},
};

namespace {

PrinterListHook listHook;

// Page setups chosen with "詳細", by printer name, for the rest of the run.
std::map<QString, QPageLayout>& ChosenLayouts() {
    static std::map<QString, QPageLayout> layouts;
    return layouts;
}

// Combo rows carry the choice's value; the first rows ("チャート", "全体") carry none.
void AddChoices(QComboBox* combo, const PrintChoice* rows) {
    for (const PrintChoice* row = rows; row->label[0] != '\0'; ++row)
        combo->addItem(QString::fromUtf8(row->label), row->value);
}

int RowOfValue(const QComboBox* combo, int firstRow, double value) {
    for (int i = firstRow; i < combo->count(); ++i)
        if (combo->itemData(i).toDouble() == value) return i;
    return -1;
}

} // namespace

void SetPrinterListHook(PrinterListHook hook) {
    listHook = std::move(hook);
}

std::vector<PrinterEntry> ListPrinters() {
    if (listHook) return listHook();
    std::vector<PrinterEntry> printers;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        printers.push_back({info.printerName(), info.isDefault()});
    printers.push_back({PDF_PRINTER_NAME, false});
    return printers;
}

int PreselectPrinter(const std::vector<PrinterEntry>& printers, const QString& current) {
    if (printers.empty()) return -1;
    // The choice made earlier in this run wins over the system's default printer.
    if (!current.isEmpty()) {
        for (size_t i = 0; i < printers.size(); ++i)
            if (printers[i].name == current) return static_cast<int>(i);
    }
    for (size_t i = 0; i < printers.size(); ++i)
        if (printers[i].isDefault) return static_cast<int>(i);
    return 0;
}

PrinterSettingsDialog::PrinterSettingsDialog(QWidget* owner, int printing,
                                             const std::vector<PrinterEntry>& printers,
                                             int preselected)
    : QDialog(owner), ui(std::make_unique<Ui::PrinterSettingsDialog>()) {
    ui->setupUi(this);
    if (printing == 0) ui->okButton->setText(QStringLiteral("OK"));
    // The PDF entry keeps its name inside the program; the list shows it in the language in use.
    for (const PrinterEntry& p : printers)
        ui->printerCombo->addItem(
            p.name == PDF_PRINTER_NAME
                ? QCoreApplication::translate("PrinterSettingsDialog", "PDFファイルへ出力")
                : p.name,
            p.name);
    ui->printerCombo->setCurrentIndex(preselected);
    ShowOptions();
    connect(ui->okButton, &QPushButton::clicked, this, [this] {
        StoreOptions();
        done(1);
    });
    connect(ui->cancelButton, &QPushButton::clicked, this, [this] { done(0); });
    connect(ui->detailButton, &QPushButton::clicked, this,
            &PrinterSettingsDialog::ShowPrinterProperties);
}

PrinterSettingsDialog::~PrinterSettingsDialog() = default;

void PrinterSettingsDialog::ShowOptions() {
    QRadioButton* rolls[] = {ui->roll1Button, ui->roll2Button, ui->roll3Button,
                             ui->roll4Button, ui->roll5Button, ui->roll6Button};
    if (Settings.printRoll >= 1 && Settings.printRoll <= 6)
        rolls[Settings.printRoll - 1]->setChecked(true);
    const uint32_t flags = Settings.printFlags;
    (flags & PRINT_WHOLE ? ui->wholeButton : ui->aroundButton)->setChecked(true);
    ui->dataCheck->setChecked(flags & PRINT_DATA);
    ui->smoothedCheck->setChecked(flags & PRINT_SMOOTHED);
    ui->peaksCheck->setChecked(flags & PRINT_PEAKS);
    ui->allPeaksCheck->setChecked(flags & PRINT_ALL_PEAKS);

    ui->magnificationCombo->addItem(
        QCoreApplication::translate("PrinterSettingsDialog", "チャート"));
    AddChoices(ui->magnificationCombo, MagnificationChoices);
    ui->magnificationCombo->setCurrentIndex(0);
    if (!(flags & PRINT_VIEW_MAG)) {
        int row = RowOfValue(ui->magnificationCombo, 1, Settings.printMagnification);
        if (row >= 0) ui->magnificationCombo->setCurrentIndex(row);
    }

    ui->rangeCombo->addItem(QCoreApplication::translate("PrinterSettingsDialog", "チャート"));
    ui->rangeCombo->addItem(QCoreApplication::translate("PrinterSettingsDialog", "全体"));
    AddChoices(ui->rangeCombo, RangeChoices);
    ui->rangeCombo->setCurrentIndex(flags & PRINT_FULL_RANGE ? 1 : 0);
    if (!(flags & (PRINT_VIEW_RANGE | PRINT_FULL_RANGE))) {
        int row = RowOfValue(ui->rangeCombo, 2, Settings.printRange);
        if (row >= 0) ui->rangeCombo->setCurrentIndex(row);
    }
}

void PrinterSettingsDialog::StoreOptions() {
    // At most PRINTER_NAME_SIZE - 1 bytes, cut between characters.
    QString name = ui->printerCombo->currentData().toString();
    while (name.toUtf8().size() > PRINTER_NAME_SIZE - 1)
        name.chop(1);
    PrinterName = name.toStdString();

    uint32_t flags = Settings.printFlags;
    auto set = [&flags](uint32_t bit, bool on) { flags = on ? (flags | bit) : (flags & ~bit); };
    set(PRINT_WHOLE, ui->wholeButton->isChecked());

    QRadioButton* rolls[] = {ui->roll6Button, ui->roll5Button, ui->roll4Button, ui->roll3Button,
                             ui->roll2Button};
    Settings.printRoll = 1;
    for (int i = 0; i < 5; ++i) {
        if (rolls[i]->isChecked()) {
            Settings.printRoll = 6 - i;
            break;
        }
    }

    set(PRINT_DATA, ui->dataCheck->isChecked());
    set(PRINT_PEAKS, ui->peaksCheck->isChecked());
    set(PRINT_SMOOTHED, ui->smoothedCheck->isChecked());
    set(PRINT_ALL_PEAKS, ui->allPeaksCheck->isChecked());

    int mag = ui->magnificationCombo->currentIndex();
    if (mag <= 0) {
        set(PRINT_VIEW_MAG, true);
    } else {
        set(PRINT_VIEW_MAG, false);
        Settings.printMagnification = ui->magnificationCombo->itemData(mag).toDouble();
    }

    int range = ui->rangeCombo->currentIndex();
    if (range <= 0) {
        set(PRINT_FULL_RANGE, false);
        set(PRINT_VIEW_RANGE, true);
    } else if (range == 1) {
        set(PRINT_FULL_RANGE, true);
        set(PRINT_VIEW_RANGE, false);
    } else {
        set(PRINT_FULL_RANGE, false);
        set(PRINT_VIEW_RANGE, false);
        Settings.printRange = ui->rangeCombo->itemData(range).toDouble();
    }
    Settings.printFlags = flags;
}

void PrinterSettingsDialog::ShowPrinterProperties() {
    const QString name = ui->printerCombo->currentData().toString();
    QPrinter printer(QPrinter::HighResolution);
    if (name == PDF_PRINTER_NAME) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        QPrinterInfo info = QPrinterInfo::printerInfo(name);
        if (info.isNull()) return;
        printer.setPrinterName(info.printerName());
        if (!printer.isValid()) return;
    }
    ApplyPrinterProperties(name, &printer);
    QPageSetupDialog setup(&printer, this);
    if (setup.exec() == QDialog::Accepted) ChosenLayouts()[name] = printer.pageLayout();
}

void ApplyPrinterProperties(const QString& name, QPrinter* printer) {
    if (!printer) return;
    auto it = ChosenLayouts().find(name);
    if (it != ChosenLayouts().end()) printer->setPageLayout(it->second);
}

int PrinterSettings(QWidget* main, int printing) {
    std::vector<PrinterEntry> printers = ListPrinters();
    if (printers.empty()) {
        QApplication::beep();
        QMessageBox::warning(
            main, QStringLiteral("Vortan"),
            QCoreApplication::translate("PrinterSettingsDialog",
                                        "プリンタがつながれていません。印刷をするには、プリンタを"
                                        "つなぎ、インストールをしなければなりません。"));
        PrinterName.clear();
        return 0;
    }
    int preselected = PreselectPrinter(printers, QString::fromStdString(PrinterName));
    PrinterSettingsDialog dialog(main, printing, printers, preselected);
    return dialog.exec() > 0 ? 1 : 0;
}
