// The printer settings dialog "印刷設定": the printer (printing to a PDF file is always offered
// beside the installed printers), the part of the chart to print, the rolls per page, the elements
// drawn and the magnification and vertical range of the print. The options live in Settings
// (printRoll, printFlags, printMagnification, printRange); the printer in PrinterName.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPrinter;
namespace Ui {
class PrinterSettingsDialog;
}

// Characters PrinterName holds, terminator included.
inline constexpr int PRINTER_NAME_SIZE = 1024;
// The printer chosen last; empty at start, kept for the run and never written to the settings.
extern std::string PrinterName;
// The entry of the printer list that prints to a PDF file.
extern const QString PDF_PRINTER_NAME;

struct PrinterEntry {
    QString name;
    bool isDefault = false; // the system's default printer
};
// The printers the dialog offers, in order: the installed ones, then the PDF file. A hook
// replaces the enumeration (tests); null restores it.
using PrinterListHook = std::function<std::vector<PrinterEntry>()>;
void SetPrinterListHook(PrinterListHook hook);
std::vector<PrinterEntry> ListPrinters();

// One row of the magnification (factor) or range (volts) choices; an empty label ends a table.
struct PrintChoice {
    const char* label;
    double value;
};
extern const PrintChoice MagnificationChoices[];
extern const PrintChoice RangeChoices[];

// The printer preselected in a list: the first named current (exactly; the choice made earlier in
// the run), else the first default printer, else the first. -1 for an empty list.
int PreselectPrinter(const std::vector<PrinterEntry>& printers, const QString& current);

// Dialog 119. printing 0: opened from the menu (button "OK"); 1: before printing ("印刷開始").
class PrinterSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    PrinterSettingsDialog(QWidget* owner, int printing, const std::vector<PrinterEntry>& printers,
                          int preselected);
    ~PrinterSettingsDialog() override;

    // Writes the dialog's choices to PrinterName and Settings.
    void StoreOptions();

  private:
    void ShowOptions();
    void ShowPrinterProperties();

    std::unique_ptr<Ui::PrinterSettingsDialog> ui;
};

// Lists the printers and runs the dialog. Returns 1 when the user accepted (PrinterName and the
// settings then hold the choices), 0 when there is no printer or the user cancelled.
int PrinterSettings(QWidget* main, int printing);

// Applies the page setup chosen with "詳細" for the printer name to a printer about to print.
void ApplyPrinterProperties(const QString& name, QPrinter* printer);
