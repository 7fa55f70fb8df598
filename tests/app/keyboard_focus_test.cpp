// Keys as a keyboard sends them, to whatever has the focus, after the menus, dialogs, panels and
// panes were used: the viewer must hold the focus and every accelerator must still act. Which
// windows get the accelerator keys through the application key filter.
#include "app/panels/cursor_pad.h"
#include "app/panels/panels.h"
#include "support/panel_fixture.h"
#include "views/index_pane.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

class KeyboardFocusTest : public PanelTest {
  protected:
    // Enter starts a peak, Esc drops it, Right moves the cursor: all three act on the chart.
    void ExpectChartKeysWork(const char* after) {
        SCOPED_TRACE(after);
        EXPECT_EQ(QApplication::focusWidget(), window->viewer());
        Key(Qt::Key_Return);
        EXPECT_NE(GetChartMode(window->view()), CHART_MODE_VIEW);
        Key(Qt::Key_Escape);
        EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
        const int before = ViewStart();
        Key(Qt::Key_Right, Qt::ControlModifier);
        EXPECT_GT(ViewStart(), before);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_FALSE(window->chartModified());
    }
};

bool SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    Pump();
    return press.isAccepted();
}

} // namespace

TEST_F(KeyboardFocusTest, ChartKeysWorkAfterMenusDialogsPanelsAndClicks) {
    Settings.showCursorPad = true;
    LoadExample();
    window->activateWindow();
    Pump();
    ExpectChartKeysWork("start");

    // Alt walks the menu bar, Esc leaves it.
    Key(Qt::Key_Alt);
    Key(Qt::Key_Escape);
    Key(Qt::Key_Escape);
    ExpectChartKeysWork("Alt, Esc");

    // Alt+D opens the Data menu, H the header dialog, Esc closes the dialog.
    WhenModal<QDialog>([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    Key(Qt::Key_D, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    Key(Qt::Key_H);
    Pump();
    ExpectChartKeysWork("Alt+D, H, Esc");

    // A menu opened by the mouse and closed with Esc.
    QMenu* data = window->menuBar()->actions().at(1)->menu();
    data->popup(window->mapToGlobal(QPoint(40, 20)));
    Pump();
    Key(Qt::Key_Escape);
    ExpectChartKeysWork("menu, Esc");

    // A click in the index pane, and a button of the cursor pad.
    QTest::mouseClick(window->viewer()->indexPane(), Qt::LeftButton, {}, QPoint(5, 5));
    Pump();
    ExpectChartKeysWork("click in the index pane");
    ASSERT_NE(PadWindow(), nullptr);
    for (QPushButton* button : PadWindow()->findChildren<QPushButton*>())
        if (button->property("command").toUInt() == 40055) button->click();
    Pump();
    ExpectChartKeysWork("pad button");
}

TEST_F(KeyboardFocusTest, ModelessPanelsPassKeysOnModalDialogsAndOtherWindowsKeepThem) {
    LoadExample();
    auto* panel = new QDialog(window);
    auto* edit = new QLineEdit(panel);
    panel->show();
    Pump();
    int before = ViewStart();
    SendKey(edit, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_GT(ViewStart(), before);
    EXPECT_TRUE(SendKey(edit, Qt::Key_Tab)); // a command here, not a focus move
    delete panel;

    QWidget other;
    other.show();
    Pump();
    before = ViewStart();
    SendKey(&other, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(ViewStart(), before);
    QDialog modal(window);
    int seen = -1;
    QTimer::singleShot(0, &modal, [&] {
        SendKey(window->viewer(), Qt::Key_Right, Qt::ControlModifier);
        seen = ViewStart();
        modal.reject();
    });
    modal.exec();
    EXPECT_EQ(seen, before);
}

TEST_F(KeyboardFocusTest, MenusFireThroughTheTableOnly) {
    LoadExample();
    // No action carries a shortcut of its own: the key filter is the one path.
    for (QAction* action : window->findChildren<QAction*>())
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
    const double before = GetMagnification(window->view());
    window->actionFor(40006)->trigger();
    EXPECT_DOUBLE_EQ(GetMagnification(window->view()), before * 2.0);
}
