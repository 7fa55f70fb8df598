// The detection options dialog and its command.
#include "app/dialogs/detection_dialog.h"

#include "app/commands/data_dialogs.h"
#include "app/window/main_window.h"
#include "chart/settings.h"
#include "ui_detection_dialog.h"
#include "viewer/chart_viewer.h"

#include <QPushButton>

#include <charconv>
#include <string>

// Both directions are independent of the user's locale, so that "0.005" reads the same
// everywhere.
double LeadingNumber(const QString& text) {
    std::string bytes = text.toStdString();
    const char* p = bytes.c_str();
    const char* end = p + bytes.size();
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    // from_chars takes no sign of its own: a second sign is no number.
    if (p < end && (*p == '+' || *p == '-')) return 0.0;
    double value = 0.0;
    if (std::from_chars(p, end, value, std::chars_format::general).ec != std::errc()) return 0.0;
    return negative ? -value : value;
}

DetectionDialog::DetectionDialog(QWidget* parent, ChartView* viewer)
    : QDialog(parent), ui(std::make_unique<Ui::DetectionDialog>()), viewer(viewer) {
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    char text[400];
    auto written = std::to_chars(text, text + sizeof text, GetDetectionThreshold(),
                                 std::chars_format::fixed, 6);
    ui->thresholdEdit->setText(
        QString::fromLatin1(text, written.ec == std::errc() ? written.ptr - text : 0));
    ui->detectBox->setChecked(Settings.detectPeaks);
    connect(ui->okButton, &QPushButton::clicked, this, &DetectionDialog::accept);
    connect(ui->cancelButton, &QPushButton::clicked, this, &DetectionDialog::reject);
}

DetectionDialog::~DetectionDialog() = default;

void DetectionDialog::accept() {
    // A threshold that is not above 0 (or no number at all) is ignored and the old one stays.
    SetDetectionThreshold(LeadingNumber(ui->thresholdEdit->text()));
    if (viewer) {
        bool detect = ui->detectBox->isChecked();
        // The choice is recorded even when the viewer refuses it while a peak is being set.
        SetPeakDetector(viewer, detect ? ThresholdDetector : nullptr, nullptr);
        Settings.detectPeaks = detect;
    }
    QDialog::accept();
}

int DetectionOptions(VortanMain* main, int, const void*) {
    DetectionDialog dialog(main, main ? main->view() : nullptr);
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}
