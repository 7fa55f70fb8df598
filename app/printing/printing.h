// Printing the chart in the viewer: the print job, page after page of rolls, on the printer chosen
// in the printer settings dialog or into a PDF file; and the handlers of the print commands.
//
// A job for a printer is drawn into a temporary PDF file laid out as that printer's pages and
// handed to the print system as a whole when the document ends, so that a queue that refuses it
// (stopped taking jobs, gone, not reachable) is heard of with the print system's reason.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class ChartView;
class QPaintDevice;
class QPainter;
class QWidget;
class VortanMain;

// The surface of one print job: a printer, a PDF file, or a test's images. Pages are drawn with
// Painter() between StartPage and EndPage, after StartDoc.
class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    // The device whose size, resolution and font the pages are laid out for.
    virtual QPaintDevice* Device() = 0;
    virtual bool StartDoc(const QString& documentName) = 0;
    virtual bool StartPage(int page) = 0;
    virtual QPainter& Painter() = 0;
    virtual bool EndPage(int page) = 0;
    // Finishes the document (the PDF file replaces its target only now). False on failure.
    virtual bool EndDoc() = 0;
    // Drops a document that failed midway: nothing more is printed or written.
    virtual void Abandon() = 0;
    // What went wrong, for the run log and the user.
    virtual QString ErrorText() const = 0;
    // Where a finished document went, in words for the status bar: the queue and job number, or
    // the file.
    virtual QString Destination() const { return QString(); }
};

// The installed printer of that name, or null when it cannot be had. The pages have the
// printer's page layout and resolution; EndDoc submits them as one job to the print system.
std::unique_ptr<PrintTarget> OpenPrinterTarget(const QString& printerName);
// A PDF file at path, written beside it under a temporary name and renamed over it when the
// document ends; dotsPerInch sets the page's resolution. Null when the folder cannot be written.
std::unique_ptr<PrintTarget> OpenPdfTarget(const QString& path, int dotsPerInch = 1200);

// Makes the target for the printer chosen (pdfPath is set for the PDF choice). A hook replaces
// OpenPrinterTarget / OpenPdfTarget (tests); null restores them.
using PrintTargetFactory =
    std::function<std::unique_ptr<PrintTarget>(const QString& printerName, const QString& pdfPath)>;
void SetPrintTargetFactory(PrintTargetFactory factory);

// Asks where the PDF file goes; nothing when cancelled. A hook replaces the save dialog (tests).
using PdfPathHook = std::function<std::optional<QString>(QWidget* owner, const QString& proposed)>;
void SetPdfPathHook(PdfPathHook hook);

// Prints the viewer's chart with the print settings after the printer settings dialog. Returns 0
// when it was cancelled or refused before the job (no printer, no data, unusable settings), 1
// once the document has been tried, printed or not.
int PrintChart(QWidget* main, ChartView* viewer);

// Command 40058 "印刷(&P)": PrintChart on the main window's viewer.
int PrintChartCommand(VortanMain* main, int code, const void* argument);
// Command 40057 "プリンタの設定": the printer settings dialog in its menu form.
int PrinterSettingsCommand(VortanMain* main, int code, const void* argument);
