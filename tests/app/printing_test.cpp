// The printer settings dialog driven as a user would, and whole print jobs of the example chart:
// into images (page counts, the pages themselves, a printer failing midway) and into a PDF file.
#include "app/printer_settings_dialog.h"
#include "app/printing.h"
#include "app/startup.h"
#include "chart/number_format.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "chart/spl_io.h"
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"
#include "viewer/headless_host.h"
#include "views/print_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// What a print job left: its pages as images and how it ended.
struct Job {
    QImage blank;
    std::vector<QImage> pages;
    QString docName;
    bool ended = false;
    bool abandoned = false;
};

// Pages of width x 1169 dots (A4 at 100 dots per inch) kept as images in a Job that outlives the
// target; StartPage of page failAt fails.
class ImageTarget : public PrintTarget {
  public:
    explicit ImageTarget(int failAt = -1, int width = 827)
        : job(std::make_shared<Job>()), failAt(failAt) {
        job->blank = QImage(width, 1169, QImage::Format_RGB32);
        job->blank.setDotsPerMeterX(3937);
        job->blank.setDotsPerMeterY(3937);
        job->blank.fill(Qt::white);
    }
    QPaintDevice* Device() override { return &job->blank; }
    bool StartDoc(const QString& name) override {
        job->docName = name;
        return true;
    }
    bool StartPage(int page) override {
        if (page == failAt) return false;
        current = job->blank;
        return painter.begin(&current);
    }
    QPainter& Painter() override { return painter; }
    bool EndPage(int) override {
        painter.end();
        job->pages.push_back(current);
        return true;
    }
    bool EndDoc() override {
        job->ended = true;
        return true;
    }
    void Abandon() override { job->abandoned = true; }
    QString ErrorText() const override { return QStringLiteral("paper jam"); }

    std::shared_ptr<Job> job;
    QImage current;
    QPainter painter;
    int failAt;
};

// Pixel-for-pixel equality; a count of differing pixels otherwise.
int Differences(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int row = 0; row < x.height(); ++row) {
        auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            if (p[col] != q[col]) ++n;
    }
    return n;
}

template <typename T> T* Find(QWidget* dialog, const char* name) {
    return dialog->findChild<T*>(QString::fromLatin1(name));
}

class PrintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SetSettingsFilePath(QDir(dir.path()).filePath(QStringLiteral("VORTAN.INI")).toStdString());
        Settings = SettingsRecord{};
        PrinterName.clear();
        SetPrinterListHook([] {
            return std::vector<PrinterEntry>{{QStringLiteral("Office"), false},
                                             {PDF_PRINTER_NAME, false}};
        });
        ChartBaseName = "run3-peaks.spl";
        CloseLog();
        OpenLog();
    }
    void TearDown() override {
        for (QTimer* t : timers)
            delete t;
        SetPrinterListHook(nullptr);
        SetPrintTargetFactory(nullptr);
        SetPdfPathHook(nullptr);
        SetSettingsFilePath("");
        ChartBaseName.reset();
        CloseLog();
    }

    // Runs act on the next printer settings dialog that opens.
    void OnDialog(std::function<void(QDialog*)> act) {
        auto* timer = new QTimer();
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != QStringLiteral("PrinterSettingsDialog")) return;
            timer->stop();
            act(dialog);
        });
        timer->start();
        timers.push_back(timer);
    }
    void Accept() {
        OnDialog([](QDialog* d) { Find<QPushButton>(d, "okButton")->click(); });
    }

    void LoadExample() {
        SplChart header;
        auto rows = ReadSplData(VORTAN_EXAMPLES "/run3-peaks.spl", header);
        ASSERT_TRUE(rows.has_value());
        ASSERT_EQ(SetChart(&view, std::move(*rows), header.flags, 2), 1);
    }
    // Prints into images with the dialog accepted unchanged.
    int PrintToImages(int failAt = -1, int width = 827) {
        target = nullptr;
        SetPrintTargetFactory([this, failAt, width](const QString&, const QString&) {
            auto t = std::make_unique<ImageTarget>(failAt, width);
            target = t->job;
            return t;
        });
        Accept();
        int result = PrintChart(nullptr, &view);
        SetPrintTargetFactory(nullptr);
        return result;
    }
    // What PrintPage draws for one page of the example on the image target.
    QImage ExpectedPage(int start, int firstRoll) {
        ImageTarget t;
        QFontMetrics metrics(QFont(), &t.job->blank);
        int LW = metrics.horizontalAdvance(QString::fromLatin1(PRINT_LABEL_TEMPLATE));
        int LH = metrics.height();
        int count = 0;
        uint32_t flags = 0;
        auto rows = RetrieveChart(&view, &count, &flags);
        int spr = PrintSamplesPerRoll(PrintPlotWidth(827, LW), Settings.printMagnification);
        PrintVerticalRange r =
            ChoosePrintRange(Settings.printFlags, GetChartMax(&view, 0),
                             GetChartMax(&view, 0) - GetChartMin(&view, 0), GetChartMax(&view, 1),
                             GetChartMin(&view, 1), Settings.printRange);
        QImage page = t.job->blank;
        QPainter painter(&page);
        PrintPage(painter, 827, 1169, LW, LH, spr, r.bottom, r.top, firstRoll, &start, count, rows,
                  GetPeakMode(&view), flags);
        return page;
    }
    bool Logged(const std::string& line) {
        for (const std::string& l : LogLines())
            if (l == line) return true;
        return false;
    }

    QTemporaryDir dir;
    std::vector<QTimer*> timers;
    HeadlessViewerHost host{1000, {800, 300}, {800, 60}};
    ChartView view{&host};
    std::shared_ptr<Job> target;
};

} // namespace

TEST_F(PrintingTest, DialogShowsTheDefaults) {
    bool seen = false;
    OnDialog([&seen](QDialog* d) {
        seen = true;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("印刷設定"));
        EXPECT_EQ(Find<QPushButton>(d, "okButton")->text(), QStringLiteral("OK"));
        EXPECT_EQ(Find<QComboBox>(d, "printerCombo")->currentText(), QStringLiteral("Office"));
        EXPECT_EQ(Find<QComboBox>(d, "printerCombo")->count(), 2);
        EXPECT_TRUE(Find<QRadioButton>(d, "wholeButton")->isChecked());
        EXPECT_TRUE(Find<QRadioButton>(d, "roll4Button")->isChecked());
        EXPECT_EQ(Find<QRadioButton>(d, "roll4Button")->text(), QStringLiteral("4面"));
        EXPECT_TRUE(Find<QCheckBox>(d, "dataCheck")->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(d, "smoothedCheck")->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(d, "peaksCheck")->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(d, "allPeaksCheck")->isChecked());
        EXPECT_EQ(Find<QComboBox>(d, "magnificationCombo")->currentText(),
                  QStringLiteral("チャート"));
        EXPECT_EQ(Find<QComboBox>(d, "magnificationCombo")->count(), 8);
        EXPECT_EQ(Find<QComboBox>(d, "rangeCombo")->currentText(), QStringLiteral("チャート"));
        EXPECT_EQ(Find<QComboBox>(d, "rangeCombo")->count(), 16);
        Find<QCheckBox>(d, "allPeaksCheck")->setChecked(true);
        Find<QPushButton>(d, "cancelButton")->click();
    });
    EXPECT_EQ(PrinterSettings(nullptr, 0), 0);
    EXPECT_TRUE(seen);
    EXPECT_EQ(Settings.printFlags, PRINT_DEFAULT_FLAGS); // cancel stores nothing
    EXPECT_TRUE(PrinterName.empty());
}

TEST_F(PrintingTest, DialogStoresTheChoices) {
    Settings.printFlags |= PRINT_BLANK_FIRST;
    OnDialog([](QDialog* d) {
        Find<QComboBox>(d, "printerCombo")->setCurrentIndex(1);
        Find<QRadioButton>(d, "aroundButton")->setChecked(true);
        Find<QRadioButton>(d, "roll6Button")->setChecked(true);
        Find<QCheckBox>(d, "dataCheck")->setChecked(false);
        Find<QCheckBox>(d, "smoothedCheck")->setChecked(true);
        Find<QCheckBox>(d, "allPeaksCheck")->setChecked(true);
        Find<QComboBox>(d, "magnificationCombo")->setCurrentText(QStringLiteral("×0.5"));
        Find<QComboBox>(d, "rangeCombo")->setCurrentText(QStringLiteral("5mV"));
        Find<QPushButton>(d, "okButton")->click();
    });
    EXPECT_EQ(PrinterSettings(nullptr, 0), 1);
    EXPECT_EQ(QString::fromStdString(PrinterName), PDF_PRINTER_NAME);
    EXPECT_EQ(Settings.printRoll, 6);
    EXPECT_EQ(Settings.printFlags,
              PRINT_SMOOTHED | PRINT_PEAKS | PRINT_ALL_PEAKS | PRINT_BLANK_FIRST);
    EXPECT_EQ(Settings.printMagnification, 0.5);
    EXPECT_EQ(Settings.printRange, 0.005);

    // Reopened from printing: the fixed choices show, the last printer is preselected.
    OnDialog([](QDialog* d) {
        EXPECT_EQ(Find<QPushButton>(d, "okButton")->text(), QStringLiteral("印刷開始"));
        EXPECT_EQ(Find<QComboBox>(d, "printerCombo")->currentText(), PDF_PRINTER_NAME);
        EXPECT_TRUE(Find<QRadioButton>(d, "aroundButton")->isChecked());
        EXPECT_EQ(Find<QComboBox>(d, "magnificationCombo")->currentText(), QStringLiteral("×0.5"));
        EXPECT_EQ(Find<QComboBox>(d, "rangeCombo")->currentText(), QStringLiteral("5mV"));
        Find<QComboBox>(d, "rangeCombo")->setCurrentText(QStringLiteral("全体"));
        Find<QPushButton>(d, "okButton")->click();
    });
    EXPECT_EQ(PrinterSettings(nullptr, 1), 1);
    EXPECT_EQ(Settings.printFlags & (PRINT_FULL_RANGE | PRINT_VIEW_RANGE), PRINT_FULL_RANGE);
}

TEST_F(PrintingTest, DialogFallsBackToChartForUnlistedValues) {
    Settings.printFlags = PRINT_DATA | PRINT_VIEW_MAG; // fixed range, chart magnification
    Settings.printRange = 0.002;
    Settings.printMagnification = 3.0;
    Settings.printRoll = 9;
    OnDialog([](QDialog* d) {
        EXPECT_EQ(Find<QComboBox>(d, "rangeCombo")->currentText(), QStringLiteral("2mV"));
        EXPECT_EQ(Find<QComboBox>(d, "magnificationCombo")->currentText(),
                  QStringLiteral("チャート"));
        for (const char* name : {"roll1Button", "roll2Button", "roll3Button", "roll4Button",
                                 "roll5Button", "roll6Button"})
            EXPECT_FALSE(Find<QRadioButton>(d, name)->isChecked()) << name;
        Find<QPushButton>(d, "okButton")->click();
    });
    EXPECT_EQ(PrinterSettings(nullptr, 0), 1);
    EXPECT_EQ(Settings.printRoll, 1);
    EXPECT_EQ(Settings.printRange, 0.002);

    Settings.printFlags &= ~PRINT_VIEW_MAG; // 3.0 matches no row: "チャート" shows and is kept
    Accept();
    EXPECT_EQ(PrinterSettings(nullptr, 0), 1);
    EXPECT_TRUE(Settings.printFlags & PRINT_VIEW_MAG);
}

TEST_F(PrintingTest, PreselectsTheDefaultThenTheLastPrinter) {
    std::vector<PrinterEntry> list{{"A", false}, {"B", false}, {"C", false}};
    EXPECT_EQ(PreselectPrinter(list, QString()), 0);
    EXPECT_EQ(PreselectPrinter(list, QStringLiteral("C")), 2);
    EXPECT_EQ(PreselectPrinter(list, QStringLiteral("c")), 0); // names match exactly
    list[1].isDefault = true;
    EXPECT_EQ(PreselectPrinter(list, QStringLiteral("C")), 1);
    EXPECT_EQ(PreselectPrinter({}, QString()), -1);
}

TEST_F(PrintingTest, NoPrinterIsReported) {
    SetPrinterListHook([] { return std::vector<PrinterEntry>{}; });
    PrinterName = "Office";
    QString text, title;
    auto* timer = new QTimer();
    timers.push_back(timer);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer->stop();
        text = box->text();
        title = box->windowTitle();
        box->accept();
    });
    timer->start();
    EXPECT_EQ(PrinterSettings(nullptr, 1), 0);
    EXPECT_EQ(title, QStringLiteral("Vortan"));
    EXPECT_EQ(text,
              QStringLiteral("プリンタがつながれていません。印刷をするには、プリンタをつなぎ、"
                             "インストールをしなければなりません。"));
    EXPECT_TRUE(PrinterName.empty());
}

TEST_F(PrintingTest, PrintsTheWholeChart) {
    LoadExample();
    Settings.printFlags = PRINT_DATA | PRINT_PEAKS | PRINT_FULL_RANGE | PRINT_WHOLE;
    Settings.printMagnification = 0.5;
    Settings.printRoll = 2;
    EXPECT_EQ(PrintToImages(), 1);
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->ended);
    EXPECT_EQ(target->docName, QStringLiteral("run3-peaks.spl"));
    QFontMetrics metrics(QFont(), &target->blank);
    int spr = PrintSamplesPerRoll(
        PrintPlotWidth(827, metrics.horizontalAdvance(QString::fromLatin1(PRINT_LABEL_TEMPLATE))),
        0.5);
    int pages = PrintPageCount(6000, spr, 2);
    ASSERT_EQ(static_cast<int>(target->pages.size()), pages);
    ASSERT_GE(pages, 2);
    EXPECT_EQ(Differences(target->pages[0], ExpectedPage(0, 1)), 0);
    EXPECT_EQ(Differences(target->pages[1], ExpectedPage(2 * spr, 3)), 0);
    // For a look at a printed page: VORTAN_PRINT_SNAPSHOT names a PNG file to write.
    if (const char* snapshot = std::getenv("VORTAN_PRINT_SNAPSHOT"))
        target->pages[0].save(QString::fromLocal8Bit(snapshot));
    EXPECT_TRUE(Logged("PrintChart: max=" + FormatE(GetChartMax(&view, 1)) + ", min=" +
                       FormatE(GetChartMin(&view, 1)) + ", nroll=2, npg=" + std::to_string(pages)));
}

TEST_F(PrintingTest, PrintsOnePageAroundTheView) {
    LoadExample();
    SetViewPosition(&view, 1500, GetChartMax(&view, 0));
    Settings.printFlags = PRINT_DATA | PRINT_PEAKS | PRINT_VIEW_MAG | PRINT_VIEW_RANGE;
    EXPECT_EQ(PrintToImages(), 1);
    EXPECT_EQ(Settings.printMagnification, GetMagnification(&view)); // copied from the viewer
    ASSERT_EQ(target->pages.size(), 1u);
    EXPECT_EQ(Differences(target->pages[0], ExpectedPage(1500, 1)), 0);
}

TEST_F(PrintingTest, BlankFirstPageShiftsTheRollNumbers) {
    LoadExample();
    Settings.printFlags = PRINT_DATA | PRINT_PEAKS | PRINT_VIEW_RANGE | PRINT_BLANK_FIRST;
    Settings.printMagnification = 1.0;
    EXPECT_EQ(PrintToImages(), 1);
    ASSERT_EQ(target->pages.size(), 2u);
    EXPECT_EQ(Differences(target->pages[0], target->blank), 0);
    EXPECT_EQ(Differences(target->pages[1], ExpectedPage(0, 5)), 0);
}

TEST_F(PrintingTest, PrinterFailingAtTheSecondPageAbandonsTheJob) {
    LoadExample();
    Settings.printFlags = PRINT_DATA | PRINT_VIEW_RANGE | PRINT_WHOLE;
    Settings.printMagnification = 1.0;
    EXPECT_EQ(PrintToImages(1), 1);
    EXPECT_EQ(target->pages.size(), 1u);
    EXPECT_TRUE(target->abandoned);
    EXPECT_FALSE(target->ended);
    EXPECT_TRUE(Logged("Abort at StartPage"));
    EXPECT_TRUE(Logged("PrintChart: Printing is aborted with 'paper jam'"));
}

TEST_F(PrintingTest, RefusesWithoutDataOrUsableSettings) {
    EXPECT_EQ(PrintToImages(), 0); // no chart
    EXPECT_TRUE(Logged("PrintChart: Data not ready."));
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->pages.empty());

    LoadExample();
    ASSERT_EQ(SetChartMode(&view, CHART_MODE_BASE, 0, 0, 0, 100, 0.0), 1);
    ResetLogLines(0);
    EXPECT_EQ(PrintToImages(), 0); // a peak is being set
    EXPECT_TRUE(Logged("PrintChart: Data not ready."));
    SetChartMode(&view, CHART_MODE_VIEW, 1, 0, 0, 0, 0.0);

    // Ten dots per sample on a page whose rolls are narrower than ten dots.
    Settings.printFlags = PRINT_DATA | PRINT_WHOLE | PRINT_VIEW_RANGE;
    Settings.printMagnification = 10.0;
    ImageTarget probe;
    QFontMetrics metrics(QFont(), &probe.job->blank);
    int narrow = metrics.horizontalAdvance(QString::fromLatin1(PRINT_LABEL_TEMPLATE)) + 12 + 9;
    EXPECT_EQ(PrintToImages(-1, narrow), 0);
    EXPECT_TRUE(target->pages.empty());
    EXPECT_TRUE(Logged("PrintChart: Print settings out of range."));

    // Cancelling the dialog prints nothing and makes no target.
    target = nullptr;
    SetPrintTargetFactory([this](const QString&, const QString&) {
        auto t = std::make_unique<ImageTarget>();
        target = t->job;
        return t;
    });
    OnDialog([](QDialog* d) { Find<QPushButton>(d, "cancelButton")->click(); });
    EXPECT_EQ(PrintChart(nullptr, &view), 0);
    EXPECT_EQ(target, nullptr);
}

TEST_F(PrintingTest, PrintsIntoAPdfFile) {
    LoadExample();
    SetPrinterListHook([] { return std::vector<PrinterEntry>{{PDF_PRINTER_NAME, false}}; });
    const QString pdf = QDir(dir.path()).filePath(QStringLiteral("out.pdf"));
    QString proposed;
    SetPdfPathHook([&](QWidget*, const QString& name) -> std::optional<QString> {
        proposed = name;
        return pdf;
    });
    Settings.printFlags = PRINT_DATA | PRINT_PEAKS | PRINT_VIEW_RANGE | PRINT_WHOLE;
    Settings.printMagnification = 1.0;
    Settings.printRoll = 1;
    Accept();
    EXPECT_EQ(PrintChart(nullptr, &view), 1);
    EXPECT_EQ(proposed, QStringLiteral("run3-peaks.pdf"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // A4 at 1200 dots per inch leaves one roll of far more than 6000 dots: one page.
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QStringList{QStringLiteral("*.pdf")}, QDir::Hidden | QDir::Files),
              QStringList{QStringLiteral("out.pdf")}); // no temporary left behind

    // A folder that does not exist: the file cannot be made.
    SetPdfPathHook([&](QWidget*, const QString&) -> std::optional<QString> {
        return QDir(dir.path()).filePath(QStringLiteral("missing/out.pdf"));
    });
    Accept();
    EXPECT_EQ(PrintChart(nullptr, &view), 0);
    EXPECT_TRUE(Logged("PrintChart: Context can't be created."));
}

TEST_F(PrintingTest, DetailsOpenThePageSetupOfTheChosenPrinter) {
    bool opened = false;
    bool stillOpen = false;
    OnDialog([this, &opened, &stillOpen](QDialog* d) {
        // "Office" is not installed here: its properties cannot be had, nothing opens.
        Find<QPushButton>(d, "detailButton")->click();
        stillOpen = QApplication::activeModalWidget() == d;
        Find<QComboBox>(d, "printerCombo")->setCurrentText(PDF_PRINTER_NAME);
        auto* timer = new QTimer();
        timers.push_back(timer);
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [timer, d, &opened] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == d) return;
            timer->stop();
            opened = qobject_cast<QDialog*>(modal) != nullptr;
            qobject_cast<QDialog*>(modal)->reject();
            QTimer::singleShot(0, d, [d] { Find<QPushButton>(d, "cancelButton")->click(); });
        });
        timer->start();
        Find<QPushButton>(d, "detailButton")->click();
    });
    EXPECT_EQ(PrinterSettings(nullptr, 0), 0);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(opened);
}
