// Moving about the chart on the real main window: keys sent where a keyboard sends them, the
// mouse on the chart pane, the status bar and the range checks following; keys still reaching the
// chart after menus, dialogs, panels and clicks; and the status bar's parts at any width.
#include "app/commands/edit_commands.h"
#include "app/panels/cursor_pad.h"
#include "app/panels/panels.h"
#include "app/window/command_table.h"
#include "app/window/key_filter.h"
#include "app/window/status_parts.h"
#include "support/app_test_support.h"
#include "viewer/measuring.h"
#include "viewer/pointer_ops.h"
#include "views/chart_pane.h"
#include "views/index_pane.h"

#include <QWheelEvent>

#include <algorithm>
#include <set>

using apptest::Mouse;
using apptest::Pump;

namespace {

void Wheel(QWidget* pane, QPoint at, int angle, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWheelEvent e(QPointF(at), pane->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, angle),
                  Qt::NoButton, mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane, &e);
    Pump();
}

bool SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    Pump();
    return press.isAccepted();
}

class ViewCommandsTest : public apptest::AppTest {
  protected:
    // Enter starts a peak, Esc drops it, Ctrl+Right moves the view: all three act on the chart.
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

} // namespace

TEST_F(ViewCommandsTest, KeysAndTheMouseMoveTheViewAndTheStatusBarAndChecksFollow) {
    LoadExample();
    EXPECT_EQ(window->statusText(0), QStringLiteral("BG"));
    EXPECT_EQ(window->statusText(1), QStringLiteral("0"));
    EXPECT_EQ(window->statusText(2), QStringLiteral("1.846472E-003"));
    Key(Qt::Key_Right);
    EXPECT_EQ(window->statusText(1), QStringLiteral("1"));
    Key(Qt::Key_End, Qt::ControlModifier);
    int start = 0, width = 0;
    double top = 0;
    ASSERT_TRUE(GetCursor(window->view(), &start, &top, &width, nullptr));
    EXPECT_GT(start, 5000);
    EXPECT_EQ(window->statusText(1), QString::number(start));
    EXPECT_EQ(window->statusText(7), QString::number(start + width));

    // One range is checked at a time; a click cannot uncheck it.
    const double full = GetRange(window->view());
    Key(Qt::Key_PageDown);
    EXPECT_LT(GetRange(window->view()), full);
    int checked = 0;
    for (const RangeRow* row = RangeTable; row->command != 0; ++row)
        checked += window->actionFor(row->command)->isChecked();
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(window->actionFor(window->checkedRange)->isChecked());
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(window->checkedRange, RANGE_FULL_HEIGHT);
    EXPECT_DOUBLE_EQ(GetRange(window->view()), full);
    window->actionFor(40027)->trigger();
    EXPECT_TRUE(window->actionFor(40027)->isChecked());
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(GetMagnification(window->view()), 5.0);
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(GetMagnification(window->view()), 1.0);
    window->actionFor(40037)->trigger();
    EXPECT_EQ(window->checkedPeakMode, 1);
    EXPECT_FALSE(window->actionFor(40036)->isChecked());

    // The wheel zooms and scrolls, a drag pans and is no click (the arithmetic: the viewer's
    // tests); Ctrl+A and Shift with a right click put the measuring cursors, Esc clears them;
    // while a peak is being set a click puts the point under the pointer.
    Key(Qt::Key_Home, Qt::ControlModifier);
    QWidget* pane = window->viewer()->chartPane();
    ChartView* view = window->view();
    const QPoint at(300, 100);
    Wheel(pane, at, 240, Qt::ControlModifier); // two notches in
    EXPECT_DOUBLE_EQ(GetMagnification(view), 4.0);
    Wheel(pane, at, -120); // towards the user: on along the chart
    const int scrolled = ViewStart();
    EXPECT_GT(scrolled, 0);
    Mouse(pane, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Mouse(pane, QEvent::MouseMove, at + QPoint(-80, 0), Qt::LeftButton);
    Mouse(pane, QEvent::MouseButtonRelease, at + QPoint(-80, 0), Qt::LeftButton);
    EXPECT_EQ(ViewStart(), scrolled + 20); // 80 pixels at 4 pixels per sample
    EXPECT_EQ(GetChartMode(view), CHART_MODE_VIEW);
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(GetMeasureMark(view, MEASURE_A), MeasureKeySample(view));
    Mouse(pane, QEvent::MouseButtonPress, QPoint(40, 50), Qt::RightButton, Qt::ShiftModifier);
    PanePoint p;
    ASSERT_TRUE(PointAtPixel(view, 40, 50, pane->height(), &p));
    EXPECT_EQ(GetMeasureMark(view, MEASURE_B), p.sample);
    Key(Qt::Key_Escape);
    EXPECT_EQ(GetMeasureMark(view, MEASURE_A) + GetMeasureMark(view, MEASURE_B), -2);
    Key(Qt::Key_Return);
    Mouse(pane, QEvent::MouseButtonPress, QPoint(200, 150), Qt::LeftButton);
    Mouse(pane, QEvent::MouseButtonRelease, QPoint(200, 150), Qt::LeftButton);
    ASSERT_TRUE(PointAtPixel(view, 200, 150, pane->height(), &p));
    EXPECT_EQ(view->CurrentPeakSet()->cursor, p.sample);
    Key(Qt::Key_Escape);

    // The axes, once on, are on in the next window too.
    EXPECT_FALSE(window->viewer()->axesShown());
    DispatchCommand(window, CMD_AXES);
    EXPECT_TRUE(window->viewer()->axesShown());
    Open();
    EXPECT_TRUE(window->viewer()->axesShown());
    EXPECT_TRUE(window->actionFor(CMD_AXES)->isChecked());
}

TEST_F(ViewCommandsTest, ChartKeysWorkAfterMenusDialogsPanelsAndClicks) {
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

    // Every key, menu item and pad button reaches a handler; no action has a shortcut of its own,
    // so the key filter is the one path.
    std::set<unsigned> handled{0}; // 0: an item that runs no command
    for (const CommandEntry* row = CommandTable; row->command != 0; ++row)
        if (row->handler) handled.insert(row->command);
    for (const AcceleratorEntry* key = AcceleratorTable; key->command != 0; ++key)
        EXPECT_TRUE(handled.count(key->command)) << key->command;
    for (QAction* action : window->findChildren<QAction*>()) {
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
        EXPECT_TRUE(handled.count(action->data().toUInt())) << action->text().toStdString();
    }
    for (QPushButton* button : PadWindow()->findChildren<QPushButton*>())
        EXPECT_TRUE(handled.count(button->property("command").toUInt()))
            << button->objectName().toStdString();
    for (unsigned inert : {12345u, 0u})
        EXPECT_FALSE(DispatchCommand(nullptr, inert)) << inert;
}

TEST_F(ViewCommandsTest, ModelessPanelsPassKeysOnModalDialogsAndOtherWindowsKeepThem) {
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

TEST(TranslateAccelerator, ModifiersMustMatchExactly) {
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier), 102u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Up, Qt::AltModifier), 0u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_S, Qt::NoModifier), 0u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Left, Qt::KeypadModifier), 40030u); // the arrow
}

TEST(PlaceStatusParts, PartsNeverOverlapAndStopAtTheRightEdge) {
    const std::pair<int, int> counts[] = {{585, 9}, {584, 6}, {390, 6}, {389, 3},
                                          {195, 3}, {194, 0}, {0, 0}};
    for (const auto& [width, parts] : counts)
        EXPECT_EQ(StatusPartCount(width, 8), parts) << width;
    const int widths[9] = {50, 60, 100, 50, 60, 100, 50, 60, 100};
    struct Case {
        int count, barWidth, expectCount;
    } cases[] = {{9, 1000, 9}, {9, 629, 6}, {9, 630, 9}, {6, 200, 3}, {3, 150, 3}};
    for (const Case& c : cases) {
        const int n = FittingStatusParts(c.count, widths, c.barWidth);
        EXPECT_EQ(n, c.expectCount) << c.barWidth;
        StatusPartPlace places[9];
        PlaceStatusParts(n, widths, c.barWidth, places);
        int edge = 0;
        for (int k = 0; k < 9; ++k) {
            EXPECT_EQ(places[k].left, std::min(edge, c.barWidth)) << c.barWidth << " part " << k;
            EXPECT_LE(places[k].left + places[k].width, c.barWidth);
            if (k >= n) {
                EXPECT_EQ(places[k].width, 0);
            }
            edge += places[k].width;
        }
    }
}

TEST(StatusPartsBar, LongestTextsShowWholeAndPartsFollowTheWidth) {
    StatusPartsBar bar;
    bar.show();
    const QString texts[3] = {QStringLiteral("No Data"), QStringLiteral("1600131234"),
                              QStringLiteral("-1.846472E-123")};
    for (int width : {1200, 420, 120}) {
        bar.resize(width, 24);
        QCoreApplication::processEvents();
        int edge = 0;
        for (int k = 0; k < bar.partCount(); ++k) {
            bar.setText(k, texts[k % 3]);
            const QRect r = bar.label(k)->geometry();
            EXPECT_GE(r.left(), edge) << width << " part " << k;
            EXPECT_LE(r.right(), width - 1);
            // Every part but one cut at the bar's edge holds its widest text.
            if (r.right() < width - 1) {
                EXPECT_GE(r.width(), bar.label(k)->sizeHint().width()) << width << " part " << k;
            }
            edge = r.right() + 1;
        }
    }
    EXPECT_EQ(bar.partCount(), 0);
    EXPECT_FALSE(bar.label(1)->isVisible());
    bar.resize(1200, 24);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar.partCount(), 9);
}
