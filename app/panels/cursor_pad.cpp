#include "app/panels/cursor_pad.h"

#include "app/panels/panels.h"
#include "app/window/command_table.h"
#include "app/window/main_window.h"
#include "app/window/screen_fit.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "viewer/chart_viewer.h"
#include "views/chart_viewer_widget.h"

#include "ui_bar_adjust.h"
#include "ui_cross_adjust.h"
#include "ui_cursor_pad.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

QPointer<ToolPanel> shownPanel;

std::optional<QPoint> keptPlaces[PANEL_PLACE_SLOTS];

const char* const PAD_CHECKED = "vortanPadChecked";

void DestroyPad() {
    if (ToolPanel* panel = shownPanel.data()) {
        shownPanel = nullptr;
        delete panel; // stores its position
    }
}

} // namespace

PanelKind PanelForChartMode(int chartMode) {
    switch (chartMode) {
    case CHART_MODE_BASE:
        return PANEL_BAR_ADJUST;
    case CHART_MODE_TOP:
        return PANEL_CROSS_ADJUST;
    default:
        return PANEL_CURSOR_PAD;
    }
}

ToolPanel::ToolPanel(VortanMain* owner, PanelKind kind)
    : QDialog(owner, Qt::Tool), main(owner), panelKind(kind) {
    // The form stays with the panel, so that a language change can put its texts up again.
    auto setUp = [this](auto form) {
        form->setupUi(this);
        retranslate = [this, form] { form->retranslateUi(this); };
    };
    switch (kind) {
    case PANEL_CURSOR_PAD:
        setUp(std::make_shared<Ui::CursorPadPanel>());
        break;
    case PANEL_BAR_ADJUST:
        setUp(std::make_shared<Ui::BarAdjustPanel>());
        break;
    case PANEL_CROSS_ADJUST:
        setUp(std::make_shared<Ui::CrossAdjustPanel>());
        break;
    }
    setModal(false);
    // Opening a panel leaves the keyboard with the chart.
    setAttribute(Qt::WA_ShowWithoutActivating);
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (!button->property("command").isValid()) continue;
        connect(button, &QPushButton::clicked, this, &ToolPanel::PostCommand);
        // As narrow as the label allows: the style's usual minimum would make a pad as wide as a
        // dialog.
        const int labelWidth = button->fontMetrics().horizontalAdvance(button->text());
        button->setFixedWidth(std::max(labelWidth + 16, 36));
    }
    PlaceAtStart();
    // The position is taken before the main window writes the settings at its close.
    if (main) main->installEventFilter(this);
}

ToolPanel::~ToolPanel() {
    StorePosition();
}

std::optional<QPoint>& KeptPanelPlace(int slot) {
    return keptPlaces[std::clamp(slot, 0, PANEL_PLACE_SLOTS - 1)];
}

void ForgetPanelPlaces() {
    for (std::optional<QPoint>& place : keptPlaces)
        place.reset();
}

QPoint PanelHome(const VortanMain* main) {
    if (!main) return QPoint();
    const QWidget* area = main->centralWidget();
    return area ? area->mapToGlobal(QPoint(0, 0)) : main->geometry().topLeft();
}

void PlacePanel(QWidget* panel, QPoint at, const QWidget* main) {
    // On X11 a window manager frames a window that is not mapped yet around the position given,
    // title bar above it.
    QPoint frame;
    if (main && QGuiApplication::platformName() == QLatin1String("xcb"))
        frame = main->geometry().topLeft() - main->frameGeometry().topLeft();
    at = FitOnScreen(at.x(), at.y(),
                     panel->sizeHint() + QSize(2 * frame.x(), frame.y() + frame.x()));
    panel->move(panel->isVisible() ? at : at + frame);
}

void ToolPanel::PlaceAtStart() {
    if (!main) return;
    // Saved positions may be anything: added without overflow and brought onto a screen.
    QPoint at = PanelHome(main);
    if (const std::optional<QPoint>& kept = KeptPanelPlace(panelKind)) {
        at = panelKind == PANEL_BAR_ADJUST ? *kept : main->pos() + *kept;
    } else if (Settings.savePanelPositions) {
        long long x = main->pos().x(), y = main->pos().y();
        switch (panelKind) {
        case PANEL_CURSOR_PAD:
            x = main->pos().x() + static_cast<long long>(Settings.cursorPadX);
            y = main->pos().y() + static_cast<long long>(Settings.cursorPadY);
            break;
        case PANEL_CROSS_ADJUST:
            x = main->pos().x() + static_cast<long long>(Settings.crossAdjustX);
            y = main->pos().y() + static_cast<long long>(Settings.crossAdjustY);
            break;
        case PANEL_BAR_ADJUST:
            x = Settings.barAdjustX;
            y = Settings.barAdjustY;
            break;
        }
        at = FitOnScreen(x, y, sizeHint());
    }
    PlacePanel(this, at, main);
}

void ToolPanel::StorePosition() {
    if (!main) return;
    const QPoint offset = pos() - main->pos();
    KeptPanelPlace(panelKind) = panelKind == PANEL_BAR_ADJUST ? pos() : offset;
    if (!Settings.savePanelPositions) return;
    switch (panelKind) {
    case PANEL_CURSOR_PAD:
        Settings.cursorPadX = offset.x();
        Settings.cursorPadY = offset.y();
        break;
    case PANEL_CROSS_ADJUST:
        Settings.crossAdjustX = offset.x();
        Settings.crossAdjustY = offset.y();
        break;
    case PANEL_BAR_ADJUST:
        Settings.barAdjustX = pos().x();
        Settings.barAdjustY = pos().y();
        break;
    }
}

bool ToolPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main && event->type() == QEvent::Close) StorePosition();
    return QDialog::eventFilter(watched, event);
}

void ToolPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && retranslate) retranslate();
    QDialog::changeEvent(event);
}

void ToolPanel::reject() {}

void ToolPanel::closeEvent(QCloseEvent* event) {
    // The close box: the menu's check mark and showCursorPad follow, so that the pad stays
    // closed at the next start.
    event->accept();
    if (main) ToggleConsole(main);
    if (shownPanel == this) shownPanel = nullptr;
    StorePosition();
    hide();
    deleteLater();
}

void ToolPanel::PostCommand() {
    const QVariant command = sender() ? sender()->property("command") : QVariant();
    if (!command.isValid() || !main) return;
    const unsigned number = command.toUInt();
    VortanMain* owner = main;
    QMetaObject::invokeMethod(
        owner,
        [owner, number] {
            DispatchCommand(owner, number);
            owner->SyncCheckMarks();
            // The keyboard goes back to the chart, as after a menu.
            owner->activateWindow();
            if (owner->viewer()) owner->viewer()->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

ToolPanel* PadWindow() {
    return shownPanel.data();
}

bool PadChecked(VortanMain* main) {
    return main && main->property(PAD_CHECKED).toBool();
}

int ToggleConsole(VortanMain* main) {
    LogPrint("ToggleConsole");
    if (!main) return 0;
    const bool checked = !PadChecked(main);
    main->setProperty(PAD_CHECKED, checked);
    Settings.showCursorPad = checked;
    if (QAction* item = main->actionFor(40059)) {
        item->setCheckable(true);
        item->setChecked(checked);
    }
    return 1;
}

int CursorPad(VortanMain* main, int show) {
    LogPrint("CursorPad");
    DestroyPad();
    if (!show || !Settings.showCursorPad || !main) return 1;
    auto* panel = new ToolPanel(main, PanelForChartMode(GetChartMode(main->view())));
    shownPanel = panel;
    panel->show();
    KeepFrameOnScreen(panel);
    // The main window keeps the keyboard: the keys reach the viewer through the key filter.
    main->activateWindow();
    return 1;
}

int CursorPadCommand(VortanMain* main, int, const void*) {
    if (!main) return 0;
    ToggleConsole(main);
    return CursorPad(main, Settings.showCursorPad ? 1 : 0);
}

void OnChartModeChanged(VortanMain* main) {
    if (main) CursorPad(main, 1);
}
