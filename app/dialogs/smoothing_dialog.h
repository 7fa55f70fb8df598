// The smoothing dialog: the half-width of the window, whether it is optimised row by row, its
// limits and the weighting function. It serves both the smoothing run ("開始") and the smoothing
// settings ("OK"); it works on a copy of the values, so that cancelling changes nothing.
#pragma once

#include "chart/smoothing.h"

#include <QDialog>

#include <memory>

namespace Ui {
class SmoothingDialog;
}

// Widths are half-widths in rows.
struct SmoothingDialogValues {
    bool optimize = false;
    int halfWidth = 0;
    int maxWidth = 0;
    int minWidth = 0;
};

// The values the settings hold now.
SmoothingDialogValues SmoothingValuesFromSettings();

// A width typed in the dialog: decimal digits only (blanks around them allowed), at most
// INT_MAX. False for anything else.
bool ParseWidthField(const QString& text, int* out);

class SmoothingDialog : public QDialog {
    Q_OBJECT
  public:
    // settingsForm: the dialog serves the settings command (button 1 reads "OK").
    SmoothingDialog(QWidget* parent, const SmoothingDialogValues& values, bool settingsForm);
    ~SmoothingDialog() override;

    // The values accepted; meaningful once exec() returned Accepted.
    const SmoothingDialogValues& values() const { return copy; }

    // Button 1: reads the three widths; beeps and stays open at the first that is no number,
    // else takes the optimisation and the weighting function (CurrentWeightFunction) and closes.
    void accept() override;

  private:
    void EnableOptimisation(bool on);

    std::unique_ptr<Ui::SmoothingDialog> ui;
    SmoothingDialogValues copy;
};
