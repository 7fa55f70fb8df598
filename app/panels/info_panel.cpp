#include "app/panels/info_panel.h"

#include "app/dialogs/header_text.h"
#include "app/panels/cursor_pad.h"
#include "app/panels/panels.h"
#include "app/window/main_window.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"

#include "ui_chart_info_panel.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>

#include <algorithm>
#include <memory>

namespace {

QPointer<InfoPanel> openPanel;

const char* const INFO_CHECKED = "vortanInfoChecked";

void SetInfoCheck(VortanMain* main, bool checked) {
    main->setProperty(INFO_CHECKED, checked);
    if (QAction* item = main->actionFor(40060)) {
        item->setCheckable(true);
        item->setChecked(checked);
    }
}

QString FromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString FormatMagnification(double magnification) {
    return QString::asprintf("%.2f%%", magnification * 100.0);
}

QString FormatRange(double volts) {
    if (volts <= 1.0) return QString::asprintf("%.2fmV", volts * 1000.0);
    return QString::asprintf("%.2fV", volts);
}

InfoPanel::InfoPanel(VortanMain* owner) : QDialog(owner, Qt::Tool), main(owner) {
    auto ui = std::make_shared<Ui::ChartInfoPanel>();
    ui->setupUi(this);
    // The form stays with the panel for a language change; the fields keep their values.
    retranslate = [this, ui] { ui->retranslateUi(this); };
    name = ui->name1034;
    magnification = ui->mag1035;
    range = ui->range1036;
    comment = ui->comment1037;
    setModal(false);
    // Opening the panel leaves the keyboard with the chart.
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void InfoPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && retranslate) retranslate();
    QDialog::changeEvent(event);
}

InfoPanel::~InfoPanel() {
    if (main) KeptPanelPlace(PANEL_PLACE_INFO) = pos() - main->pos();
}

void InfoPanel::Refresh(const ChartView* viewer) {
    if (!ChartBaseName || CurrentChart.tags.empty()) {
        name->setText(QCoreApplication::translate("InfoPanel", "Not ready"));
        magnification->setText(QStringLiteral("0%"));
        range->setText(QStringLiteral("0V"));
        comment->setPlainText(QCoreApplication::translate("InfoPanel", "No comment"));
        return;
    }
    name->setText(FromLocal(*ChartBaseName));
    const double m = GetMagnification(viewer);
    if (m == 0.0) return; // no chart in the viewer: the other fields keep their texts
    magnification->setText(FormatMagnification(m));
    range->setText(FormatRange(GetRange(viewer)));
    const SplTag* shown = &CurrentChart.tags.front();
    for (const SplTag& tag : CurrentChart.tags) {
        if (tag.name == "Comment:") {
            shown = &tag;
            break;
        }
    }
    comment->setPlainText(DecodeHeaderText(shown->value));
}

InfoTexts InfoPanel::texts() const {
    return {name->text(), magnification->text(), range->text(), comment->toPlainText()};
}

void InfoPanel::reject() {}

void InfoPanel::closeEvent(QCloseEvent* event) {
    // The close box: the menu item loses its check mark, and the next "詳細情報" opens the
    // panel again at once.
    event->accept();
    if (openPanel == this) openPanel = nullptr;
    if (main) SetInfoCheck(main, false);
    hide();
    deleteLater();
}

InfoPanel* InfoPanelWindow() {
    return openPanel.data();
}

int InfoPanelCommand(VortanMain* main, int, const void*) {
    if (!main) return 0;
    if (main->property(INFO_CHECKED).toBool()) {
        if (InfoPanel* panel = openPanel.data()) {
            openPanel = nullptr;
            delete panel;
        }
        SetInfoCheck(main, false);
        return 1;
    }
    if (!openPanel) {
        auto* panel = new InfoPanel(main);
        // Beside the cursor pad rather than over it: at the right end of the chart area.
        QPoint at = PanelHome(main);
        if (const QWidget* area = main->centralWidget())
            at.rx() += std::max(0, area->width() - panel->sizeHint().width());
        if (const std::optional<QPoint>& kept = KeptPanelPlace(PANEL_PLACE_INFO))
            at = main->pos() + *kept;
        PlacePanel(panel, at, main);
        openPanel = panel;
        panel->show();
        panel->Refresh(main->view());
    }
    SetInfoCheck(main, true);
    return 1;
}

void RefreshInfoPanel(VortanMain* main) {
    if (InfoPanel* panel = openPanel.data(); panel && main) panel->Refresh(main->view());
}

void OpenStartupPanels(VortanMain* main) {
    if (!main) return;
    if (Settings.showCursorPad && !PadChecked(main)) CursorPadCommand(main, 0, nullptr);
    if (Settings.showDetail && !InfoPanelWindow()) InfoPanelCommand(main, 0, nullptr);
}
