// The detection options and general settings dialogs, driven through their commands.
#include "app/commands/data_dialogs.h"
#include "app/dialogs/detection_dialog.h"
#include "app/dialogs/general_settings_dialog.h"
#include "support/app_test_support.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

using apptest::AppTest;
using apptest::Child;
using apptest::Pump;

namespace {

class SettingsDialogTest : public AppTest {
  protected:
    // Runs the detection options with the threshold text and the check box, pressing OK or
    // Cancel; returns what the edit showed on opening.
    QString Detection(const QString& text, bool detect, bool ok) {
        QString shown;
        OnDialog<DetectionDialog>([&](DetectionDialog* d) {
            auto* edit = Child<QLineEdit>(d, "thresholdEdit");
            shown = edit->text();
            edit->setText(text);
            Child<QCheckBox>(d, "detectBox")->setChecked(detect);
            Child<QPushButton>(d, ok ? "okButton" : "cancelButton")->click();
            return true;
        });
        EXPECT_EQ(DetectionOptions(window, 0, nullptr), ok ? 1 : 0);
        return shown;
    }
};

} // namespace

TEST_F(SettingsDialogTest, DetectionTakesOnlyAPositiveThresholdAndCancelChangesNothing) {
    Open();
    ASSERT_FALSE(PeakDetectorInstalled());
    EXPECT_EQ(Detection(QStringLiteral("0.5"), true, false), QStringLiteral("0.005000"));
    EXPECT_FALSE(Settings.detectPeaks);
    EXPECT_FALSE(PeakDetectorInstalled());
    const struct {
        const char* text;
        double kept;
    } cases[] = {{"0.01", 0.01}, {"-1", 0.01}, {"abc", 0.01}, {"0", 0.01}, {" 2.5e-3V", 0.0025}};
    for (const auto& c : cases) {
        Detection(QString::fromLatin1(c.text), true, true);
        EXPECT_DOUBLE_EQ(Settings.threshold, c.kept) << c.text;
    }
    EXPECT_TRUE(Settings.detectPeaks);
    EXPECT_TRUE(PeakDetectorInstalled());
    EXPECT_EQ(Detection(QStringLiteral("0.002"), false, true), QStringLiteral("0.002500"));
    EXPECT_FALSE(Settings.detectPeaks);
    EXPECT_FALSE(PeakDetectorInstalled());
}

TEST_F(SettingsDialogTest, GeneralSettingsZoneCountNeverBelowOne) {
    Open();
    Settings.extendedSpl = true;
    bool editEnabled = true;
    OnDialog<GeneralSettingsDialog>([&](GeneralSettingsDialog* d) {
        EXPECT_TRUE(Child<QCheckBox>(d, "extendedSplBox")->isChecked());
        editEnabled = Child<QLineEdit>(d, "zoneCountEdit")->isEnabled();
        Child<QCheckBox>(d, "uniformZoneBox")->click();
        EXPECT_TRUE(Child<QLineEdit>(d, "zoneCountEdit")->isEnabled());
        Child<QLineEdit>(d, "zoneCountEdit")->setText(QStringLiteral("0"));
        Child<QCheckBox>(d, "extendedSplBox")->click();
        Child<QCheckBox>(d, "maximizeBox")->click();
        Child<QPushButton>(d, "closeButton")->click();
        return true;
    });
    EXPECT_EQ(GeneralSettings(window, 0, nullptr), 1);
    EXPECT_FALSE(editEnabled);
    EXPECT_TRUE(Settings.uniformZone);
    EXPECT_EQ(Settings.zoneCount, 1);
    EXPECT_FALSE(Settings.extendedSpl);
    EXPECT_TRUE(Settings.maximize);
    EXPECT_FALSE(Settings.savePosition);

    for (const char* text : {"", "abc", "-4", "7 zones", "99999999999"}) {
        OnDialog<GeneralSettingsDialog>([text](GeneralSettingsDialog* d) {
            Child<QLineEdit>(d, "zoneCountEdit")->setText(QString::fromLatin1(text));
            Child<QPushButton>(d, "closeButton")->click();
            return true;
        });
        GeneralSettings(window, 0, nullptr);
        const int expected = std::string(text) == "7 zones"       ? 7
                             : std::string(text) == "99999999999" ? 2147483647
                                                                  : 1;
        EXPECT_EQ(Settings.zoneCount, expected) << text;
    }

    // Unchecking keeps the count and only clears the flag.
    OnDialog<GeneralSettingsDialog>([](GeneralSettingsDialog* d) {
        Child<QCheckBox>(d, "uniformZoneBox")->click();
        EXPECT_FALSE(Child<QLineEdit>(d, "zoneCountEdit")->isEnabled());
        Child<QLineEdit>(d, "zoneCountEdit")->setText(QStringLiteral("5"));
        Child<QPushButton>(d, "closeButton")->click();
        return true;
    });
    GeneralSettings(window, 0, nullptr);
    EXPECT_FALSE(Settings.uniformZone);
    EXPECT_EQ(Settings.zoneCount, 2147483647);
}

TEST_F(SettingsDialogTest, GeneralSettingsLeaveOnlyThroughClose) {
    Open();
    std::vector<bool> open;
    bool hasCloseBox = true;
    OnDialog<GeneralSettingsDialog>([&](GeneralSettingsDialog* d) {
        hasCloseBox = d->windowFlags().testFlag(Qt::WindowCloseButtonHint);
        Child<QCheckBox>(d, "savePositionBox")->click();
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(Child<QLineEdit>(d, "zoneCountEdit"), &press);
            QApplication::sendEvent(d, &press);
            open.push_back(d->isVisible());
        }
        d->close();
        open.push_back(d->isVisible());
        EXPECT_FALSE(Settings.savePosition);
        Child<QPushButton>(d, "closeButton")->click();
        return true;
    });
    GeneralSettings(window, 0, nullptr);
    EXPECT_FALSE(hasCloseBox);
    EXPECT_EQ(open, (std::vector<bool>{true, true, true, true}));
    EXPECT_TRUE(Settings.savePosition);
}

TEST_F(SettingsDialogTest, DetectionChoiceIsRecordedWhileAPeakIsBeingSet) {
    LoadExample();
    ASSERT_EQ(SetHeight(window->view()), 1); // Enter starts a peak
    ASSERT_NE(GetChartMode(window->view()), CHART_MODE_VIEW);
    Detection(QStringLiteral("0.02"), true, true);
    // The viewer refuses to change its detector now; the settings take the choice all the same.
    EXPECT_FALSE(PeakDetectorInstalled());
    EXPECT_TRUE(Settings.detectPeaks);
    EXPECT_DOUBLE_EQ(Settings.threshold, 0.02);
    CancelPeak(window->view());
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
}
