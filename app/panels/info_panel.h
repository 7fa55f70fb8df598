// The chart information panel "CHARTINFO": the chart's file name, the time-axis magnification,
// the vertical range and the chart's comment. Refreshed on demand, never on a timer.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class ChartView;
class VortanMain;
class QLabel;
class QPlainTextEdit;

// The texts of the panel's fields 1034 to 1037.
struct InfoTexts {
    QString name, magnification, range, comment;
};

// "%.2f%%" of magnification × 100.
QString FormatMagnification(double magnification);
// Ranges up to 1 V in millivolts ("%.2fmV"), larger ones in volts ("%.2fV").
QString FormatRange(double volts);

class InfoPanel : public QDialog {
    Q_OBJECT
  public:
    explicit InfoPanel(VortanMain* owner);
    ~InfoPanel() override;
    // Fills the fields from the current chart and viewer.
    void Refresh(const ChartView* viewer);
    InfoTexts texts() const;

  public slots:
    void reject() override; // Esc does not close the panel

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    VortanMain* main;
    std::function<void()> retranslate;
    QLabel* name = nullptr;
    QLabel* magnification = nullptr;
    QLabel* range = nullptr;
    QPlainTextEdit* comment = nullptr;
};

// The open information panel, or null.
InfoPanel* InfoPanelWindow();
