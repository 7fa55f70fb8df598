// The detection options dialog: the threshold of the built-in peak detector (volts) and whether
// peaks are detected at all.
#pragma once

#include <QDialog>

#include <memory>

class ChartView;
namespace Ui {
class DetectionDialog;
}

// The leading decimal number of text as the standard text-to-double conversion reads it; 0.0
// when it has none.
double LeadingNumber(const QString& text);

class DetectionDialog : public QDialog {
    Q_OBJECT
  public:
    // viewer: the viewer whose detector OK installs or removes (may be null).
    DetectionDialog(QWidget* parent, ChartView* viewer);
    ~DetectionDialog() override;

    // OK: takes a threshold above 0 (others are ignored), installs or removes the detector and
    // records the choice in the settings.
    void accept() override;

  private:
    std::unique_ptr<Ui::DetectionDialog> ui;
    ChartView* viewer;
};
