// Changing the chart on the real main window and taking changes back: Ctrl+Z and Ctrl+Y on a
// committed peak and on a header edit, the header dialog (OK and Cancel, the SPL2 box, encodings,
// line breaks) and the smoothing dialog (runs, refusals, cancelling, the settings form).
#include "app/commands/data_dialogs.h"
#include "app/commands/edit_commands.h"
#include "app/dialogs/header_dialog.h"
#include "app/dialogs/smoothing_dialog.h"
#include "app/window/command_table.h"
#include "app/window/tooltips.h"
#include "chart/spl_io.h"
#include "support/app_test_support.h"

#include <QPlainTextEdit>

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

class EditCommandsTest : public apptest::AppTest {
  protected:
    void SetUp() override {
        static ToolTipInstaller* tips = ToolTipInstaller::Install(qApp);
        (void)tips;
        AppTest::SetUp();
    }
    int Peaks() {
        int count = 0;
        GetPeakList(window->view(), &count);
        return count;
    }
    std::vector<SplSample> Copy() {
        const ChartStore* rows = Rows();
        std::vector<SplSample> copy;
        for (size_t i = 0; rows && i < rows->size(); ++i)
            copy.push_back(rows->Row(i));
        return copy;
    }
};

} // namespace

TEST_F(EditCommandsTest, CtrlZAndCtrlYTakeBackAndRedoACommittedPeak) {
    LoadExample();
    const int before = Peaks();
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Return);
    ASSERT_EQ(Peaks(), before + 1);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Peaks(), before);
    EXPECT_FALSE(window->chartModified()); // back at the file's state: no question on closing
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Peaks(), before + 1);
    EXPECT_TRUE(window->chartModified());
    // The menu items do the same.
    QAction* undo = window->actionFor(CMD_UNDO);
    ASSERT_TRUE(undo);
    EXPECT_TRUE(undo->text().startsWith(QStringLiteral("元に戻す")));
    undo->trigger();
    EXPECT_EQ(Peaks(), before);
    window->actionFor(CMD_REDO)->trigger();
    EXPECT_EQ(Peaks(), before + 1);
}

TEST_F(EditCommandsTest, HeaderEditsAreKeptOnOkDroppedOnCancelAndTakenBackByCtrlZ) {
    LoadExample();
    ASSERT_EQ(CurrentChart.tagCount(), 4);
    const SplChart before = CurrentChart;
    QStringList names;
    QString firstValue, tip;
    OnDialog<HeaderDialog>([&](HeaderDialog* d) {
        auto* list = Child<QComboBox>(d, "tagList");
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        firstValue = Child<QPlainTextEdit>(d, "valueEdit")->toPlainText();
        tip = Child<QWidget>(d, "okButton")->toolTip();
        Edit(d, 0, QStringLiteral("changed"));
        Edit(d, 2, QStringLiteral("someone"));
        Child<QPushButton>(d, "cancelButton")->click();
        return true;
    });
    EXPECT_TRUE(DispatchCommand(window, 40040));
    EXPECT_EQ(names, (QStringList{QStringLiteral("Comment:"), QStringLiteral("Sample:"),
                                  QStringLiteral("Operator:"), QStringLiteral("Num of DATA:")}));
    EXPECT_EQ(firstValue, QStringLiteral("Run 3, detector B"));
    EXPECT_EQ(tip, ToolTipFor(QStringLiteral("HeaderDialog"), QStringLiteral("okButton")));
    EXPECT_EQ(CurrentChart.tags[0].value, before.tags[0].value);
    EXPECT_EQ(CurrentChart.tags[2].value, before.tags[2].value);
    EXPECT_FALSE(window->chartModified());

    QString backAgain;
    OnDialog<HeaderDialog>([&](HeaderDialog* d) {
        Edit(d, 0, QStringLiteral("Run 3, redone"));
        Edit(d, 2, QStringLiteral("someone"));
        backAgain = Pick(d, 0);
        Edit(d, 1, QStringLiteral("Soil core 13"));
        Child<QPushButton>(d, "okButton")->click();
        return true;
    });
    EXPECT_EQ(EditHeader(window, 0, nullptr), 1);
    EXPECT_EQ(backAgain, QStringLiteral("Run 3, redone"));
    EXPECT_EQ(CurrentChart.tags[0].value, "Run 3, redone");
    EXPECT_EQ(CurrentChart.tags[1].value, "Soil core 13");
    EXPECT_EQ(CurrentChart.tags[2].value, "someone");
    EXPECT_EQ(CurrentChart.tags[3].value, before.tags[3].value);
    EXPECT_TRUE(window->chartModified());

    Key(Qt::Key_Z, Qt::ControlModifier);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(CurrentChart.tags[i].value, before.tags[i].value);
    EXPECT_FALSE(window->chartModified());
}

TEST_F(EditCommandsTest, HeaderValuesKeepTheFilesEncodingAndLineBreaksBecomeBlanks) {
    LoadExample();
    // "測定" and "試料" in Shift-JIS; the third value is plain ASCII.
    const std::string measured = "\x91\xaa\x92\xe8", sample = "\x8e\x8e\x97\xbf";
    CurrentChart.tags[0].value = measured;
    CurrentChart.tags[1].value = sample;
    QString shown;
    OnDialog<HeaderDialog>([&shown](HeaderDialog* d) {
        shown = Pick(d, 0);
        Edit(d, 1, QStringLiteral("試料B"));
        Edit(d, 2, QStringLiteral("first line\nsecond line\r\n third"));
        Child<QPushButton>(d, "okButton")->click();
        return true;
    });
    EditHeader(window, 0, nullptr);
    EXPECT_EQ(shown, QStringLiteral("測定"));
    EXPECT_EQ(CurrentChart.tags[0].value, measured); // untouched bytes stay
    EXPECT_EQ(CurrentChart.tags[1].value, sample + "B");
    EXPECT_EQ(TagValueFromText(QStringLiteral("say \"hi\"")), "say 'hi'");
    EXPECT_EQ(TagValueFromText(QString(2000, QLatin1Char('x'))).size(),
              static_cast<size_t>(SPL_TAG_VALUE_MAX));
    EXPECT_EQ(EncodeHeaderText(QStringLiteral("試料€"), HeaderEncoding::Cp932), sample + "?");
    EXPECT_EQ(TagValueFromText(QStringLiteral("試料")), "試料"); // a UTF-8 file stays UTF-8

    // Saved and read back, the chart keeps every row and the edited values.
    const std::string saved = Path("saved.spl");
    ASSERT_EQ(StoreChart(window, saved), SAVE_DONE);
    SplChart header;
    std::optional<ChartStore> rows = ReadSplData(saved, header);
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->size(), 6000u);
    EXPECT_EQ(header.tags[2].value, "first line second line  third");
    EXPECT_EQ(header.tags[1].value, sample + "B");
}

TEST_F(EditCommandsTest, Spl2BoxAsksWhileExtendedSplIsOnAndAChartWithoutTagsOnlyBeeps) {
    LoadExample();
    Settings.extendedSpl = true;
    ASSERT_GE(CurrentChart.version, 2);
    bool checkedOnOpening = false;
    std::vector<bool> afterAnswers;
    std::shared_ptr<apptest::BoxSeen> no, yes;
    OnDialog<HeaderDialog>([&](HeaderDialog* d) {
        auto* box = Child<QCheckBox>(d, "spl2Box");
        checkedOnOpening = box->isChecked();
        no = Answer(QMessageBox::No);
        box->click();
        afterAnswers.push_back(box->isChecked());
        yes = Answer(QMessageBox::Yes);
        box->click();
        afterAnswers.push_back(box->isChecked());
        Child<QPushButton>(d, "okButton")->click();
        return true;
    });
    EditHeader(window, 0, nullptr);
    EXPECT_TRUE(checkedOnOpening);
    EXPECT_EQ(afterAnswers, (std::vector<bool>{true, false}));
    ASSERT_TRUE(no && yes);
    EXPECT_EQ(no->text, QStringLiteral("チャートを常に拡張SPLファイルとして扱う設定になっています。"
                                       "どうしてもこのチェックを外したいですか？"));
    EXPECT_EQ(CurrentChart.version, 1);

    // With the setting off nothing is asked; checking never asks.
    Settings.extendedSpl = false;
    CurrentChart.version = 3;
    auto none = Answer(QMessageBox::No);
    OnDialog<HeaderDialog>([](HeaderDialog* d) {
        Child<QCheckBox>(d, "spl2Box")->click();
        Child<QCheckBox>(d, "spl2Box")->click();
        Child<QPushButton>(d, "okButton")->click();
        return true;
    });
    EditHeader(window, 0, nullptr);
    EXPECT_EQ(none->count, 0);
    EXPECT_EQ(CurrentChart.version, 2);
    StopAnswering();

    SplChart empty;
    int dialogs = 0;
    OnDialog<HeaderDialog>([&dialogs](HeaderDialog* d) {
        ++dialogs;
        d->reject();
        return true;
    });
    EXPECT_EQ(EditChartHeader(window, empty), 0);
    apptest::Pump();
    EXPECT_EQ(dialogs, 0);
}

TEST_F(EditCommandsTest, SmoothingRunsFromItsDialogAndItsSettingsFormStoresTheValues) {
    Open();
    auto box = Answer(QMessageBox::Ok); // no chart to smooth
    EXPECT_EQ(RunSmoothing(window), 0);
    EXPECT_EQ(box->text, QStringLiteral("データがありません。"));
    ASSERT_EQ(LoadChart(window, chart), 1);
    const std::vector<SplSample> before = Copy();
    ASSERT_EQ(before.size(), 6000u);
    // Names the user gave in the peak list outlive the rebuilt tables.
    ASSERT_EQ(SetPeakInfo(window->view(), 0, 1, nullptr, nullptr, "renamed-1"), 1);
    window->MarkChartSaved();

    OnDialog<SmoothingDialog>([](SmoothingDialog* d) {
        Child<QLineEdit>(d, "widthEdit")->setText(QStringLiteral("1"));
        Child<QRadioButton>(d, "optimizeRadio")->click();
        Child<QPushButton>(d, "cancelButton")->click();
        return true;
    });
    EXPECT_EQ(Smoothing(window, 0, nullptr), 1);
    std::vector<SplSample> after = Copy();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        ASSERT_EQ(after[i].smoothed, before[i].smoothed);
    EXPECT_FALSE(window->chartModified());
    EXPECT_FALSE(Settings.smoothOptimize);

    OnDialog<SmoothingDialog>([](SmoothingDialog* d) {
        EXPECT_EQ(Child<QLineEdit>(d, "widthEdit")->text(), QStringLiteral("7"));
        Child<QLineEdit>(d, "widthEdit")->setText(QStringLiteral("2"));
        Child<QPushButton>(d, "startButton")->click();
        return true;
    });
    EXPECT_EQ(Smoothing(window, 0, nullptr), 1);
    after = Copy();
    ASSERT_EQ(after.size(), before.size());
    // Zeros count beyond the start: row 0 is the sum of rows 0..2 over 5.
    EXPECT_DOUBLE_EQ(after[0].smoothed, (before[0].data + before[1].data + before[2].data) / 5);
    int count = 0;
    const std::unique_ptr<PeakEntry[]> list = GetPeakList(window->view(), &count);
    ASSERT_EQ(count, 5);
    EXPECT_STREQ(list[1].name, "renamed-1");
    EXPECT_EQ(Settings.smoothWidth, 7); // a run leaves the settings alone
    EXPECT_TRUE(window->chartModified());
    EXPECT_EQ(window->checkedRange, RANGE_FULL_HEIGHT);

    // Widths that are no number keep the dialog open; so does a minimum above the width.
    std::vector<bool> stillOpen;
    int step = 0;
    OnDialog<SmoothingDialog>([&](SmoothingDialog* d) {
        const char* texts[] = {"abc", "-3", "3x", "99999999999", "3", "3"};
        Child<QLineEdit>(d, "widthEdit")->setText(QString::fromLatin1(texts[step]));
        if (step == 4) Child<QLineEdit>(d, "minEdit")->setText(QStringLiteral("1.5"));
        if (step == 5) Child<QLineEdit>(d, "minEdit")->setText(QStringLiteral(" 0 "));
        Child<QPushButton>(d, "startButton")->click();
        stillOpen.push_back(d->isVisible());
        return ++step == 6;
    });
    EXPECT_EQ(Smoothing(window, 0, nullptr), 1);
    EXPECT_EQ(stillOpen, (std::vector<bool>{true, true, true, true, true, false}));
    EXPECT_DOUBLE_EQ(Copy()[0].smoothed,
                     (before[0].data + before[1].data + before[2].data + before[3].data) / 7);

    // The settings form stores its values; reopened, it shows the first function again.
    CurrentWeightFunction = nullptr;
    OnDialog<SmoothingDialog>([](SmoothingDialog* d) {
        Child<QRadioButton>(d, "optimizeRadio")->click();
        EXPECT_TRUE(Child<QComboBox>(d, "functionList")->isEnabled());
        Child<QLineEdit>(d, "widthEdit")->setText(QStringLiteral("4"));
        Child<QLineEdit>(d, "maxEdit")->setText(QStringLiteral("12"));
        Child<QLineEdit>(d, "minEdit")->setText(QStringLiteral("2"));
        Child<QComboBox>(d, "functionList")->setCurrentIndex(1);
        Child<QPushButton>(d, "startButton")->click();
        return true;
    });
    EXPECT_EQ(SmoothingSettings(window, 0, nullptr), 1);
    EXPECT_TRUE(Settings.smoothOptimize);
    EXPECT_EQ(Settings.smoothWidth, 4);
    EXPECT_EQ(Settings.smoothMinWidth, 2);
    EXPECT_EQ(CurrentWeightFunction, &DigitalWeight);
    int selected = -1;
    OnDialog<SmoothingDialog>([&](SmoothingDialog* d) {
        selected = Child<QComboBox>(d, "functionList")->currentIndex();
        Child<QRadioButton>(d, "noOptimizeRadio")->click();
        EXPECT_FALSE(Child<QLineEdit>(d, "minEdit")->isEnabled());
        Child<QPushButton>(d, "startButton")->click();
        return true;
    });
    EXPECT_EQ(SmoothingSettings(window, 0, nullptr), 1);
    EXPECT_EQ(selected, 0);
    EXPECT_FALSE(Settings.smoothOptimize);
    EXPECT_EQ(Settings.smoothMaxWidth, 12); // the limits are kept with the optimisation off
    EXPECT_EQ(CurrentWeightFunction, &QuadraticWeight);
}
