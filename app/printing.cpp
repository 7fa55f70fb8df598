#include "app/printing.h"

#include "app/main_window.h"
#include "app/printer_settings_dialog.h"
#include "chart/number_format.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"
#include "views/print_page.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

PrintTargetFactory targetFactory;
PdfPathHook pdfPathHook;

// A printer or a PDF file through QPrinter: one painter over the whole document, a new page
// started for every page after the first.
class PrinterTarget : public PrintTarget {
  public:
    explicit PrinterTarget(std::unique_ptr<QPrinter> p) : printer(std::move(p)) {}
    ~PrinterTarget() override {
        if (painter.isActive()) painter.end();
        if (!tempPath.isEmpty()) QFile::remove(tempPath);
    }

    // Where a PDF goes: written to temp, renamed over target by EndDoc.
    void SetFiles(const QString& temp, const QString& target) {
        tempPath = temp;
        targetPath = target;
    }

    QPaintDevice* Device() override { return printer.get(); }
    bool StartDoc(const QString& documentName) override {
        printer->setDocName(documentName);
        return painter.begin(printer.get());
    }
    bool StartPage(int page) override { return page == 0 || printer->newPage(); }
    QPainter& Painter() override { return painter; }
    bool EndPage(int) override { return printer->printerState() != QPrinter::Error; }
    bool EndDoc() override {
        bool ok = painter.end() && printer->printerState() != QPrinter::Error;
        if (ok && !tempPath.isEmpty()) {
            std::error_code error;
            std::filesystem::rename(std::filesystem::path(tempPath.toStdString()),
                                    std::filesystem::path(targetPath.toStdString()), error);
            if (error) {
                failure = QString::fromStdString(error.message());
                return false;
            }
            tempPath.clear();
        }
        return ok;
    }
    void Abandon() override {
        printer->abort();
        if (painter.isActive()) painter.end();
    }
    QString ErrorText() const override {
        return failure.isEmpty() ? QStringLiteral("The printer reported an error.") : failure;
    }

  private:
    std::unique_ptr<QPrinter> printer;
    QPainter painter;
    QString tempPath;
    QString targetPath;
    QString failure;
};

void Refuse(const char* line) {
    QApplication::beep();
    LogPrint(line);
}

std::optional<QString> AskPdfPath(QWidget* owner) {
    QString base = QString::fromStdString(ChartBaseName.value_or(std::string("chart")));
    int dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) base.truncate(dot);
    QString proposed = base + QStringLiteral(".pdf");
    if (pdfPathHook) return pdfPathHook(owner, proposed);
    QString path = QFileDialog::getSaveFileName(owner, QString(), proposed,
                                                QStringLiteral("PDF (*.pdf *.PDF)"));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

// Settings that would leave the job without a scale: only a hand-edited file carries them.
bool UsablePrintSettings() {
    const double mag = Settings.printMagnification;
    if (Settings.printRoll < 1 || Settings.printRoll > 6) return false;
    if (!(mag > 0.0) || !std::isfinite(mag)) return false;
    if (!(Settings.printFlags & (PRINT_FULL_RANGE | PRINT_VIEW_RANGE)) &&
        (!(Settings.printRange > 0.0) || !std::isfinite(Settings.printRange)))
        return false;
    return true;
}

} // namespace

std::unique_ptr<PrintTarget> OpenPrinterTarget(const QString& printerName) {
    QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid()) return nullptr;
    ApplyPrinterProperties(printerName, printer.get());
    return std::make_unique<PrinterTarget>(std::move(printer));
}

std::unique_ptr<PrintTarget> OpenPdfTarget(const QString& path, int dotsPerInch) {
    QFileInfo target(path);
    QTemporaryFile temp(QDir(target.absolutePath()).filePath(QStringLiteral(".print-XXXXXX.pdf")));
    temp.setAutoRemove(false);
    if (!temp.open()) return nullptr;
    QString tempPath = temp.fileName();
    temp.close();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(dotsPerInch);
    printer->setOutputFileName(tempPath);
    ApplyPrinterProperties(PDF_PRINTER_NAME, printer.get());
    auto result = std::make_unique<PrinterTarget>(std::move(printer));
    result->SetFiles(tempPath, target.absoluteFilePath());
    return result;
}

void SetPrintTargetFactory(PrintTargetFactory factory) {
    targetFactory = std::move(factory);
}
void SetPdfPathHook(PdfPathHook hook) {
    pdfPathHook = std::move(hook);
}

int PrintChart(QWidget* main, ChartView* viewer) {
    if (!PrinterSettings(main, 1)) return 0;
    if (PrinterName.empty()) return 0;
    const QString printer = QString::fromStdString(PrinterName);
    QString pdfPath;
    if (printer == PDF_PRINTER_NAME) {
        std::optional<QString> path = AskPdfPath(main);
        if (!path || path->isEmpty()) return 0;
        pdfPath = *path;
    }

    std::unique_ptr<PrintTarget> target;
    if (targetFactory) {
        target = targetFactory(printer, pdfPath);
    } else {
        target = pdfPath.isEmpty() ? OpenPrinterTarget(printer) : OpenPdfTarget(pdfPath);
    }
    if (!target) {
        Refuse("PrintChart: Context can't be created.");
        return 0;
    }
    QPaintDevice* device = target->Device();
    if (!device || device->width() < 1 || device->height() < 1) {
        Refuse("PrintChart: Device doesn't seem printer.");
        return 0;
    }
    const int PW = device->width();
    const int PH = device->height();
    const QFontMetrics metrics(QFont(), device);
    const int LW = metrics.horizontalAdvance(QString::fromLatin1(PRINT_LABEL_TEMPLATE));
    const int LH = metrics.height();
    if (LW < 1 || LH < 1) {
        Refuse("PrintChart: Can't get extention.");
        return 0;
    }

    int count = 0;
    uint32_t chartFlags = 0;
    const ChartStore* rows = RetrieveChart(viewer, &count, &chartFlags);
    if (!rows || count < 1 || rows->size() < static_cast<size_t>(count)) {
        Refuse("PrintChart: Data not ready.");
        return 0;
    }

    if (Settings.printFlags & PRINT_VIEW_MAG)
        Settings.printMagnification = GetMagnification(viewer);
    const int plotWidth = PrintPlotWidth(PW, LW);
    const int samplesPerRoll =
        UsablePrintSettings() ? PrintSamplesPerRoll(plotWidth, Settings.printMagnification) : 0;
    if (samplesPerRoll < 1) {
        Refuse("PrintChart: Print settings out of range.");
        return 0;
    }
    int pages = PrintPageCount(count, samplesPerRoll, Settings.printRoll);

    const double viewTop = GetChartMax(viewer, 0);
    const PrintVerticalRange range =
        ChoosePrintRange(Settings.printFlags, viewTop, viewTop - GetChartMin(viewer, 0),
                         GetChartMax(viewer, 1), GetChartMin(viewer, 1), Settings.printRange);
    LogPrint("PrintChart: max=" + FormatE(range.top) + ", min=" + FormatE(range.bottom) +
             ", nroll=" + std::to_string(Settings.printRoll) + ", npg=" + std::to_string(pages));

    int start = 0;
    if (!(Settings.printFlags & PRINT_WHOLE)) {
        SplSample left;
        if (GetCursorSamples(viewer, &left, 1) == 1) start = std::max(left.time, 0);
        pages = 1;
    }
    const bool blankFirst = Settings.printFlags & PRINT_BLANK_FIRST;
    if (blankFirst) ++pages;

    if (!target->StartDoc(QString::fromStdString(ChartBaseName.value_or(std::string())))) {
        // The printer or the file refused the job: say so instead of returning as if printed.
        Refuse("PrintChart: Document can't be started.");
        QMessageBox::warning(main, QStringLiteral("Vortan"),
                             QStringLiteral("印刷を開始できませんでした。"));
        return 1;
    }
    const int peakMode = GetPeakMode(viewer);
    int firstRoll = 1;
    bool aborted = false;
    for (int page = 0; page < pages; ++page) {
        if (!target->StartPage(page)) {
            LogPrint("Abort at StartPage");
            aborted = true;
            break;
        }
        if (!(blankFirst && page == 0)) {
            PrintPage(target->Painter(), PW, PH, LW, LH, samplesPerRoll, range.bottom, range.top,
                      firstRoll, &start, count, rows, peakMode, chartFlags);
        }
        if (!target->EndPage(page)) {
            LogPrint("Abort at EndPage");
            aborted = true;
            break;
        }
        firstRoll += Settings.printRoll;
    }
    if (aborted) {
        QApplication::beep();
        LogPrint("PrintChart: Printing is aborted with '" + target->ErrorText().toStdString() +
                 "'");
        target->Abandon();
    } else if (!target->EndDoc()) {
        Refuse(("PrintChart: Document can't be finished with '" +
                target->ErrorText().toStdString() + "'")
                   .c_str());
        QMessageBox::warning(main, QStringLiteral("Vortan"),
                             QStringLiteral("印刷を完了できませんでした。"));
    }
    return 1;
}

int PrintChartCommand(VortanMain* main, int, const void*) {
    if (!main) return 0;
    PrintChart(main, main->view());
    return 1;
}

int PrinterSettingsCommand(VortanMain* main, int, const void*) {
    PrinterSettings(main, 0);
    return 1;
}
