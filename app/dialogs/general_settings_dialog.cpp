// The general settings dialog and its command.
#include "app/dialogs/general_settings_dialog.h"

#include "app/commands/data_dialogs.h"
#include "app/window/language.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/settings.h"
#include "ui_general_settings_dialog.h"

#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>
#include <climits>

int LeadingInt(const QString& text) {
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    long long value = 0;
    for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

GeneralSettingsDialog::GeneralSettingsDialog(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::GeneralSettingsDialog>()) {
    ui->setupUi(this);
    // A title bar without a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ui->savePositionBox->setChecked(Settings.savePosition);
    ui->maximizeBox->setChecked(Settings.maximize);
    ui->savePanelsBox->setChecked(Settings.savePanelPositions);
    ui->extendedSplBox->setChecked(Settings.extendedSpl);
    ui->uniformZoneBox->setChecked(Settings.uniformZone);
    ui->zoneCountEdit->setEnabled(Settings.uniformZone);
    ui->zoneCountEdit->setText(QString::number(Settings.zoneCount));
    ui->languageCombo->setCurrentIndex(CurrentLanguage() == Language::English ? 1 : 0);
    connect(ui->uniformZoneBox, &QCheckBox::clicked, ui->zoneCountEdit, &QWidget::setEnabled);
    connect(ui->closeButton, &QPushButton::clicked, this, &GeneralSettingsDialog::accept);
}

GeneralSettingsDialog::~GeneralSettingsDialog() = default;

void GeneralSettingsDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void GeneralSettingsDialog::accept() {
    Settings.savePosition = ui->savePositionBox->isChecked();
    Settings.maximize = ui->maximizeBox->isChecked();
    Settings.savePanelPositions = ui->savePanelsBox->isChecked();
    Settings.extendedSpl = ui->extendedSplBox->isChecked();
    if (ui->uniformZoneBox->isChecked()) {
        Settings.uniformZone = true;
        // The displacement register divides by the zone count: never below 1.
        Settings.zoneCount = std::max(1, LeadingInt(ui->zoneCountEdit->text()));
    } else {
        Settings.uniformZone = false;
    }
    // A new language takes effect now and is kept in the settings file at once.
    const Language language =
        ui->languageCombo->currentIndex() == 1 ? Language::English : Language::Japanese;
    if (language != CurrentLanguage() && ApplyLanguage(language))
        StoreLanguage(SettingsFilePath(), language);
    QDialog::accept();
}

int GeneralSettings(VortanMain* main, int, const void*) {
    GeneralSettingsDialog dialog(main);
    dialog.exec();
    return 1;
}
