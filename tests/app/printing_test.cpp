// Printing as a user meets it: the printer settings dialog, whole print jobs of the example chart
// into images (pages, a printer failing midway, refusals), into a PDF file, and to a print
// system's scheduler that the test runs itself.
#include "app/printing/printer_settings_dialog.h"
#include "app/printing/printing.h"
#include "chart/number_format.h"
#include "chart/spl_io.h"
#include "support/app_test_support.h"
#include "support/log_capture.h"
#include "viewer/headless_host.h"
#include "views/print_page.h"

#include <QFontMetrics>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QThread>
#include <cups/cups.h>

#include <grp.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

using apptest::Child;

// What a print job left: its pages as images and how it ended.
struct Job {
    QImage blank;
    std::vector<QImage> pages;
    QString docName;
    bool ended = false;
    bool abandoned = false;
};

// Pages of width x height dots (A4 at 100 dots per inch unless told) kept as images in a Job that
// outlives the target; StartPage of page failAt fails.
class ImageTarget : public PrintTarget {
  public:
    explicit ImageTarget(int failAt = -1, int width = 827, int height = 1169,
                         int dotsPerMeter = 3937)
        : job(std::make_shared<Job>()), failAt(failAt) {
        job->blank = QImage(width, height, QImage::Format_RGB32);
        job->blank.setDotsPerMeterX(dotsPerMeter);
        job->blank.setDotsPerMeterY(dotsPerMeter);
        job->blank.fill(Qt::white);
    }
    QPaintDevice* Device() override { return &job->blank; }
    bool StartDoc(const QString& name) override {
        job->docName = name;
        return true;
    }
    bool StartPage(int page) override {
        current = job->blank;
        return page != failAt && painter.begin(&current);
    }
    QPainter& Painter() override { return painter; }
    bool EndPage(int) override {
        painter.end();
        job->pages.push_back(current);
        return true;
    }
    bool EndDoc() override { return job->ended = true; }
    void Abandon() override { job->abandoned = true; }
    QString ErrorText() const override { return QStringLiteral("paper jam"); }

    std::shared_ptr<Job> job;
    QImage current;
    QPainter painter;
    int failAt;
};

// A print scheduler of the test's own: cupsd with its configuration, spool, logs and socket in a
// scratch folder, with the queue QUEUE writing every job it prints to Printed(). This process's
// print client is pointed at it until the object goes, which stops the scheduler. Never the
// machine's own scheduler: no socket or port of its.
class ScratchScheduler {
  public:
    static constexpr const char* QUEUE = "VortanTest";

    ~ScratchScheduler() {
        cupsSetServer(nullptr);
        if (cupsd.state() == QProcess::NotRunning) return;
        cupsd.terminate();
        if (!cupsd.waitForFinished(10000)) cupsd.kill();
        cupsd.waitForFinished(5000);
    }
    static QString Tool(const char* name) {
        return QStandardPaths::findExecutable(
            QString::fromLatin1(name), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
    }
    // Empty once the scheduler runs with its queue; otherwise what went wrong.
    QString Start() {
        // Run as root, the scheduler runs its filter as lp: the folder must let lp in.
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        for (const char* sub : {"spool/tmp", "cache", "state", "log"})
            QDir(dir.path()).mkpath(QString::fromLatin1(sub));
        address = Path("cups.sock");
        const group* g = getgrgid(getgid());
        Write("cups-files.conf",
              QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                             "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
                             "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                             "FileDevice Yes\nSystemGroup %2\n%3")
                  .arg(dir.path(), QString::fromLocal8Bit(g ? g->gr_name : "root"),
                       getuid() == 0 ? QStringLiteral("User lp\nGroup lp\n") : QString()));
        Write("cupsd.conf", QStringLiteral("Listen %1\nBrowsing No\nDefaultAuthType None\n"
                                           "<Location />\nOrder allow,deny\nAllow from localhost\n"
                                           "</Location>\n<Policy default>\n<Limit All>\n"
                                           "Order deny,allow\n</Limit>\n</Policy>\n")
                                .arg(address));
        // The queue's one filter passes the PDF through to the queue's file.
        Write("pass.sh", QStringLiteral("#!/bin/sh\nexec cat $6\n"), 0755);
        Write(
            "queue.ppd",
            QStringLiteral("*PPD-Adobe: \"4.3\"\n*ModelName: \"Test\"\n*NickName: \"Test\"\n"
                           "*cupsFilter2: \"application/pdf application/vnd.cups-pdf 0 %1\"\n"
                           "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n"
                           "*PageSize A4: \"\"\n*CloseUI: *PageSize\n"
                           "*ImageableArea A4: \"18 36 577 806\"\n*PaperDimension A4: \"595 842\"\n"
                           "*DefaultResolution: 300dpi\n")
                .arg(Path("pass.sh")));
        cupsd.start(Tool("cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), Path("cupsd.conf"),
                                    QStringLiteral("-s"), Path("cups-files.conf")});
        // The queue can be added once the scheduler answers.
        bool added = false;
        for (int i = 0; i < 100 && !added && cupsd.waitForStarted(10000); ++i) {
            added = Run("lpadmin",
                        {QStringLiteral("-p"), QString::fromLatin1(QUEUE), QStringLiteral("-v"),
                         QStringLiteral("file://") + Path("printed.pdf"), QStringLiteral("-P"),
                         Path("queue.ppd"), QStringLiteral("-E")});
            if (!added) QThread::msleep(100);
        }
        if (!added)
            return QStringLiteral("the scheduler takes no queue: ") +
                   QString::fromLocal8Bit(cupsd.readAll());
        cupsSetServer(address.toUtf8().constData());
        return QString();
    }
    // Runs a print system tool against this scheduler in untranslated words; true on success.
    bool Run(const char* tool, const QStringList& arguments) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        p.setProcessEnvironment(env);
        p.start(Tool(tool), QStringList{QStringLiteral("-h"), address} + arguments);
        const bool done = p.waitForFinished(10000);
        return done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    // What the queue printed, once the whole job has passed (waiting a while for it).
    QByteArray Printed() const {
        for (int i = 0; i < 100; ++i, QThread::msleep(100)) {
            QFile f(Path("printed.pdf"));
            const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            if (bytes.contains("%%EOF")) return bytes;
        }
        return QByteArray();
    }

  private:
    QString Path(const char* name) const {
        return QDir(dir.path()).filePath(QString::fromLatin1(name));
    }
    void Write(const char* name, const QString& text, mode_t mode = 0644) {
        QFile f(Path(name));
        if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
        ::chmod(QFile::encodeName(f.fileName()).constData(), mode);
    }

    QTemporaryDir dir;
    QProcess cupsd;
    QString address;
};

class PrintingTest : public apptest::AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        Settings = SettingsRecord{};
        PrinterName.clear();
        SetPrinterListHook([] {
            return std::vector<PrinterEntry>{{QStringLiteral("Office"), false},
                                             {PDF_PRINTER_NAME, false}};
        });
        ChartBaseName = "run3-peaks.spl";
    }
    void TearDown() override {
        SetPrinterListHook(nullptr);
        SetPrintTargetFactory(nullptr);
        SetPdfPathHook(nullptr);
        AppTest::TearDown();
    }

    // The print settings a job starts from.
    static void Use(uint32_t flags, double magnification, int rolls) {
        Settings.printFlags = flags;
        Settings.printMagnification = magnification;
        Settings.printRoll = rolls;
    }
    // Runs act on the next printer settings dialog that opens.
    void OnPrinterDialog(std::function<void(QDialog*)> act) {
        OnDialog<QDialog>([act](QDialog* d) {
            if (d->objectName() != QStringLiteral("PrinterSettingsDialog")) return false;
            act(d);
            return true;
        });
    }
    void Press(const char* button) {
        OnPrinterDialog([button](QDialog* d) { Child<QPushButton>(d, button)->click(); });
    }

    void LoadExample() {
        SplChart header;
        auto rows = ReadSplData(VORTAN_EXAMPLES "/run3-peaks.spl", header);
        ASSERT_TRUE(rows.has_value());
        ASSERT_EQ(SetChart(&view, std::move(*rows), header.flags, 2), 1);
    }
    // Prints into images, the dialog left unchanged and closed with button.
    int PrintToImages(int failAt = -1, int width = 827, int height = 1169, int dotsPerMeter = 3937,
                      const char* button = "okButton") {
        target = nullptr;
        SetPrintTargetFactory([=, this](const QString&, const QString&) {
            auto t = std::make_unique<ImageTarget>(failAt, width, height, dotsPerMeter);
            target = t->job;
            return t;
        });
        Press(button);
        int result = PrintChart(nullptr, &view);
        SetPrintTargetFactory(nullptr);
        return result;
    }
    LogCapture log;
    HeadlessViewerHost host{1000, {800, 300}, {800, 60}};
    ChartView view{&host};
    std::shared_ptr<Job> target;
};

} // namespace

TEST_F(PrintingTest, DialogStoresTheChoicesAndShowsWhatNoRowLists) {
    Settings.printFlags |= PRINT_BLANK_FIRST;
    OnPrinterDialog([](QDialog* d) {
        Child<QComboBox>(d, "printerCombo")->setCurrentIndex(1);
        Child<QRadioButton>(d, "aroundButton")->setChecked(true);
        Child<QRadioButton>(d, "roll6Button")->setChecked(true);
        Child<QCheckBox>(d, "dataCheck")->setChecked(false);
        Child<QCheckBox>(d, "smoothedCheck")->setChecked(true);
        Child<QCheckBox>(d, "allPeaksCheck")->setChecked(true);
        Child<QComboBox>(d, "magnificationCombo")->setCurrentText(QStringLiteral("×0.5"));
        Child<QComboBox>(d, "rangeCombo")->setCurrentText(QStringLiteral("5mV"));
        Child<QPushButton>(d, "okButton")->click();
    });
    EXPECT_EQ(PrinterSettings(nullptr, 0), 1);
    EXPECT_EQ(QString::fromStdString(PrinterName), PDF_PRINTER_NAME);
    EXPECT_EQ(std::tuple(Settings.printRoll, Settings.printFlags, Settings.printMagnification,
                         Settings.printRange),
              std::tuple(6, PRINT_SMOOTHED | PRINT_PEAKS | PRINT_ALL_PEAKS | PRINT_BLANK_FIRST, 0.5,
                         0.005));

    // Reopened from printing: the fixed choices show, the last printer is preselected.
    OnPrinterDialog([](QDialog* d) {
        EXPECT_EQ(Child<QPushButton>(d, "okButton")->text(), QStringLiteral("印刷開始"));
        EXPECT_EQ(Child<QComboBox>(d, "printerCombo")->currentText(), PDF_PRINTER_NAME);
        EXPECT_EQ(Child<QComboBox>(d, "magnificationCombo")->currentText(), QStringLiteral("×0.5"));
        Child<QComboBox>(d, "rangeCombo")->setCurrentText(QStringLiteral("全体"));
        Child<QPushButton>(d, "okButton")->click();
    });
    EXPECT_EQ(PrinterSettings(nullptr, 1), 1);
    EXPECT_EQ(Settings.printFlags & (PRINT_FULL_RANGE | PRINT_VIEW_RANGE), PRINT_FULL_RANGE);

    // Values no row lists: the chart's magnification stands in and the roll count becomes 1.
    Use(PRINT_DATA, 3.0, 9);
    Settings.printRange = 0.002;
    OnPrinterDialog([](QDialog* d) {
        EXPECT_EQ(Child<QComboBox>(d, "rangeCombo")->currentText(), QStringLiteral("2mV"));
        EXPECT_EQ(Child<QComboBox>(d, "magnificationCombo")->currentText(),
                  QStringLiteral("チャート"));
        Child<QPushButton>(d, "okButton")->click();
    });
    EXPECT_EQ(PrinterSettings(nullptr, 0), 1);
    EXPECT_EQ(
        std::tuple(Settings.printRoll, Settings.printRange, Settings.printFlags & PRINT_VIEW_MAG),
        std::tuple(1, 0.002, PRINT_VIEW_MAG));

    // No printer at all: said, and the remembered name is dropped.
    SetPrinterListHook([] { return std::vector<PrinterEntry>{}; });
    EXPECT_EQ(Asked(QMessageBox::Ok, [] { EXPECT_EQ(PrinterSettings(nullptr, 1), 0); }),
              QStringLiteral("プリンタがつながれていません。印刷をするには、"
                             "プリンタをつなぎ、インストールをしなければなりません。"));
    EXPECT_TRUE(PrinterName.empty());
}

TEST_F(PrintingTest, PreselectsTheLastChoiceThenTheDefault) {
    std::vector<PrinterEntry> list{{"A", false}, {"B", false}, {"C", false}};
    EXPECT_EQ(PreselectPrinter(list, QStringLiteral("c")), 0); // names match exactly
    list[1].isDefault = true;
    EXPECT_EQ(PreselectPrinter(list, QStringLiteral("c")), 1);
    EXPECT_EQ(PreselectPrinter(list, QStringLiteral("C")), 2); // kept for the session
    EXPECT_EQ(PreselectPrinter({}, QString()), -1);
}

TEST_F(PrintingTest, JobsPrintEveryPageAndAPrinterFailingMidwayAbandonsTheJob) {
    LoadExample();
    Use(PRINT_DATA | PRINT_PEAKS | PRINT_FULL_RANGE | PRINT_WHOLE, 0.5, 2);
    EXPECT_EQ(PrintToImages(), 1);
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->ended);
    EXPECT_EQ(target->docName, QStringLiteral("run3-peaks.spl"));
    ASSERT_GE(target->pages.size(), 2u);
    EXPECT_NE(target->pages[0], target->blank);
    EXPECT_NE(target->pages[1], target->pages[0]);
    EXPECT_TRUE(log.Has("PrintChart: max=" + FormatE(GetChartMax(&view, 1)) +
                        ", min=" + FormatE(GetChartMin(&view, 1)) +
                        ", nroll=2, npg=" + std::to_string(target->pages.size())));

    // A blank first page, then the page around the view at the viewer's magnification.
    Settings.printFlags =
        PRINT_DATA | PRINT_PEAKS | PRINT_VIEW_RANGE | PRINT_VIEW_MAG | PRINT_BLANK_FIRST;
    EXPECT_EQ(PrintToImages(), 1);
    EXPECT_EQ(Settings.printMagnification, GetMagnification(&view));
    ASSERT_EQ(target->pages.size(), 2u);
    EXPECT_EQ(target->pages[0], target->blank);
    EXPECT_NE(target->pages[1], target->blank);

    Use(PRINT_DATA | PRINT_VIEW_RANGE | PRINT_WHOLE, 1.0, 2);
    EXPECT_EQ(PrintToImages(1), 1);
    EXPECT_EQ(target->pages.size(), 1u);
    EXPECT_TRUE(target->abandoned);
    EXPECT_FALSE(target->ended);
    EXPECT_TRUE(log.Has("Abort at StartPage"));
    EXPECT_TRUE(log.Has("PrintChart: Printing is aborted with 'paper jam'"));
}

TEST_F(PrintingTest, VoltageLabelsStayClearOfTheFrame) {
    // Negative volts with three-digit exponents, the widest labels there are, at 300 dots per inch.
    std::vector<SplSample> rows(3000);
    for (SplSample& s : rows)
        s.data = -2.0;
    rows[2000].data = -1.336398;
    rows[2500].data = -3.000085;
    ASSERT_EQ(SetChart(&view, ChartStore(rows), 0, 2), 1);
    Use(PRINT_DATA | PRINT_FULL_RANGE | PRINT_WHOLE, 1.0, 2);
    ASSERT_EQ(PrintToImages(-1, 1400, 1400, 11811), 1);
    ASSERT_FALSE(target->pages.empty());
    const QImage& page = target->pages[0];
    // The frames' left edge: the first column that is mostly ink; the first roll's top below it.
    auto ink = [&page](int x, int y) { return page.pixel(x, y) != qRgb(255, 255, 255); };
    int frame = -1, top = -1;
    for (int x = 0; x < page.width() && frame < 0; ++x) {
        int n = 0;
        for (int y = 0; y < page.height(); ++y)
            n += qGray(page.pixel(x, y)) < 128;
        if (n > page.height() / 2) frame = x;
    }
    ASSERT_GT(frame, 10);
    for (int y = 0; y < page.height() && top < 0; ++y)
        if (ink(frame, y)) top = y;
    // Labels left of the frame, and a clear gap between their ink and the frame on every row.
    int labels = 0, gap = 0;
    for (int y = top; y < page.height(); ++y) {
        for (int x = 0; x < frame - 8; ++x)
            labels += ink(x, y);
        for (int x = frame - 8; x < frame; ++x)
            gap += ink(x, y);
    }
    EXPECT_GT(labels, 0);
    EXPECT_EQ(gap, 0);
}

TEST_F(PrintingTest, RefusesWithoutDataOrUsableSettings) {
    // No chart: refused before a PDF file name is asked for; nothing is opened.
    PrinterName = PDF_PRINTER_NAME.toStdString();
    bool asked = false;
    SetPdfPathHook([&asked](QWidget*, const QString&) -> std::optional<QString> {
        asked = true;
        return std::nullopt;
    });
    EXPECT_EQ(PrintToImages(), 0);
    EXPECT_TRUE(log.Has("PrintChart: Data not ready."));
    EXPECT_FALSE(asked);
    EXPECT_EQ(target, nullptr);
    PrinterName.clear();

    LoadExample();
    ASSERT_EQ(SetChartMode(&view, CHART_MODE_BASE, 0, 0, 0, 100, 0.0), 1);
    log.lines.clear();
    EXPECT_EQ(PrintToImages(), 0); // a peak is being set
    EXPECT_TRUE(log.Has("PrintChart: Data not ready."));
    SetChartMode(&view, CHART_MODE_VIEW, 1, 0, 0, 0, 0.0);

    // Page set-ups without room for the rolls are refused before printing, saying what is wrong.
    Settings.printFlags = PRINT_DATA | PRINT_WHOLE | PRINT_VIEW_RANGE;
    ImageTarget probe;
    QFontMetrics metrics(QFont(), &probe.job->blank);
    const int columns = PrintLabelWidth(metrics) + 12, LH = metrics.height();
    struct Case {
        int width, height, rolls;
        double magnification;
        const char* says;
    } cases[] = {
        {columns + 9, 1169, 4, 10.0, "拡大率 10 ドット/サンプルではサンプルが1つも入りません"},
        {columns, 1169, 4, 1.0, "ロールの幅が1ドットに足りません"},
        {827, 2 * LH + 20 + 6 * (LH + 5), 6, 1.0,
         "6面のロールを並べると、1面の高さが1ドットに足りません"},
    };
    for (const Case& c : cases) {
        Settings.printRoll = c.rolls;
        Settings.printMagnification = c.magnification;
        log.lines.clear();
        const QString said = Asked(
            QMessageBox::Ok, [&] { EXPECT_EQ(PrintToImages(-1, c.width, c.height), 0) << c.says; });
        EXPECT_TRUE(target->pages.empty());
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.says))) << said.toStdString();
        EXPECT_TRUE(log.Has("PrintChart: No room for the rolls on the page."));
    }

    // Cancelling the dialog prints nothing and makes no target.
    EXPECT_EQ(PrintToImages(-1, 827, 1169, 3937, "cancelButton"), 0);
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
    Use(PRINT_DATA | PRINT_PEAKS | PRINT_VIEW_RANGE | PRINT_WHOLE, 1.0, 1);
    ChartFileName = QDir(dir.path()).filePath(QStringLiteral("runs/run3-peaks.spl")).toStdString();
    QMainWindow window;
    const auto print = [&] {
        Press("okButton");
        return PrintChart(&window, &view);
    };
    EXPECT_EQ(print(), 1);
    // Proposed: the chart's name in the chart's folder. Said: where the file went.
    EXPECT_EQ(proposed, QDir(dir.path()).filePath(QStringLiteral("runs/run3-peaks.pdf")));
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("PDFファイルへ出力しました: ") + pdf);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // A4 at 1200 dots per inch leaves one roll of far more than 6000 dots: one page.
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QStringList{QStringLiteral("*.pdf")}, QDir::Hidden | QDir::Files),
              QStringList{QStringLiteral("out.pdf")}); // no temporary left behind

    // A new file gets 0666 less the umask; a replaced file keeps its mode.
    struct stat st;
    const mode_t oldMask = ::umask(027);
    QFile::remove(pdf);
    EXPECT_EQ(print(), 1);
    ASSERT_EQ(::stat(QFile::encodeName(pdf).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    ::chmod(QFile::encodeName(pdf).constData(), 0604);
    EXPECT_EQ(print(), 1);
    ASSERT_EQ(::stat(QFile::encodeName(pdf).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
    ::umask(oldMask);

    // A folder that does not exist: the file cannot be made.
    SetPdfPathHook([&](QWidget*, const QString&) -> std::optional<QString> {
        return QDir(dir.path()).filePath(QStringLiteral("missing/out.pdf"));
    });
    EXPECT_EQ(print(), 0);
    EXPECT_TRUE(log.Has("PrintChart: Context can't be created."));
}
TEST_F(PrintingTest, JobsReachARealSchedulerAndItsRefusalIsReported) {
    if (ScratchScheduler::Tool("cupsd").isEmpty() || ScratchScheduler::Tool("lpadmin").isEmpty())
        GTEST_SKIP() << "cupsd or lpadmin is not installed (packages cups-daemon, cups-client)";
    ScratchScheduler cups;
    const QString failure = cups.Start();
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    SetPrinterListHook(nullptr); // the queues the scheduler lists
    LoadExample();
    Use(PRINT_DATA | PRINT_VIEW_RANGE | PRINT_WHOLE, 1.0, 4);
    QMainWindow frame;
    auto print = [&] {
        OnPrinterDialog([](QDialog* d) {
            auto* printers = Child<QComboBox>(d, "printerCombo");
            printers->setCurrentText(QString::fromLatin1(ScratchScheduler::QUEUE));
            const bool listed = printers->currentText() == QLatin1String(ScratchScheduler::QUEUE);
            Child<QPushButton>(d, listed ? "okButton" : "cancelButton")->click();
        });
        return PrintChart(&frame, &view);
    };
    auto status = [&frame] { return frame.statusBar()->currentMessage().toStdString(); };
    EXPECT_EQ(print(), 1);
    EXPECT_EQ(status(), "印刷ジョブを送りました: VortanTest (ジョブ 1)");
    EXPECT_TRUE(cups.Printed().startsWith("%PDF"));

    // Taken by a stopped queue: the job waits, and the status bar says so.
    ASSERT_TRUE(cups.Run("cupsdisable", {QStringLiteral("-r"), QStringLiteral("cover open"),
                                         QString::fromLatin1(ScratchScheduler::QUEUE)}));
    EXPECT_EQ(print(), 1);
    EXPECT_EQ(status(),
              "印刷ジョブを送りました: VortanTest (ジョブ 2) - プリンタは停止中です: cover open");

    // Refused: the message gives the print system's reason; nothing claims to have printed.
    ASSERT_TRUE(cups.Run("cupsreject", {QStringLiteral("-r"), QStringLiteral("out of paper"),
                                        QString::fromLatin1(ScratchScheduler::QUEUE)}));
    frame.statusBar()->clearMessage();
    const std::string text = Asked(QMessageBox::Ok, [&] { EXPECT_EQ(print(), 1); }).toStdString();
    EXPECT_EQ(text.rfind("印刷を完了できませんでした。\n", 0), 0u) << text;
    EXPECT_NE(text.find("VortanTest"), std::string::npos) << text; // the scheduler's own words
    EXPECT_NE(text.find("out of paper"), std::string::npos) << text;
    EXPECT_EQ(status(), "");
}
