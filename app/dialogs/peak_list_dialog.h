// The peak list dialog: one line per peak of the viewer's current table (name, position, top,
// base); the user re-sets, deletes or renames peaks. It works on a copy from GetPeakList and
// writes changes back through the viewer model.
#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class ChartView;
class QLineEdit;
struct PeakEntry;

namespace Ui {
class PeakListDialog;
}

// One list line: "%-10.10s\t%6d\t%16.8E\t%16.8E" (three-digit exponents), the name cut and
// padded by the columns its characters take on screen (a kanji takes two), never inside one.
QString PeakLine(const PeakEntry& entry, double top, double base);
// text cut to at most `columns` screen columns and padded with blanks to exactly that many.
QString FitToColumns(const QString& text, int columns);

class PeakListDialog : public QDialog {
    Q_OBJECT
  public:
    // Takes over the peak copy of count entries.
    PeakListDialog(QWidget* owner, ChartView* viewer, std::unique_ptr<PeakEntry[]> peaks,
                   int count);
    ~PeakListDialog() override;

    // The in-place editor while a rename is under way, else null.
    QLineEdit* editor() const { return edit; }

  public slots:
    void reject() override; // Esc is ignored; "閉じる" closes

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Fill();
    void SelectPeak();
    void DeleteSelected();
    void DeleteAll();
    void StartEdit();
    void CommitEdit();
    void EndEdit();

    std::unique_ptr<Ui::PeakListDialog> ui;
    ChartView* viewer;
    std::unique_ptr<PeakEntry[]> peaks;
    int count;
    QLineEdit* edit = nullptr;
    // The selection of the line under the first click of a (possible) double click, so that a
    // double click to rename leaves the selection as it was.
    int pressedRow = -1;
    bool pressedRowWasSelected = false;
    qint64 pressedAt = 0;
};
