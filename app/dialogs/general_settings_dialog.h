// The general settings dialog: window position and size, maximising at start, panel positions,
// the extended SPL layout, a fixed number of zones and the language of the program. It is left
// only through "閉じる", which applies every control: there is no cancel button and no close box,
// and Enter and Esc do nothing.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class GeneralSettingsDialog;
}

// The leading decimal number of text (blanks and a sign before it allowed), 0 when there is none;
// a number beyond the int range gives the nearest end of the range.
int LeadingInt(const QString& text);

class GeneralSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit GeneralSettingsDialog(QWidget* parent);
    ~GeneralSettingsDialog() override;

    // "閉じる": stores the controls into the settings and closes.
    void accept() override;
    // Escape and the window system's close request do not close this dialog.
    void reject() override {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::unique_ptr<Ui::GeneralSettingsDialog> ui;
};
