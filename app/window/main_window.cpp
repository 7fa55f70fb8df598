#include "app/window/main_window.h"
#include "app/panels/panels.h"

#include "app/commands/chart_commands.h"
#include "app/commands/edit_commands.h"
#include "app/window/command_table.h"
#include "app/window/language.h"
#include "app/window/screen_fit.h"
#include "app/window/startup.h"
#include "app/window/status_parts.h"
#include "app/window/tooltips.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "viewer/edit_history.h"
#include "views/chart_viewer_widget.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
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

    // Position and size from the settings, kept on a screen with room for the frame.
    constexpr int FRAME_WIDTH = 16, FRAME_HEIGHT = 48;
    const bool placed = Settings.windowX != CW_USEDEFAULT && Settings.windowY != CW_USEDEFAULT;
    const QRect fit = FitOnScreen(placed ? Settings.windowX : 0, placed ? Settings.windowY : 0,
                                  (Settings.windowWidth > 0 ? Settings.windowWidth : 640) +
                                      static_cast<long long>(FRAME_WIDTH),
                                  (Settings.windowHeight > 0 ? Settings.windowHeight : 400) +
                                      static_cast<long long>(FRAME_HEIGHT));
    const int width = std::max(fit.width() - FRAME_WIDTH, 100);
    const int height = std::max(fit.height() - FRAME_HEIGHT, 100);
    resize(width, height);
    if (placed) move(fit.topLeft());

    BuildMenus();
    BuildStatusBar();

    viewerWidget = new ChartViewerWidget(this, 101);
    setCentralWidget(viewerWidget);
    connect(
        viewerWidget, &ChartViewerWidget::notify, this,
        [this](int code) { DispatchCommand(this, 101, code); }, Qt::QueuedConnection);

    setAcceptDrops(true);
    ApplyAxesSetting(this);

    viewerWidget->setFocusPolicy(Qt::StrongFocus);
    viewerWidget->setFocus(Qt::OtherFocusReason);
    // Checked once the focus change is over: a menu bar that took the focus for keyboard walking
    // has an active item until the walk ends.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        QMetaObject::invokeMethod(this, &VortanMain::KeepViewerFocus, Qt::QueuedConnection);
    });

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

void VortanMain::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("status106"));
    bar->setSizeGripEnabled(false);
    statusBarParts = new StatusPartsBar(bar);
    for (int k = 0; k < STATUS_PARTS; ++k)
        statusBarParts->label(k)->setToolTip(StatusPartToolTip(k));
    bar->addWidget(statusBarParts, 1);
}

void VortanMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        RetranslateActions(this);
        for (int k = 0; k < STATUS_PARTS && statusBarParts; ++k)
            statusBarParts->label(k)->setToolTip(StatusPartToolTip(k));
    }
    QMainWindow::changeEvent(event);
}

QString VortanMain::statusText(int part) const {
    return statusBarParts->text(part);
}

int VortanMain::statusPartCount() const {
    return statusBarParts->partCount();
}

void VortanMain::SetStatusTexts(const QStringList& texts) {
    for (int k = 0; k < STATUS_PARTS && k < texts.size(); ++k)
        statusBarParts->setText(k, texts[k]);
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
                    tr("チャートが変更されています。保存しますか？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        // The rows cannot be taken while a peak is being set: the unfinished peak is dropped so
        // that the committed ones are saved.
        if (GetChartMode(view()) != CHART_MODE_VIEW) CancelPeak(view());
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
                             tr("ドロップできるファイルは一度に1個のみです。"));
    }
    show();
}

void VortanMain::KeepViewerFocus() {
    if (!viewerWidget || !isActiveWindow() || QApplication::activePopupWidget() ||
        QApplication::activeModalWidget())
        return;
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() != this) return;
    auto* bar = qobject_cast<QMenuBar*>(focus);
    if (focus && !(bar && !bar->activeAction())) return;
    viewerWidget->setFocus(Qt::OtherFocusReason);
}

void VortanMain::ReturnKeyboard() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!viewerWidget || !isVisible() || isMinimized() ||
                QApplication::activePopupWidget() || QApplication::activeModalWidget())
                return;
            QWidget* active = QApplication::activeWindow();
            // A modeless panel of this window that the user is working in keeps the keyboard.
            if (active && active != this && active->parentWidget() == this) return;
            if (active != this) activateWindow();
            viewerWidget->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
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
    const std::string settingsFile = SettingsFilePath();
    std::string reason;
    if (!SaveSetup(settingsFile, &reason)) {
        QMessageBox::warning(this, QStringLiteral("Vortan"),
                             tr("設定を保存できませんでした。\n%1\n理由: %2")
                                 .arg(PathFromCore(settingsFile), QString::fromLocal8Bit(reason)));
    }
    emit closed();
}

int Quit(VortanMain* main, int, const void*) {
    if (main) main->close();
    return 1;
}
