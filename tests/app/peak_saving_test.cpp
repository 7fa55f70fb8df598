// Save Peaks through the real main window: the PKS file written, the proposed name, the question
// about a very low peak, and the messages when there is nothing to save or the write fails.
#include "app/commands/data_dialogs.h"
#include "support/app_test_support.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

using apptest::AppTest;

namespace {

QByteArray ReadAll(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

class SavePeaksTest : public AppTest {
  protected:
    void TearDown() override {
        SetPeakFileDialogHook(nullptr);
        AppTest::TearDown();
    }

    // The save dialog answers with target and records what it was offered.
    void ChooseFile(const std::string& target) {
        SetPeakFileDialogHook([this, target](QWidget* owner, const QString& proposed) {
            ++dialogs;
            offered = proposed;
            EXPECT_EQ(owner, window);
            return std::optional<QString>(QString::fromStdString(target));
        });
    }

    int dialogs = 0;
    QString offered;
};

} // namespace

TEST_F(SavePeaksTest, WritesTheCurrentTableSortedWithTheHeaderAndReplacesOnlyWhenAsked) {
    LoadExample();
    const std::string target = Path("out.PKS");
    ChooseFile(target);
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 1);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(offered.toStdString(), Path("run3-peaks.PKS"));
    const QByteArray text = ReadAll(target);
    EXPECT_TRUE(text.startsWith("\"Comment:\",\"Run 3, detector B\"\r\n"
                                "\"Sample:\",\"Soil core 12\"\r\n"
                                "\"Operator:\",\"lab\"\r\n"
                                "  700,   3.49959870E-001, \"Cs-137\"\r\n"))
        << text.toStdString();
    EXPECT_EQ(text.count("\r\n"), 8);
    EXPECT_TRUE(text.endsWith(" 4200,   5.49520510E-001, \"Ba-133\"\r\n")) << text.toStdString();

    // The file exists now: replaced only when the user says so.
    QFile old(QString::fromStdString(target));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("kept");
    old.close();
    auto no = Answer(QMessageBox::No);
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 1);
    EXPECT_EQ(no->text, QStringLiteral("%1 は既に存在します。置き換えますか？")
                            .arg(QString::fromStdString(target)));
    EXPECT_EQ(ReadAll(target), QByteArray("kept"));
    auto yes = Answer(QMessageBox::Yes);
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 1);
    EXPECT_EQ(yes->count, 1);
    EXPECT_EQ(ReadAll(target), text);
}

TEST_F(SavePeaksTest, LowPeakAnsweredYesWritesNothingNoWritesAll) {
    LoadExample();
    double base = 0.002;
    double top = base + 0.000005;
    ASSERT_EQ(SetPeakInfo(window->view(), 0, 1, &top, &base, nullptr), 1);
    const std::string target = Path("low.PKS");
    ChooseFile(target);

    auto yes = Answer(QMessageBox::Yes);
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 1);
    EXPECT_EQ(yes->count, 1);
    EXPECT_EQ(yes->text, QStringLiteral("1500に非常に低い(0.001mV未満)ピークがあります。"
                                        "本当にピークかどうかをチェックしてください。"
                                        "ピークの保存を中止しますか？"));
    EXPECT_EQ(dialogs, 0);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(target)));

    auto no = Answer(QMessageBox::No);
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 1);
    EXPECT_EQ(no->count, 1);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(ReadAll(target).contains(" 1500,   5.00000000E-006, \"Co-60\"\r\n"));
}

TEST_F(SavePeaksTest, NothingToSaveCancelAndAFailedWriteLeaveNoFile) {
    Open();
    ChooseFile(Path("none.PKS"));
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 0); // no chart file: silent
    ChartFileName = Path("somewhere.spl");       // a file name, but no chart in the viewer
    auto box = Answer(QMessageBox::Ok);
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 0);
    EXPECT_EQ(box->text, QStringLiteral("ピークがありません。"));
    EXPECT_EQ(dialogs, 0);
    delete window;
    window = nullptr;

    LoadExample();
    SetPeakFileDialogHook([](QWidget*, const QString&) { return std::optional<QString>(); });
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 1);
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.PKS")}).isEmpty());
    const std::string target = Path("missing-folder/out.PKS");
    ChooseFile(target);
    auto failed = Answer(QMessageBox::Ok);
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 1);
    // The file the user chose and the system's reason; never the temporary file.
    EXPECT_EQ(failed->text, QStringLiteral("ピークファイルを保存できませんでした。\n%1\n%2")
                                .arg(QString::fromStdString(target),
                                     QString::fromLocal8Bit(std::strerror(ENOENT))));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(target)));
}
