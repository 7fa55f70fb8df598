// Smoothing through the real main window and the real smoothing dialog: the run, its refusals,
// cancelling, and the settings form.
#include "app/commands/data_dialogs.h"
#include "app/dialogs/smoothing_dialog.h"
#include "support/app_test_support.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using apptest::AppTest;
using apptest::Child;

namespace {

std::vector<SplSample> Rows(VortanMain* window, uint32_t* flags = nullptr) {
    int count = 0;
    uint32_t f = 0;
    const ChartStore* rows = RetrieveChart(window->view(), &count, &f);
    if (flags) *flags = f;
    std::vector<SplSample> copy;
    for (size_t i = 0; rows && i < rows->size(); ++i)
        copy.push_back(rows->Row(i));
    return copy;
}

int PeakCount(VortanMain* window) {
    int count = 0;
    GetPeakList(window->view(), &count);
    return count;
}

class SmoothingTest : public AppTest {};

} // namespace

TEST_F(SmoothingTest, RunFillsTheSmoothedColumnAndKeepsPeaksAndSettings) {
    LoadExample();
    const std::vector<SplSample> before = Rows(window);
    ASSERT_GT(before.size(), 10u);
    const int peaks = PeakCount(window);
    ASSERT_EQ(peaks, 5);
    // Names the user gave in the peak list outlive the rebuilt tables.
    ASSERT_EQ(SetPeakInfo(window->view(), 0, 1, nullptr, nullptr, "renamed-1"), 1);
    ASSERT_EQ(
        SetPeakInfo(window->view(), 0, 4, nullptr, nullptr, "\xe3\x83\x94\xe3\x83\xbc\xe3\x82\xaf"),
        1);
    window->MarkChartSaved();

    OnDialog<SmoothingDialog>([](SmoothingDialog* d) {
        EXPECT_EQ(Child<QLineEdit>(d, "widthEdit")->text(), QStringLiteral("7"));
        Child<QLineEdit>(d, "widthEdit")->setText(QStringLiteral("2"));
        Child<QPushButton>(d, "startButton")->click();
        return true;
    });
    EXPECT_EQ(Smoothing(window, 0, nullptr), 1);

    uint32_t flags = 0;
    const std::vector<SplSample> after = Rows(window, &flags);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(flags & HASSM);
    // Zeros count beyond the start: row 0 is the sum of rows 0..2 over 5.
    EXPECT_DOUBLE_EQ(after[0].smoothed, (before[0].data + before[1].data + before[2].data) / 5);
    double sum = 0;
    for (int k = 8; k <= 12; ++k)
        sum += before[k].data;
    EXPECT_DOUBLE_EQ(after[10].smoothed, sum / 5);
    EXPECT_EQ(PeakCount(window), peaks);
    int count = 0;
    const std::unique_ptr<PeakEntry[]> list = GetPeakList(window->view(), &count);
    ASSERT_EQ(count, 5);
    EXPECT_STREQ(list[1].name, "renamed-1");
    EXPECT_STREQ(list[4].name, "\xe3\x83\x94\xe3\x83\xbc\xe3\x82\xaf");
    EXPECT_EQ(Settings.smoothWidth, 7); // a run leaves the settings alone
    EXPECT_TRUE(window->chartModified());
    EXPECT_EQ(window->checkedRange, RANGE_FULL_HEIGHT);
}

TEST_F(SmoothingTest, CancelChangesNothingAndAWidthThatIsNoNumberKeepsTheDialogOpen) {
    LoadExample();
    const std::vector<SplSample> before = Rows(window);
    OnDialog<SmoothingDialog>([](SmoothingDialog* d) {
        Child<QLineEdit>(d, "widthEdit")->setText(QStringLiteral("1"));
        Child<QRadioButton>(d, "optimizeRadio")->click();
        Child<QPushButton>(d, "cancelButton")->click();
        return true;
    });
    EXPECT_EQ(Smoothing(window, 0, nullptr), 1);
    const std::vector<SplSample> after = Rows(window);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        ASSERT_EQ(after[i].smoothed, before[i].smoothed);
    EXPECT_FALSE(window->chartModified());
    EXPECT_EQ(Settings.smoothWidth, 7);
    EXPECT_FALSE(Settings.smoothOptimize);

    OnDialog<SmoothingDialog>([](SmoothingDialog* d) {
        Child<QLineEdit>(d, "widthEdit")->setText(QStringLiteral("1"));
        d->reject();
        return true;
    });
    EXPECT_EQ(SmoothingSettings(window, 0, nullptr), 0);
    EXPECT_EQ(Settings.smoothWidth, 7);

    std::vector<bool> stillOpen;
    int step = 0;
    OnDialog<SmoothingDialog>([&](SmoothingDialog* d) {
        auto* width = Child<QLineEdit>(d, "widthEdit");
        auto* start = Child<QPushButton>(d, "startButton");
        const char* texts[] = {"abc", "-3", "3x", "99999999999", "3", "3"};
        width->setText(QString::fromLatin1(texts[step]));
        if (step == 4) Child<QLineEdit>(d, "minEdit")->setText(QStringLiteral("1.5"));
        if (step == 5) Child<QLineEdit>(d, "minEdit")->setText(QStringLiteral(" 0 "));
        start->click();
        stillOpen.push_back(d->isVisible());
        ++step;
        return step == 6;
    });
    EXPECT_EQ(Smoothing(window, 0, nullptr), 1);
    EXPECT_EQ(stillOpen, (std::vector<bool>{true, true, true, true, true, false}));
    const std::vector<SplSample> smoothed = Rows(window);
    ASSERT_EQ(smoothed.size(), before.size());
    EXPECT_DOUBLE_EQ(smoothed[0].smoothed,
                     (before[0].data + before[1].data + before[2].data + before[3].data) / 7);
}

TEST_F(SmoothingTest, SettingsFormStoresTheValuesAndReopensWithTheFirstFunction) {
    Open();
    auto box = Answer(QMessageBox::Ok); // no chart to smooth
    EXPECT_EQ(RunSmoothing(window), 0);
    EXPECT_EQ(box->text, QStringLiteral("データがありません。"));
    CurrentWeightFunction = nullptr;
    OnDialog<SmoothingDialog>([](SmoothingDialog* d) {
        Child<QRadioButton>(d, "optimizeRadio")->click();
        EXPECT_TRUE(Child<QLineEdit>(d, "maxEdit")->isEnabled());
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
    EXPECT_EQ(Settings.smoothMaxWidth, 12);
    EXPECT_EQ(Settings.smoothMinWidth, 2);
    EXPECT_EQ(CurrentWeightFunction, &DigitalWeight);

    int selected = -1;
    bool maxEnabled = false;
    OnDialog<SmoothingDialog>([&](SmoothingDialog* d) {
        selected = Child<QComboBox>(d, "functionList")->currentIndex();
        maxEnabled = Child<QLineEdit>(d, "maxEdit")->isEnabled();
        Child<QRadioButton>(d, "noOptimizeRadio")->click();
        EXPECT_FALSE(Child<QLineEdit>(d, "minEdit")->isEnabled());
        Child<QPushButton>(d, "startButton")->click();
        return true;
    });
    EXPECT_EQ(SmoothingSettings(window, 0, nullptr), 1);
    EXPECT_EQ(selected, 0);
    EXPECT_TRUE(maxEnabled);
    EXPECT_FALSE(Settings.smoothOptimize);
    EXPECT_EQ(Settings.smoothMaxWidth, 12); // the limits are kept with the optimisation off
    EXPECT_EQ(CurrentWeightFunction, &QuadraticWeight);
}
