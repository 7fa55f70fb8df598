// The header dialog through its command: edits kept on OK and dropped on Cancel, the SPL2 box
// and its question, the beep for a chart without tags, and line breaks in a value.
#include "app/commands/data_dialogs.h"
#include "app/dialogs/header_dialog.h"
#include "chart/spl_io.h"
#include "support/app_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

using apptest::AppTest;
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

class HeaderDialogTest : public AppTest {};

} // namespace

TEST_F(HeaderDialogTest, EditsAreKeptOnOkAndDroppedOnCancel) {
    LoadExample();
    ASSERT_EQ(CurrentChart.tagCount(), 4);
    const SplChart before = CurrentChart;

    QStringList names;
    QString firstValue;
    OnDialog<HeaderDialog>([&](HeaderDialog* d) {
        auto* list = Child<QComboBox>(d, "tagList");
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        firstValue = Child<QPlainTextEdit>(d, "valueEdit")->toPlainText();
        Edit(d, 0, QStringLiteral("changed"));
        Edit(d, 2, QStringLiteral("someone"));
        Child<QPushButton>(d, "cancelButton")->click();
        return true;
    });
    EXPECT_EQ(EditHeader(window, 0, nullptr), 1);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Comment:"), QStringLiteral("Sample:"),
                                  QStringLiteral("Operator:"), QStringLiteral("Num of DATA:")}));
    EXPECT_EQ(firstValue, QStringLiteral("Run 3, detector B"));
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
    EXPECT_EQ(CurrentChart.tagCount(), 4);
    EXPECT_TRUE(window->chartModified());
}

TEST_F(HeaderDialogTest, Spl2BoxAsksWhileExtendedSplIsOn) {
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
    EXPECT_EQ(no->count, 1);
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
}

TEST_F(HeaderDialogTest, NoTagsOnlyBeeps) {
    Open();
    int dialogs = 0;
    OnDialog<HeaderDialog>([&dialogs](HeaderDialog* d) {
        ++dialogs;
        d->reject();
        return true;
    });
    EXPECT_EQ(EditHeader(window, 0, nullptr), 1);
    apptest::Pump();
    EXPECT_EQ(dialogs, 0);
    SplChart empty;
    EXPECT_EQ(EditChartHeader(window, empty), 0);
}

TEST_F(HeaderDialogTest, ValuesKeepTheFilesEncodingAndLineBreaksBecomeBlanks) {
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
    EXPECT_EQ(CurrentChart.tags[2].value, "first line second line  third");
    EXPECT_EQ(TagValueFromText(QStringLiteral("say \"hi\"")), "say 'hi'");
    EXPECT_EQ(TagValueFromText(QString(2000, QLatin1Char('x'))).size(),
              static_cast<size_t>(SPL_TAG_VALUE_MAX));
    EXPECT_EQ(DecodeHeaderText("Run 3"), QStringLiteral("Run 3"));
    EXPECT_EQ(EncodeHeaderText(QStringLiteral("試料€"), HeaderEncoding::Cp932), sample + "?");
    // A UTF-8 file stays UTF-8.
    EXPECT_EQ(TagValueFromText(QStringLiteral("試料")), "試料");

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
