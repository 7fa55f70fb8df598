#include "app/dialogs/peak_list_dialog.h"

#include "app/panels/panels.h"
#include "app/window/main_window.h"
#include "chart/number_format.h"
#include "chart/run_log.h"
#include "viewer/chart_viewer.h"

#include "ui_peak_list_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// A position as the list shows it: truncated toward zero, kept inside int.
int TruncatedPosition(double position) {
    if (std::isnan(position)) return 0;
    if (position >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (position <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(position);
}

// text cut to the name field without splitting a character.
QByteArray NameBytes(QString text) {
    QByteArray bytes = text.toLocal8Bit();
    while (bytes.size() > MAX_ELEM_NAME - 1) {
        text.chop(1);
        bytes = text.toLocal8Bit();
    }
    return bytes;
}

} // namespace

// Columns a character takes in a fixed-width font: two for the wide East Asian characters
// (kanji, kana, full-width forms), none for combining marks, one for the rest.
int ScreenColumns(char32_t c) {
    if (QChar::isMark(c)) return 0;
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
    return wide ? 2 : 1;
}

QString FitToColumns(const QString& text, int columns) {
    QString out;
    int used = 0;
    for (char32_t c : text.toUcs4()) {
        const int w = ScreenColumns(c);
        if (used + w > columns) break;
        out += QString::fromUcs4(&c, 1);
        used += w;
    }
    return out + QString(columns - used, QLatin1Char(' '));
}

QString PeakLine(const PeakEntry& entry, double top, double base) {
    const QString name = QString::fromLocal8Bit(entry.name, qstrnlen(entry.name, MAX_ELEM_NAME));
    char head[32];
    std::snprintf(head, sizeof head, "\t%6d\t", TruncatedPosition(entry.position));
    const std::string numbers = head + FormatE(top, 16, 8) + "\t" + FormatE(base, 16, 8);
    return FitToColumns(name, 10) + QString::fromLatin1(numbers.data(), numbers.size());
}

PeakListDialog::PeakListDialog(QWidget* owner, ChartView* viewer,
                               std::unique_ptr<PeakEntry[]> peaks, int count)
    : QDialog(owner), ui(std::make_unique<Ui::PeakListDialog>()), viewer(viewer),
      peaks(std::move(peaks)), count(count) {
    ui->setupUi(this);
    // Fixed-width text keeps the columns of the tab-separated lines under each other.
    ui->list1014->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(ui->close8, &QPushButton::clicked, this, [this] { done(0); });
    connect(ui->select1, &QPushButton::clicked, this, &PeakListDialog::SelectPeak);
    connect(ui->delete1020, &QPushButton::clicked, this, &PeakListDialog::DeleteSelected);
    connect(ui->deleteAll1022, &QPushButton::clicked, this, &PeakListDialog::DeleteAll);
    connect(ui->list1014, &QListWidget::itemDoubleClicked, this, &PeakListDialog::StartEdit);
    ui->list1014->viewport()->installEventFilter(this);
    Fill();
}

PeakListDialog::~PeakListDialog() = default;

void PeakListDialog::Fill() {
    ui->list1014->clear();
    for (int i = 0; i < count; ++i) {
        double top = 0.0, base = 0.0;
        GetPeakInfo(viewer, GetPeakMode(viewer), i, &top, &base);
        ui->list1014->addItem(PeakLine(peaks[i], top, base));
    }
}

void PeakListDialog::reject() {}

void PeakListDialog::closeEvent(QCloseEvent* event) {
    // The close box closes like "閉じる".
    EndEdit();
    event->accept();
    done(0);
}

void PeakListDialog::SelectPeak() {
    const QModelIndexList selected = ui->list1014->selectionModel()->selectedRows();
    if (selected.size() != 1) return;
    SetChartMode(viewer, CHART_MODE_BASE, 0, 0, 1, selected.front().row(), -30.0);
    done(1);
}

void PeakListDialog::DeleteSelected() {
    std::vector<int> indices;
    for (const QModelIndex& index : ui->list1014->selectionModel()->selectedRows())
        indices.push_back(index.row());
    if (indices.empty()) return;
    std::sort(indices.begin(), indices.end());
    const int left = DeletePeaks(viewer, static_cast<int>(indices.size()), indices.data());
    int newCount = 0;
    peaks = GetPeakList(viewer, &newCount);
    count = peaks ? newCount : 0;
    ui->list1014->clear();
    if (left < 1 || !peaks || count < 1) {
        peaks.reset();
        count = 0;
        QApplication::beep();
        QMessageBox::warning(this, QStringLiteral("Vortan"),
                             QCoreApplication::translate(
                                 "PeakListDialog", "ピークがありません。ウインドウを閉じます。"));
        done(0);
        return;
    }
    Fill();
}

void PeakListDialog::DeleteAll() {
    QMessageBox ask(
        QMessageBox::Question, QStringLiteral("Vortan"),
        QCoreApplication::translate("PeakListDialog", "全てのピークを削除します。よろしいですか？"),
        QMessageBox::Yes | QMessageBox::No, this);
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes) return;
    std::vector<int> indices(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        indices[static_cast<size_t>(i)] = i;
    DeletePeaks(viewer, count, indices.data());
    done(0);
}

void PeakListDialog::StartEdit() {
    const int row = ui->list1014->currentRow();
    if (edit || row < 0 || row >= count) return;
    QListWidget* list = ui->list1014;
    // The clicks of the double click leave the line's selection as it was before them.
    if (row == pressedRow) list->item(row)->setSelected(pressedRowWasSelected);
    const QRect line = list->visualItemRect(list->item(row));
    const QPoint at = list->viewport()->mapTo(this, line.topLeft());
    edit = new QLineEdit(this);
    const QFontMetrics metrics(edit->font());
    edit->setGeometry(list->mapTo(this, QPoint(0, 0)).x(), at.y(),
                      5 * metrics.averageCharWidth() + 8,
                      std::max(line.height(), edit->sizeHint().height()));
    char name[MAX_ELEM_NAME + 1] = {};
    std::memcpy(name, peaks[row].name, MAX_ELEM_NAME);
    edit->setText(QString::fromLocal8Bit(name));
    edit->installEventFilter(this);
    // A click anywhere but in the editor ends the rename without saving.
    qApp->installEventFilter(this);
    list->setEnabled(false);
    edit->show();
    edit->setFocus();
}

bool PeakListDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->list1014->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int row = ui->list1014->indexAt(mouse->position().toPoint()).row();
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        // The first press of a double click: note the line's selection before it is toggled.
        if (row != pressedRow || now - pressedAt > QApplication::doubleClickInterval()) {
            pressedRow = row;
            pressedRowWasSelected = row >= 0 && ui->list1014->item(row)->isSelected();
        }
        pressedAt = now;
    }
    if (edit && event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
        watched != edit && !edit->isAncestorOf(static_cast<QWidget*>(watched)))
        QMetaObject::invokeMethod(this, &PeakListDialog::EndEdit, Qt::QueuedConnection);
    if (edit && watched == edit) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                CommitEdit();
                EndEdit();
                return true;
            }
            if (key == Qt::Key_Escape) {
                EndEdit();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Ended once the focus change is over, not inside it.
            QMetaObject::invokeMethod(this, &PeakListDialog::EndEdit, Qt::QueuedConnection);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PeakListDialog::CommitEdit() {
    const int row = ui->list1014->currentRow();
    if (!edit || row < 0 || row >= count) return;
    const QByteArray bytes = NameBytes(edit->text());
    std::memset(peaks[row].name, 0, MAX_ELEM_NAME);
    std::memcpy(peaks[row].name, bytes.constData(), static_cast<size_t>(bytes.size()));
    SetPeakInfo(viewer, GetPeakMode(viewer), row, nullptr, nullptr, peaks[row].name);
    double top = 0.0, base = 0.0;
    GetPeakInfo(viewer, GetPeakMode(viewer), row, &top, &base);
    const bool wasSelected = ui->list1014->item(row)->isSelected();
    delete ui->list1014->takeItem(row);
    ui->list1014->insertItem(row, PeakLine(peaks[row], top, base));
    ui->list1014->item(row)->setSelected(wasSelected);
    ui->list1014->setCurrentRow(row, QItemSelectionModel::NoUpdate);
}

void PeakListDialog::EndEdit() {
    if (!edit) return;
    QLineEdit* old = edit;
    edit = nullptr;
    old->removeEventFilter(this);
    qApp->removeEventFilter(this);
    old->hide();
    old->deleteLater();
    ui->list1014->setEnabled(true);
    ui->list1014->setFocus();
}

int PeakListCommand(VortanMain* main, int, const void*) {
    ChartView* viewer = main ? main->view() : nullptr;
    if (!viewer) return 0;
    int count = 0;
    std::unique_ptr<PeakEntry[]> peaks = GetPeakList(viewer, &count);
    if (!peaks || count < 1) {
        LogPrint("PeakList: No peaks on chart");
        return 0;
    }
    PeakListDialog dialog(main, viewer, std::move(peaks), count);
    dialog.exec();
    return 1;
}
