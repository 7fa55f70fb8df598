// Changing the chart on the real main window and taking changes back: Ctrl+Z on a header edit, the
// header dialog (OK and Cancel, the SPL2 box, encodings, line breaks) and the smoothing dialog
// (runs, refusals, cancelling, the settings form).
#include "app/commands/data_dialogs.h"
#include "app/dialogs/header_dialog.h"
#include "app/dialogs/smoothing_dialog.h"
#include "app/window/command_table.h"
#include "support/app_test_support.h"

#include <QPlainTextEdit>

#include <tuple>

using apptest::Child;

namespace {

// Picks tag index in the list as the user does (activated); returns the value shown then.
QString Pick(HeaderDialog* d, int index) {
    auto* list = Child<QComboBox>(d, "tagList");
    list->setCurrentIndex(index);
    emit list->activated(index);
    return Child<QPlainTextEdit>(d, "valueEdit")->toPlainText();
}

// Picks tag index, then types value.
void Edit(HeaderDialog* d, int index, const QString& value) {
    Pick(d, index);
    Child<QPlainTextEdit>(d, "valueEdit")->setPlainText(value);
}

class EditCommandsTest : public apptest::AppTest {};

} // namespace

TEST_F(EditCommandsTest, HeaderEditsKeepTheEncodingAndAreDroppedOnCancelAndTakenBackByCtrlZ) {
    LoadExample();
    // "測定" and "試料" in Shift-JIS: values keep the file's encoding.
    const std::string measured = "\x91\xaa\x92\xe8", sample = "\x8e\x8e\x97\xbf";
    CurrentChart.tags[0].value = measured;
    CurrentChart.tags[1].value = sample;
    CurrentChart.tags[3].value = "\x85\x40"; // a code the code page leaves unassigned
    const SplChart before = CurrentChart;
    WhenModal<HeaderDialog>([&](HeaderDialog* d) {
        EXPECT_EQ(Child<QPlainTextEdit>(d, "valueEdit")->toPlainText(), QStringLiteral("測定"));
        Edit(d, 0, QStringLiteral("changed"));
        Edit(d, 2, QStringLiteral("someone"));
        Child<QPushButton>(d, "cancelButton")->click();
    });
    EXPECT_TRUE(DispatchCommand(window, 40040));
    EXPECT_EQ(CurrentChart.tags[0].value, measured);
    EXPECT_FALSE(window->chartModified());

    WhenModal<HeaderDialog>([&](HeaderDialog* d) {
        Edit(d, 1, QStringLiteral("試料B"));
        Edit(d, 2, QStringLiteral("first line\nsecond line\r\n third"));
        EXPECT_EQ(Pick(d, 1), QStringLiteral("試料B"));
        Child<QPushButton>(d, "okButton")->click();
    });
    EXPECT_EQ(EditHeader(window, 0, nullptr), 1);
    EXPECT_EQ(CurrentChart.tags[0].value + CurrentChart.tags[3].value, measured + "\x85\x40");
    EXPECT_EQ(CurrentChart.tags[1].value, sample + "B");
    EXPECT_EQ(CurrentChart.tags[2].value, "first line second line  third");
    EXPECT_TRUE(window->chartModified());
    EXPECT_EQ(TagValueFromText(QStringLiteral("say \"hi\"")), "say 'hi'");
    EXPECT_EQ(TagValueFromText(QString(2000, QLatin1Char('x'))).size(),
              static_cast<size_t>(SPL_TAG_VALUE_MAX));
    EXPECT_EQ(EncodeHeaderText(QStringLiteral("試料€"), HeaderEncoding::Cp932), sample + "?");
    EXPECT_EQ(TagValueFromText(QStringLiteral("試料")), "試料"); // a UTF-8 file stays UTF-8

    Key(Qt::Key_Z, Qt::ControlModifier);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(CurrentChart.tags[i].value, before.tags[i].value);
    EXPECT_FALSE(window->chartModified());
}

TEST_F(EditCommandsTest, Spl2BoxAsksWhileExtendedSplIsOnAndAChartWithoutTagsOnlyBeeps) {
    LoadExample();
    ASSERT_GE(CurrentChart.version, 2);
    const QString question =
        QStringLiteral("チャートを常に拡張SPLファイルとして扱う設定になっています。"
                       "どうしてもこのチェックを外したいですか？");
    for (bool extended : {true, false}) {
        // With the setting on, unchecking asks (No keeps the box); checking never asks.
        Settings.extendedSpl = extended;
        CurrentChart.version = 3;
        std::vector<bool> checked;
        QStringList asked;
        WhenModal<HeaderDialog>([&](HeaderDialog* d) {
            auto* box = Child<QCheckBox>(d, "spl2Box");
            for (auto answer : {QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes}) {
                asked << Asked(answer, [box] { box->click(); });
                checked.push_back(box->isChecked());
            }
            Child<QPushButton>(d, "okButton")->click();
        });
        EditHeader(window, 0, nullptr);
        EXPECT_EQ(checked, (std::vector<bool>{extended, !extended, extended}));
        EXPECT_EQ(asked, (extended ? QStringList{question, question, {}} : QStringList(3)));
        EXPECT_EQ(CurrentChart.version, extended ? 2 : 1);
    }

    SplChart empty;
    int dialogs = 0;
    WhenModal<HeaderDialog>([&dialogs](HeaderDialog* d) {
        ++dialogs;
        d->reject();
    });
    EXPECT_EQ(EditChartHeader(window, empty), 0);
    apptest::Pump();
    EXPECT_EQ(dialogs, 0);
}

TEST_F(EditCommandsTest, SmoothingRunsFromItsDialogAndItsSettingsFormStoresTheValues) {
    Open();
    EXPECT_EQ(Asked(QMessageBox::Ok, [this] { EXPECT_EQ(RunSmoothing(window), 0); }),
              QStringLiteral("データがありません。"));
    ASSERT_EQ(LoadChart(window, chart), 1);
    ASSERT_EQ(Samples(), 6000);
    const SplSample before[3] = {Rows()->Row(0), Rows()->Row(1), Rows()->Row(2)};

    WhenModal<SmoothingDialog>([](SmoothingDialog* d) {
        Child<QLineEdit>(d, "widthEdit")->setText(QStringLiteral("1"));
        Child<QRadioButton>(d, "optimizeRadio")->click();
        Child<QPushButton>(d, "cancelButton")->click();
    });
    EXPECT_EQ(Smoothing(window, 0, nullptr), 1);
    EXPECT_EQ(Rows()->Row(0).smoothed, before[0].smoothed);
    EXPECT_FALSE(window->chartModified());
    EXPECT_FALSE(Settings.smoothOptimize);

    // Widths that are no number keep the dialog open; so does a minimum above the width. A run
    // takes the width typed (zeros count beyond the start) and leaves the settings alone.
    std::vector<bool> stillOpen;
    int step = 0;
    OnDialog<SmoothingDialog>([&](SmoothingDialog* d) {
        if (step == 0) {
            EXPECT_EQ(Child<QLineEdit>(d, "widthEdit")->text(), QStringLiteral("7"));
        }
        const char* texts[] = {"abc", "-3", "3x", "99999999999", "2", "2"};
        Child<QLineEdit>(d, "widthEdit")->setText(QString::fromLatin1(texts[step]));
        if (step == 4) Child<QLineEdit>(d, "minEdit")->setText(QStringLiteral("1.5"));
        if (step == 5) Child<QLineEdit>(d, "minEdit")->setText(QStringLiteral(" 0 "));
        Child<QPushButton>(d, "startButton")->click();
        stillOpen.push_back(d->isVisible());
        return ++step == 6;
    });
    EXPECT_EQ(Smoothing(window, 0, nullptr), 1);
    EXPECT_EQ(stillOpen, (std::vector<bool>{true, true, true, true, true, false}));
    EXPECT_DOUBLE_EQ(Rows()->Row(0).smoothed,
                     (before[0].data + before[1].data + before[2].data) / 5);
    EXPECT_EQ(Settings.smoothWidth, 7);
    EXPECT_TRUE(window->chartModified());

    // The settings form stores its values; reopened, it shows the first function again.
    CurrentWeightFunction = nullptr;
    WhenModal<SmoothingDialog>([](SmoothingDialog* d) {
        Child<QRadioButton>(d, "optimizeRadio")->click();
        EXPECT_TRUE(Child<QComboBox>(d, "functionList")->isEnabled());
        Child<QLineEdit>(d, "widthEdit")->setText(QStringLiteral("4"));
        Child<QLineEdit>(d, "maxEdit")->setText(QStringLiteral("12"));
        Child<QLineEdit>(d, "minEdit")->setText(QStringLiteral("2"));
        Child<QComboBox>(d, "functionList")->setCurrentIndex(1);
        Child<QPushButton>(d, "startButton")->click();
    });
    EXPECT_EQ(SmoothingSettings(window, 0, nullptr), 1);
    EXPECT_EQ(std::tuple(Settings.smoothOptimize, Settings.smoothWidth, Settings.smoothMaxWidth,
                         Settings.smoothMinWidth, CurrentWeightFunction),
              std::tuple(true, 4, 12, 2, &DigitalWeight));
    WhenModal<SmoothingDialog>([](SmoothingDialog* d) {
        EXPECT_EQ(Child<QComboBox>(d, "functionList")->currentIndex(), 0);
        Child<QRadioButton>(d, "noOptimizeRadio")->click();
        EXPECT_FALSE(Child<QLineEdit>(d, "minEdit")->isEnabled());
        Child<QPushButton>(d, "startButton")->click();
    });
    EXPECT_EQ(SmoothingSettings(window, 0, nullptr), 1);
    EXPECT_FALSE(Settings.smoothOptimize);
    EXPECT_EQ(Settings.smoothMaxWidth, 12); // the limits are kept with the optimisation off
    EXPECT_EQ(CurrentWeightFunction, &QuadraticWeight);
}
