// The header dialog and its command.
#include "app/dialogs/header_dialog.h"

#include "app/commands/data_dialogs.h"
#include "app/window/main_window.h"
#include "chart/settings.h"
#include "ui_header_dialog.h"
#include "viewer/edit_history.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

std::string TagValueFromText(const QString& text, HeaderEncoding encoding) {
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar brk : {QChar(u'\r'), QChar(u'\n'), QChar(QChar::LineSeparator),
                      QChar(QChar::ParagraphSeparator)})
        line.replace(brk, QLatin1Char(' '));
    // The file quotes a value with double quotes and ends it at a NUL: neither may stand inside.
    line.replace(QLatin1Char('"'), QLatin1Char('\''));
    line.replace(QChar(u'\0'), QLatin1Char(' '));
    if (line.size() > SPL_TAG_VALUE_MAX) line.truncate(SPL_TAG_VALUE_MAX);
    QByteArray bytes = QByteArray::fromStdString(EncodeHeaderText(line, encoding));
    // Cut whole characters only, so that the value never ends in half a character.
    while (bytes.size() > SPL_TAG_VALUE_MAX && !line.isEmpty()) {
        line.chop(1);
        if (!line.isEmpty() && line.back().isHighSurrogate()) line.chop(1);
        bytes = QByteArray::fromStdString(EncodeHeaderText(line, encoding));
    }
    return bytes.toStdString();
}

HeaderDialog::HeaderDialog(QWidget* parent, const SplChart& chart)
    : QDialog(parent), ui(std::make_unique<Ui::HeaderDialog>()), tags(chart.tags),
      version(chart.version), encoding(HeaderEncodingOf(chart)) {
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    for (const SplTag& tag : tags) {
        ui->tagList->addItem(DecodeHeaderText(tag.name));
        shown << DecodeHeaderText(tag.value);
    }
    edited = shown;
    ui->tagList->setCurrentIndex(0);
    if (!shown.isEmpty()) ui->valueEdit->setPlainText(shown.front());
    ui->spl2Box->setChecked(version >= 2);
    connect(ui->tagList, &QComboBox::activated, this, &HeaderDialog::ShowTag);
    connect(ui->spl2Box, &QCheckBox::clicked, this, &HeaderDialog::OnSpl2Clicked);
    connect(ui->okButton, &QPushButton::clicked, this, &HeaderDialog::accept);
    connect(ui->cancelButton, &QPushButton::clicked, this, &HeaderDialog::reject);
}

HeaderDialog::~HeaderDialog() = default;

void HeaderDialog::KeepShownValue() {
    if (shownTag >= 0 && shownTag < edited.size()) edited[shownTag] = ui->valueEdit->toPlainText();
}

void HeaderDialog::ShowTag(int index) {
    KeepShownValue();
    if (index < 0 || index >= edited.size()) return;
    ui->valueEdit->setPlainText(edited[index]);
    shownTag = index;
}

void HeaderDialog::OnSpl2Clicked(bool checked) {
    if (checked || !Settings.extendedSpl) return;
    QApplication::beep();
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Vortan"),
        QCoreApplication::translate("HeaderDialog",
                                    "チャートを常に拡張SPLファイルとして扱う設定になっています。"
                                    "どうしてもこのチェックを外したいですか？"),
        QMessageBox::Yes | QMessageBox::No, this);
    if (box.exec() != QMessageBox::Yes) ui->spl2Box->setChecked(true);
}

void HeaderDialog::accept() {
    KeepShownValue();
    version = ui->spl2Box->isChecked() ? 2 : 1;
    QDialog::accept();
}

void HeaderDialog::StoreInto(SplChart& chart) const {
    const size_t n = std::min(chart.tags.size(), tags.size());
    for (size_t i = 0; i < n; ++i) {
        const int k = static_cast<int>(i);
        // A value left as it was keeps its bytes, even those the user's encoding cannot show.
        chart.tags[i].value =
            edited[k] == shown[k] ? tags[i].value : TagValueFromText(edited[k], encoding);
    }
    chart.version = version;
}

int EditChartHeader(QWidget* owner, SplChart& chart) {
    if (chart.tags.empty()) return 0;
    HeaderDialog dialog(owner, chart);
    if (dialog.exec() != QDialog::Accepted) return 0;
    dialog.StoreInto(chart);
    return 1;
}

int EditHeader(VortanMain* main, int, const void*) {
    if (CurrentChart.tags.empty()) {
        QApplication::beep();
        return 1;
    }
    const SplChart before = CurrentChart;
    if (EditChartHeader(main, CurrentChart) && main)
        RecordHeaderEdit(main->view(), before, CurrentChart);
    return 1;
}
