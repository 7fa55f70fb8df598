// The peak list dialog on the example chart with five peaks: its lines, renaming in place,
// deleting and selecting a peak to re-set it.
#include "app/dialogs/peak_list_dialog.h"
#include "support/panel_fixture.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <cstring>
#include <string>

namespace {

std::vector<std::string> PeakNames(VortanMain* w) {
    int count = 0;
    std::vector<std::string> names;
    std::unique_ptr<PeakEntry[]> peaks = GetPeakList(w->view(), &count);
    for (int i = 0; peaks && i < count; ++i)
        names.emplace_back(peaks[i].name, strnlen(peaks[i].name, MAX_ELEM_NAME));
    return names;
}

QListWidget* List(QDialog* d) {
    return d->findChild<QListWidget*>(QStringLiteral("list1014"));
}

void Click(QDialog* d, const char* name) {
    d->findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

void KeyTo(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

// A double click as the window system delivers it: press, release, press, double click, release.
void DoubleClick(QWidget* target, QPoint at) {
    const QPoint global = target->mapToGlobal(at);
    for (QEvent::Type type :
         {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
          QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    Pump();
}

} // namespace

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

TEST_F(PanelTest, PeakListShowsEveryPeak) {
    LoadExample();
    const std::vector<std::string> names = PeakNames(window);
    ASSERT_EQ(names.size(), 5u);
    QStringList lines;
    QString title;
    WhenModal<PeakListDialog>([&](PeakListDialog* d) {
        title = d->windowTitle();
        for (int i = 0; i < List(d)->count(); ++i)
            lines << List(d)->item(i)->text();
        KeyTo(d, Qt::Key_Escape); // ignored
        EXPECT_TRUE(d->isVisible());
        Click(d, "close8");
    });
    EXPECT_EQ(PeakListCommand(window, 0, nullptr), 1);
    EXPECT_EQ(title, QStringLiteral("ピーク一覧"));
    ASSERT_EQ(lines.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        ASSERT_EQ(fields.size(), 4) << lines[i].toStdString();
        EXPECT_EQ(fields[0].size(), 10);
        EXPECT_EQ(fields[0].trimmed().toStdString(), names[i].substr(0, 10));
        EXPECT_EQ(fields[1].size(), 6);
        EXPECT_EQ(fields[2].size(), 16);
    }
}

TEST_F(PanelTest, PeakListDoubleClickRenamesWithoutTouchingTheSelection) {
    LoadExample();
    const std::vector<std::string> before = PeakNames(window);
    const QString kana = QStringLiteral("ピークピークピークピークピーク"); // 45 bytes
    bool selected[3] = {true, true, true};
    WhenModal<PeakListDialog>([&](PeakListDialog* d) {
        QListWidget* list = List(d);
        list->item(0)->setSelected(true);
        const QPoint line1 = list->visualItemRect(list->item(1)).center();
        DoubleClick(list->viewport(), line1);
        if (!d->editor()) {
            ADD_FAILURE() << "no editor";
            return Click(d, "close8");
        }
        selected[0] = list->item(1)->isSelected();
        d->editor()->setText(kana);
        KeyTo(d->editor(), Qt::Key_Return);
        selected[1] = list->item(1)->isSelected();
        EXPECT_TRUE(list->item(0)->isSelected());

        // A click elsewhere ends the rename without saving.
        DoubleClick(list->viewport(), list->visualItemRect(list->item(2)).center());
        if (!d->editor()) {
            ADD_FAILURE() << "no editor";
            return Click(d, "close8");
        }
        d->editor()->setText(QStringLiteral("lost"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line1);
        Pump();
        EXPECT_EQ(d->editor(), nullptr);
        selected[2] = list->item(2)->isSelected();
        Click(d, "close8");
    });
    PeakListCommand(window, 0, nullptr);
    EXPECT_FALSE(selected[0]);
    EXPECT_FALSE(selected[1]);
    EXPECT_FALSE(selected[2]);
    const std::vector<std::string> after = PeakNames(window);
    // Stored whole characters only: nine of them fit the 29 bytes.
    EXPECT_EQ(QString::fromStdString(after[1]), kana.left(9));
    EXPECT_EQ(after[2], before[2]);
}

TEST_F(PanelTest, PeakListSelectTakesOnePeakUpAgain) {
    LoadExample();
    int modeWithTwo = -1;
    bool openWithTwo = false;
    WhenModal<PeakListDialog>([&](PeakListDialog* d) {
        List(d)->item(1)->setSelected(true);
        List(d)->item(3)->setSelected(true);
        Click(d, "select1");
        openWithTwo = d->isVisible();
        modeWithTwo = GetChartMode(window->view());
        List(d)->item(1)->setSelected(false);
        Click(d, "select1");
    });
    EXPECT_EQ(PeakListCommand(window, 0, nullptr), 1);
    EXPECT_TRUE(openWithTwo);
    EXPECT_EQ(modeWithTwo, CHART_MODE_VIEW);
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_BASE);
    ASSERT_NE(window->view()->CurrentPeakSet(), nullptr);
    EXPECT_EQ(window->view()->CurrentPeakSet()->editIndex, 3);
}

TEST_F(PanelTest, PeakListDeletesTheSelectedPeaksThenAllOnlyWhenTheUserSaysSo) {
    LoadExample();
    const std::vector<std::string> before = PeakNames(window);
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
