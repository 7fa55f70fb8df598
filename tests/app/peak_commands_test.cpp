// Peaks on the real main window: Enter thrice commits one, Ctrl+Z and Ctrl+Y take it back and
// redo it, Ctrl+S saves it, Open and Quit ask before unsaved peaks are lost, the peak list (its
// lines, renaming in place, deleting, taking a peak up again) and Save Peaks (the PKS file, the
// low-peak question, failures).
#include "app/commands/data_dialogs.h"
#include "app/dialogs/peak_list_dialog.h"
#include "app/window/command_table.h"
#include "chart/spl_io.h"
#include "support/app_test_support.h"
#include "support/files.h"

#include <QFileInfo>
#include <QListWidget>

#include <cerrno>
#include <cstring>

using apptest::Pump;

namespace {

std::vector<std::string> PeakNames(VortanMain* w) {
    int count = 0;
    std::vector<std::string> names;
    std::unique_ptr<PeakEntry[]> peaks = GetPeakList(w->view(), &count);
    for (int i = 0; peaks && i < count; ++i)
        names.emplace_back(peaks[i].name, strnlen(peaks[i].name, MAX_ELEM_NAME));
    return names;
}

// Rows of the file marked as peaks.
int PeakRows(const std::string& file) {
    SplChart header;
    std::optional<ChartStore> rows = ReadSplData(file, header);
    EXPECT_TRUE(rows.has_value()) << file;
    if (!rows) return -1;
    int n = 0;
    for (const RowMark& row : rows->Marks())
        n += (row.flags & SAMPLE_HAS_PEAK) != 0;
    return n;
}

QListWidget* List(QDialog* d) {
    return d->findChild<QListWidget*>(QStringLiteral("list1014"));
}

void Click(QDialog* d, const char* name) {
    d->findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

// A double click as the window system delivers it: press, release, press, double click, release.
void DoubleClick(QWidget* target, QPoint at) {
    for (QEvent::Type type :
         {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
          QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        apptest::Mouse(target, type, at, Qt::LeftButton);
}

class PeakCommandsTest : public apptest::AppTest {
  protected:
    void TearDown() override {
        SetPeakFileDialogHook(nullptr);
        apptest::AppTest::TearDown();
    }
    // The save dialog answers with target (none: cancelled) and records what it was offered.
    void ChooseFile(std::optional<std::string> target) {
        SetPeakFileDialogHook([this, target](QWidget* owner, const QString& proposed) {
            ++dialogs;
            offered = proposed;
            EXPECT_EQ(owner, window);
            return target ? std::optional<QString>(QString::fromStdString(*target)) : std::nullopt;
        });
    }
    int dialogs = 0;
    QString offered;
};

} // namespace

TEST_F(PeakCommandsTest, EnterThriceCommitsCtrlSSavesAndOpenOrQuitAskBeforePeaksAreLost) {
    LoadExample();
    const int before = PeakRows(chart);
    Key(Qt::Key_Return);
    Key(Qt::Key_Return);
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
    const size_t peaks = PeakNames(window).size();
    // Ctrl+Z takes it back to the file's state (no question on closing); Ctrl+Y redoes it.
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(PeakNames(window).size(), peaks - 1);
    EXPECT_FALSE(window->chartModified());
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(PeakNames(window).size(), peaks);
    EXPECT_TRUE(window->chartModified());
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window->chartModified());
    EXPECT_EQ(PeakRows(chart), before + 1);

    // One more committed: Open and closing ask first, and Cancel keeps everything.
    Key(Qt::Key_Right, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Return);
    bool dialogShown = false;
    SetFileDialogHook([&dialogShown](QWidget*, bool, const QString&) -> std::optional<QString> {
        dialogShown = true;
        return std::nullopt;
    });
    const auto openThenClose = [this] {
        Key(Qt::Key_O, Qt::ControlModifier);
        EXPECT_FALSE(window->close());
    };
    EXPECT_EQ(Asked(QMessageBox::Cancel, openThenClose, 2),
              QStringLiteral("チャートが変更されています。保存しますか？"));
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(PeakRows(chart), before + 1);

    // Quitting while another is being set and saving keeps the committed one.
    Key(Qt::Key_Right, Qt::ControlModifier);
    Key(Qt::Key_Return);
    ASSERT_NE(GetChartMode(window->view()), CHART_MODE_VIEW);
    EXPECT_FALSE(Asked(QMessageBox::Yes, [this] { Key(Qt::Key_Q, Qt::ControlModifier); }).isNull());
    EXPECT_EQ(MainWindow, nullptr);
    EXPECT_EQ(PeakRows(chart), before + 2);
}

TEST(PeakLine, NameCutPositionTruncatedThreeDigitExponents) {
    PeakEntry entry;
    std::strcpy(entry.name, "ABCDEFGHIJKLMN");
    entry.position = 1234.7;
    EXPECT_EQ(PeakLine(entry, 0.001, -0.0025).toStdString(),
              "ABCDEFGHIJ\t  1234\t 1.00000000E-003\t-2.50000000E-003");
    std::strcpy(entry.name, "U");
    entry.position = 7.0;
    EXPECT_EQ(PeakLine(entry, 1.5, 0.0).toStdString(),
              "U         \t     7\t 1.50000000E+000\t 0.00000000E+000");
    entry.position = 1e300; // a damaged position does not overflow the conversion
    EXPECT_TRUE(PeakLine(entry, 0, 0).contains(QStringLiteral("2147483647")));
    // Names are cut and padded by screen columns, never inside a character.
    const struct {
        const char* name;
        const char* shown;
    } names[] = {{"ピーク名前テスト", "ピーク名前"},
                 {"Cs ピーク", "Cs ピーク "},
                 {"Cs ピークピ", "Cs ピーク "}, // a wide character never straddles the edge
                 {"ｾｼｳﾑ137ABCDEF", "ｾｼｳﾑ137ABC"},
                 {"Co六十A", "Co六十A   "}};
    for (const auto& n : names) {
        std::strcpy(entry.name, n.name);
        EXPECT_EQ(PeakLine(entry, 0, 0).section(QLatin1Char('\t'), 0, 0),
                  QString::fromUtf8(n.shown));
    }
}

TEST_F(PeakCommandsTest, PeakListRenamesInPlaceTakesOnePeakUpAndDeletesOnlyWhenAsked) {
    LoadExample();
    const std::vector<std::string> before = PeakNames(window);
    ASSERT_EQ(before.size(), 5u);
    const QString kana = QStringLiteral("ピークピークピークピークピーク"); // 45 bytes
    std::vector<bool> selected, open;
    WhenModal<PeakListDialog>([&](PeakListDialog* d) {
        QListWidget* list = List(d);
        EXPECT_EQ(list->count(), 5);
        EXPECT_TRUE(list->item(4)->text().startsWith(QString::fromStdString(before[4])));
        QTest::keyClick(d, Qt::Key_Escape); // ignored
        open.push_back(d->isVisible());

        // A double click renames a line without selecting it; Enter stores the name.
        list->item(0)->setSelected(true);
        const QPoint line1 = list->visualItemRect(list->item(1)).center();
        DoubleClick(list->viewport(), line1);
        if (!d->editor()) return Click(d, "close8");
        selected.push_back(list->item(1)->isSelected());
        d->editor()->setText(kana);
        QTest::keyClick(d->editor(), Qt::Key_Return);
        selected.push_back(list->item(1)->isSelected());
        selected.push_back(list->item(0)->isSelected());
        // A click elsewhere ends the rename without storing it.
        DoubleClick(list->viewport(), list->visualItemRect(list->item(2)).center());
        if (!d->editor()) return Click(d, "close8");
        d->editor()->setText(QStringLiteral("lost"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line1);
        Pump();
        EXPECT_EQ(d->editor(), nullptr);
        selected.push_back(list->item(2)->isSelected());

        // Select takes up exactly one peak: with two selected the list stays.
        list->clearSelection();
        list->item(1)->setSelected(true);
        list->item(3)->setSelected(true);
        Click(d, "select1");
        open.push_back(d->isVisible());
        EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
        list->item(1)->setSelected(false);
        Click(d, "select1");
    });
    EXPECT_TRUE(DispatchCommand(window, 40039));
    EXPECT_EQ(open, (std::vector<bool>{true, true}));
    EXPECT_EQ(selected, (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_BASE);
    ASSERT_NE(window->view()->CurrentPeakSet(), nullptr);
    EXPECT_EQ(window->view()->CurrentPeakSet()->editIndex, 3);
    Key(Qt::Key_Escape);
    const std::vector<std::string> renamed = PeakNames(window);
    ASSERT_EQ(renamed.size(), 5u);
    // Stored whole characters only: nine of them fit the 29 bytes.
    EXPECT_EQ(QString::fromStdString(renamed[1]), kana.left(9));
    EXPECT_EQ(renamed[2], before[2]);

    QString question, lastWords;
    WhenModal<PeakListDialog>([&](PeakListDialog* d) {
        Click(d, "delete1020"); // nothing selected: nothing happens
        EXPECT_EQ(List(d)->count(), 5);
        List(d)->item(0)->setSelected(true);
        List(d)->item(2)->setSelected(true);
        Click(d, "delete1020");
        EXPECT_EQ(List(d)->count(), 3);
        EXPECT_TRUE(
            List(d)->item(1)->text().startsWith(QString::fromStdString(before[3]).left(10)));
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            question = box->text();
            box->button(QMessageBox::No)->click();
        });
        Click(d, "deleteAll1022");
        EXPECT_TRUE(d->isVisible());
        // Deleting the last peaks one by one says so and closes the list.
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            lastWords = box->text();
            box->accept();
        });
        for (int i = 0; i < 3; ++i)
            List(d)->item(i)->setSelected(true);
        Click(d, "delete1020");
    });
    EXPECT_EQ(PeakListCommand(window, 0, nullptr), 1);
    EXPECT_EQ(question, QStringLiteral("全てのピークを削除します。よろしいですか？"));
    EXPECT_EQ(lastWords, QStringLiteral("ピークがありません。ウインドウを閉じます。"));
    EXPECT_TRUE(PeakNames(window).empty());
    EXPECT_TRUE(window->chartModified());
    EXPECT_EQ(PeakListCommand(window, 0, nullptr), 0); // with no peaks left no list opens
}

TEST_F(PeakCommandsTest, SavePeaksWritesTheSortedTableAsksAboutLowPeaksAndSaysWhyItFailed) {
    Open();
    ChooseFile(Path("none.PKS"));
    EXPECT_EQ(SavePeaks(window, 0, nullptr), 0); // no chart file: silent
    ChartFileName = Path("somewhere.spl");       // a file name, but no chart in the viewer
    const auto save = [this] { Key(Qt::Key_P, Qt::ControlModifier); };
    EXPECT_EQ(Asked(QMessageBox::Ok, save), QStringLiteral("ピークがありません。"));
    EXPECT_EQ(dialogs, 0);

    LoadExample();
    const std::string target = Path("out.PKS");
    ChooseFile(target);
    save();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(offered.toStdString(), Path("run3-peaks.PKS"));
    const std::string text = Slurp(target);
    EXPECT_TRUE(text.ends_with(" 4200,   5.49520510E-001, \"Ba-133\"\r\n")) << text;

    // The file exists now: replaced only when the user says so.
    std::ofstream(target, std::ios::binary) << "kept";
    EXPECT_EQ(Asked(QMessageBox::No, save), QStringLiteral("%1 は既に存在します。置き換えますか？")
                                                .arg(QString::fromStdString(target)));
    EXPECT_TRUE(Slurp(target) == "kept");
    EXPECT_FALSE(Asked(QMessageBox::Yes, save).isNull());
    EXPECT_TRUE(Slurp(target) == text);

    // Cancelled, nothing is written; a failed write names the file and the system's reason, never
    // the temporary file.
    ChooseFile(std::nullopt);
    save();
    const std::string missing = Path("missing-folder/out.PKS");
    ChooseFile(missing);
    EXPECT_EQ(
        Asked(QMessageBox::Ok, save),
        QStringLiteral("ピークファイルを保存できませんでした。\n%1\n%2")
            .arg(QString::fromStdString(missing), QString::fromLocal8Bit(std::strerror(ENOENT))));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.PKS")}),
              QStringList{QStringLiteral("out.PKS")});

    // A very low peak: Yes stops the save before the dialog, No writes every peak.
    double base = 0.002, top = base + 0.000005;
    ASSERT_EQ(SetPeakInfo(window->view(), 0, 1, &top, &base, nullptr), 1);
    const std::string low = Path("low.PKS");
    ChooseFile(low);
    dialogs = 0;
    EXPECT_EQ(Asked(QMessageBox::Yes, save),
              QStringLiteral("1500に非常に低い(0.001mV未満)ピークがあります。"
                             "本当にピークかどうかをチェックしてください。"
                             "ピークの保存を中止しますか？"));
    EXPECT_EQ(dialogs, 0);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(low)));
    EXPECT_FALSE(Asked(QMessageBox::No, save).isNull());
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(low)));
}
