#include "app/main_window.h"
#include "app/panels.h"

#include "app/chart_commands.h"
#include "app/command_table.h"
#include "app/edit_commands.h"
#include "app/startup.h"
#include "app/status_parts.h"
#include "app/tooltips.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "viewer/edit_history.h"
#include "views/chart_viewer_widget.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include <algorithm>

VortanMain* MainWindow = nullptr;

static void InitVortanResources() {
    static bool done = false;
    if (!done) Q_INIT_RESOURCE(vortan);
    done = true;
}

VortanMain::VortanMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Vortan: No data"));
    setObjectName(QStringLiteral("vortanmain"));
    InitVortanResources();
    setWindowIcon(QIcon(QStringLiteral(":/vortan.png")));
    InstallRowErrorHandler();

    int width = Settings.windowWidth > 0 ? Settings.windowWidth : 640;
    int height = Settings.windowHeight > 0 ? Settings.windowHeight : 400;
    resize(width, height);
    if (Settings.windowX != CW_USEDEFAULT && Settings.windowY != CW_USEDEFAULT)
        move(Settings.windowX, Settings.windowY);

    BuildMenus();
    BuildStatusBar(width);

    viewerWidget = new ChartViewerWidget(this, 101);
    setCentralWidget(viewerWidget);
    connect(
        viewerWidget, &ChartViewerWidget::notify, this,
        [this](int code) { DispatchCommand(this, 101, code); }, Qt::QueuedConnection);

    setAcceptDrops(true);
    ApplyAxesSetting(this);

    if (Settings.detectPeaks) SetPeakDetector(view(), ThresholdDetector, nullptr);
    // The cursor pad and the information panel when the settings ask for them.
    OpenStartupPanels(this);

    MainWindow = this;

    // Once the window is shown: first the command-line file, then maximising.
    if (ChartFileName)
        QMetaObject::invokeMethod(
            this, [this] { DispatchCommand(this, 107); }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (Settings.maximize) showMaximized();
        },
        Qt::QueuedConnection);
}

VortanMain::~VortanMain() {
    if (MainWindow == this) MainWindow = nullptr;
}

ChartView* VortanMain::view() const {
    return viewerWidget ? viewerWidget->view() : nullptr;
}

void VortanMain::BuildStatusBar(int clientWidth) {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("status106"));
    bar->setSizeGripEnabled(false);
    // The parts are measured in average character widths. A voltage part is never narrower than
    // the widest voltage text, so that a value such as "-1.234567E-003" shows whole whatever the
    // font's proportions.
    const QFontMetrics metrics = bar->fontMetrics();
    const int charWidth = std::max(1, metrics.averageCharWidth());
    const int voltsWidth = metrics.horizontalAdvance(QStringLiteral("-8.888888E-888")) + 8;
    partCount = StatusPartCount(clientWidth, charWidth);
    // The parts sit side by side without gaps, as the boundaries say.
    auto* parts = new QWidget(bar);
    auto* row = new QHBoxLayout(parts);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int k = 0; k < STATUS_PARTS; ++k) {
        auto* label = new QLabel(parts);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(2);
        label->setToolTip(StatusPartToolTip(k));
        statusLabels[k] = label;
        if (partCount == 0) {
            // The single default part.
            if (k == 0) {
                row->addWidget(label, 1);
            } else {
                label->hide();
            }
            continue;
        }
        if (k < partCount) {
            // The part's text area plus the label's frame and indent.
            int partWidth = STATUS_PART_CHARS[k] * charWidth + 2 * label->frameWidth() + 4;
            if (k % 3 == 2) partWidth = std::max(partWidth, voltsWidth);
            label->setFixedWidth(partWidth);
            row->addWidget(label);
        } else {
            label->hide();
        }
    }
    if (partCount > 0) row->addStretch(1);
    bar->addWidget(parts, 1);
    statusLabels[0]->setText(QStringLiteral("No Data"));
}

QString VortanMain::statusText(int part) const {
    if (part < 0 || part >= STATUS_PARTS) return QString();
    return statusLabels[part]->text();
}

void VortanMain::SetStatusTexts(const QStringList& texts) {
    for (int k = 0; k < STATUS_PARTS && k < texts.size(); ++k)
        statusLabels[k]->setText(texts[k]);
}

QAction* VortanMain::actionFor(unsigned command) const {
    auto it = actions.find(command);
    return it == actions.end() ? nullptr : it->second;
}

void VortanMain::SyncCheckMarks() {
    for (const RangeRow* row = RangeTable; row->command != 0; ++row)
        if (QAction* a = actionFor(row->command)) a->setChecked(row->command == checkedRange);
    if (QAction* a = actionFor(RANGE_FULL_HEIGHT)) a->setChecked(checkedRange == RANGE_FULL_HEIGHT);
    if (QAction* a = actionFor(40036)) a->setChecked(checkedPeakMode == 0);
    if (QAction* a = actionFor(40037)) a->setChecked(checkedPeakMode == 1);
}

bool VortanMain::chartModified() const {
    // Peaks, smoothing and the header keep an edit history: undone back to the saved state, the
    // chart counts as unchanged.
    return otherChange || EditsModified(view());
}

void VortanMain::MarkChartSaved() {
    MarkEditsSaved(view());
    otherChange = false;
}

bool VortanMain::ConfirmDiscardChanges() {
    if (!chartModified()) return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vortan"),
                    QStringLiteral("チャートが変更されています。保存しますか？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveCurrentChart(this, false) == SAVE_DONE;
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void VortanMain::HandleDroppedFiles(const QStringList& files) {
    if (files.size() == 1) {
        if (ConfirmDiscardChanges()) DropLoadChart(this, files.front());
    } else if (files.size() > 1) {
        QMessageBox::warning(this, QStringLiteral("Vortan"),
                             QStringLiteral("ドロップできるファイルは一度に1個のみです。"));
    }
    show();
}

void VortanMain::dragEnterEvent(QDragEnterEvent* event) {
    if (MainWindow == this && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void VortanMain::dropEvent(QDropEvent* event) {
    if (MainWindow != this || !event->mimeData()->hasUrls()) return;
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    event->acceptProposedAction();
    // Questions and loading wait until the drag has ended.
    QMetaObject::invokeMethod(
        this, [this, files] { HandleDroppedFiles(files); }, Qt::QueuedConnection);
}

void VortanMain::closeEvent(QCloseEvent* event) {
    if (!finished && !ConfirmDiscardChanges()) {
        event->ignore();
        return;
    }
    Finish();
    event->accept();
}

void VortanMain::Finish() {
    if (finished) return;
    finished = true;
    if (Settings.savePosition) {
        Settings.windowX = x();
        Settings.windowY = y();
        Settings.windowWidth = width();
        Settings.windowHeight = height();
    }
    if (MainWindow == this) MainWindow = nullptr;
    setAcceptDrops(false);
    CloseHelp();
    SaveSetup(SettingsFilePath());
    emit closed();
}

int Quit(VortanMain* main, int, const void*) {
    if (main) main->close();
    return 1;
}
