#include "app/printing/printing.h"

#include "app/printing/printer_settings_dialog.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/number_format.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"
#include "views/print_page.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QTemporaryFile>

#include <cups/cups.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

PrintTargetFactory targetFactory;
PdfPathHook pdfPathHook;
// How long the status bar says where a job went.
constexpr int STATUS_MESSAGE_MS = 15000;

// Pages drawn through QPrinter into a PDF file under a temporary name: one painter over the whole
// document, a new page started for every page after the first. Deliver() hands the finished file
// on; the temporary is removed when the target goes away.
class PdfPagesTarget : public PrintTarget {
  public:
    PdfPagesTarget(std::unique_ptr<QPrinter> p, QString temp)
        : printer(std::move(p)), tempPath(std::move(temp)) {}
    ~PdfPagesTarget() override {
        if (painter.isActive()) painter.end();
        if (!tempPath.isEmpty()) QFile::remove(tempPath);
    }

    QPaintDevice* Device() override { return printer.get(); }
    bool StartDoc(const QString& documentName) override {
        docName = documentName;
        printer->setDocName(documentName);
        return painter.begin(printer.get());
    }
    bool StartPage(int page) override { return page == 0 || printer->newPage(); }
    QPainter& Painter() override { return painter; }
    bool EndPage(int) override { return printer->printerState() != QPrinter::Error; }
    bool EndDoc() override {
        if (!painter.end() || printer->printerState() == QPrinter::Error) {
            failure = QCoreApplication::translate("Printing", "The PDF file could not be written.");
            return false;
        }
        return Deliver();
    }
    void Abandon() override {
        printer->abort();
        if (painter.isActive()) painter.end();
    }
    QString ErrorText() const override {
        return failure.isEmpty()
                   ? QCoreApplication::translate("Printing", "The printer reported an error.")
                   : failure;
    }
    QString Destination() const override { return destination; }

  protected:
    // Hands the written file on; false with failure set when that fails.
    virtual bool Deliver() = 0;

    std::unique_ptr<QPrinter> printer;
    QPainter painter;
    QString tempPath;
    QString docName;
    QString failure;
    QString destination;
};

// Into a PDF file: the temporary file is renamed over the target.
class PdfFileTarget : public PdfPagesTarget {
  public:
    PdfFileTarget(std::unique_ptr<QPrinter> p, QString temp, QString target)
        : PdfPagesTarget(std::move(p), std::move(temp)), targetPath(std::move(target)) {}

  protected:
    bool Deliver() override {
        // The temporary was made for its owner only: give the file the mode a new file gets
        // (0666 less the umask), or the mode of the file it replaces.
        struct stat old;
        mode_t mode;
        if (::stat(QFile::encodeName(targetPath).constData(), &old) == 0 && S_ISREG(old.st_mode)) {
            mode = old.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::chmod(QFile::encodeName(tempPath).constData(), mode);
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(tempPath.toStdString()),
                                std::filesystem::path(targetPath.toStdString()), error);
        if (error) {
            failure = QString::fromStdString(error.message());
            return false;
        }
        tempPath.clear();
        destination = QCoreApplication::translate("Printing", "PDFファイルへ出力しました: %1")
                          .arg(QDir::toNativeSeparators(targetPath));
        return true;
    }

  private:
    QString targetPath;
};

// The print system's queue of a printer named "queue" or "queue/instance".
QByteArray QueueOf(const QString& printerName) {
    QByteArray name = printerName.toUtf8();
    int slash = name.indexOf('/');
    return slash < 0 ? name : name.left(slash);
}

// What the print system says about a queue: its state and the message that goes with it.
struct QueueState {
    bool stopped = false;
    QString message;
};
QueueState ReadQueueState(const QByteArray& queue) {
    QueueState state;
    char uri[HTTP_MAX_URI];
    if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                         "/printers/%s", queue.constData()) != HTTP_URI_STATUS_OK)
        return state;
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response) return state;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
        state.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        state.message = QString::fromUtf8(ippGetString(a, 0, nullptr)).trimmed();
    ippDelete(response);
    return state;
}

// A printer: the PDF file is submitted to its queue as one job. A job number means the queue
// took it; no number means it was refused, and the print system's reason is kept.
class QueueTarget : public PdfPagesTarget {
  public:
    QueueTarget(std::unique_ptr<QPrinter> p, QString temp, QString queue)
        : PdfPagesTarget(std::move(p), std::move(temp)), queueName(std::move(queue)) {}

  protected:
    bool Deliver() override {
        const QByteArray queue = QueueOf(queueName);
        const QByteArray file = QFile::encodeName(tempPath);
        const QByteArray title = docName.toUtf8();
        // The paper the pages were laid out for (the printer's, or the one chosen with "詳細").
        const QByteArray media = printer->pageLayout().pageSize().key().toUtf8();
        cups_option_t* options = nullptr;
        int optionCount = 0;
        if (!media.isEmpty()) optionCount = cupsAddOption("media", media.constData(), 0, &options);
        const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), file.constData(),
                                       title.constData(), optionCount, options);
        cupsFreeOptions(optionCount, options);
        if (job <= 0) {
            failure = QString::fromUtf8(cupsLastErrorString());
            const QString said = ReadQueueState(queue).message;
            if (!said.isEmpty() && !failure.contains(said))
                failure += QStringLiteral(" (%1)").arg(said);
            return false;
        }
        destination =
            QCoreApplication::translate("Printing", "印刷ジョブを送りました: %1 (ジョブ %2)")
                .arg(queueName)
                .arg(job);
        // Taken but held: a stopped queue keeps the job until it is started again.
        const QueueState state = ReadQueueState(queue);
        if (state.stopped) {
            destination += QCoreApplication::translate("Printing", " - プリンタは停止中です");
            if (!state.message.isEmpty()) destination += QStringLiteral(": ") + state.message;
        }
        return true;
    }

  private:
    QString queueName;
};

// A PDF printer writing to a new temporary file in folder, laid out as layout at dotsPerInch;
// null when the folder cannot be written.
std::unique_ptr<QPrinter> MakePdfPrinter(const QString& folder, QString* tempPath, int dotsPerInch,
                                         const std::optional<QPageLayout>& layout) {
    QTemporaryFile temp(QDir(folder).filePath(QStringLiteral(".print-XXXXXX.pdf")));
    temp.setAutoRemove(false);
    if (!temp.open()) return nullptr;
    *tempPath = temp.fileName();
    temp.close();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(dotsPerInch);
    if (layout) printer->setPageLayout(*layout);
    printer->setOutputFileName(*tempPath);
    return printer;
}

void Refuse(const char* line) {
    QApplication::beep();
    LogPrint(line);
}

// The PDF file proposed for the chart: its name with ".pdf", in its folder.
QString ProposePdfPath() {
    if (ChartFileName) {
        const QFileInfo chart(PathFromCore(*ChartFileName));
        return chart.absoluteDir().filePath(chart.completeBaseName() + QStringLiteral(".pdf"));
    }
    QString base = QString::fromStdString(ChartBaseName.value_or(std::string("chart")));
    int dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) base.truncate(dot);
    return base + QStringLiteral(".pdf");
}

std::optional<QString> AskPdfPath(QWidget* owner) {
    const QString proposed = ProposePdfPath();
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

// Why a page of PW x PH dots with labels LW x LH cannot hold its rolls, for the user: a roll less
// than a dot high or wide, or narrower than one sample at the print magnification. Empty when the
// rolls fit; samplesPerRoll is then set.
QString PageSetupProblem(int PW, int PH, int LW, int LH, int* samplesPerRoll) {
    const QString head =
        QCoreApplication::translate("Printing", "このページ設定では印刷できません。\n");
    const PageGeometry g = ComputePageGeometry(PW, PH, LW, LH, Settings.printRoll);
    if (g.rollHeight < 1) {
        return head + QCoreApplication::translate(
                          "Printing",
                          "印刷できる高さ %1 ドットに%2面のロールを並べると、1面の高さが"
                          "1ドットに足りません。余白を小さくするか、1ページの面数を"
                          "減らしてください。")
                          .arg(PH)
                          .arg(Settings.printRoll);
    }
    const int plotWidth = PrintPlotWidth(PW, LW);
    if (plotWidth < 1 || g.plotWidth < 1) {
        return head + QCoreApplication::translate(
                          "Printing", "印刷できる幅 %1 ドットから目盛りの欄 %2 ドットを除くと、"
                                      "ロールの幅が1ドットに足りません。左右の余白を小さくして"
                                      "ください。")
                          .arg(PW)
                          .arg(LW + 12);
    }
    *samplesPerRoll = PrintSamplesPerRoll(plotWidth, Settings.printMagnification);
    if (*samplesPerRoll < 1) {
        return head + QCoreApplication::translate(
                          "Printing",
                          "ロールの幅 %1 ドットに、拡大率 %2 ドット/サンプルではサンプルが"
                          "1つも入りません。拡大率か余白を小さくしてください。")
                          .arg(plotWidth)
                          .arg(Settings.printMagnification);
    }
    return QString();
}

} // namespace

std::unique_ptr<PrintTarget> OpenPrinterTarget(const QString& printerName) {
    QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) return nullptr;
    // The printer's own page layout and resolution, with the page set-up chosen with "詳細".
    QPrinter native(info, QPrinter::HighResolution);
    if (!native.isValid()) return nullptr;
    ApplyPrinterProperties(printerName, &native);
    QString tempPath;
    auto printer = MakePdfPrinter(QDir::tempPath(), &tempPath, std::max(native.resolution(), 72),
                                  native.pageLayout());
    if (!printer) return nullptr;
    return std::make_unique<QueueTarget>(std::move(printer), tempPath, info.printerName());
}

std::unique_ptr<PrintTarget> OpenPdfTarget(const QString& path, int dotsPerInch) {
    QFileInfo target(path);
    QString tempPath;
    auto printer = MakePdfPrinter(target.absolutePath(), &tempPath, dotsPerInch, std::nullopt);
    if (!printer) return nullptr;
    ApplyPrinterProperties(PDF_PRINTER_NAME, printer.get());
    return std::make_unique<PdfFileTarget>(std::move(printer), tempPath, target.absoluteFilePath());
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
    // Without a chart there is nothing to print: refused before a file name is asked for.
    int count = 0;
    uint32_t chartFlags = 0;
    // The rows where they lie: the chart cannot change while the print dialogs are up.
    const ChartStore* rows = RetrieveChart(viewer, &count, &chartFlags);
    if (!rows || count < 1 || rows->size() < static_cast<size_t>(count)) {
        Refuse("PrintChart: Data not ready.");
        return 0;
    }
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
    // The labels are drawn in the device's default font: measured in it.
    const QFontMetrics metrics(QFont(), device);
    const int LW = PrintLabelWidth(metrics);
    const int LH = metrics.height();
    if (LW < 1 || LH < 1) {
        Refuse("PrintChart: Can't get extention.");
        return 0;
    }

    if (Settings.printFlags & PRINT_VIEW_MAG)
        Settings.printMagnification = GetMagnification(viewer);
    if (!UsablePrintSettings()) {
        Refuse("PrintChart: Print settings out of range.");
        return 0;
    }
    // A page set-up whose margins leave no room for the rolls is refused before anything prints.
    int samplesPerRoll = 0;
    const QString problem = PageSetupProblem(PW, PH, LW, LH, &samplesPerRoll);
    if (!problem.isEmpty()) {
        Refuse("PrintChart: No room for the rolls on the page.");
        target.reset(); // no temporary file left while the message is read
        QMessageBox::warning(main, QStringLiteral("Vortan"), problem);
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
        QMessageBox::warning(
            main, QStringLiteral("Vortan"),
            QCoreApplication::translate("Printing", "印刷を開始できませんでした。"));
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
        // Refused or not delivered: the user hears why, nothing is passed off as printed.
        Refuse(("PrintChart: Document can't be finished with '" +
                target->ErrorText().toStdString() + "'")
                   .c_str());
        QMessageBox::warning(
            main, QStringLiteral("Vortan"),
            QCoreApplication::translate("Printing", "印刷を完了できませんでした。\n%1")
                .arg(target->ErrorText()));
    } else if (auto* window = qobject_cast<QMainWindow*>(main)) {
        const QString where = target->Destination();
        if (!where.isEmpty()) window->statusBar()->showMessage(where, STATUS_MESSAGE_MS);
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
