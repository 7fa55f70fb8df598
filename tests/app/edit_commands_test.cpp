// Undo and redo in the real main window: keys through the application key filter and the Data
// menu's items.
#include "app/commands/edit_commands.h"
#include "app/dialogs/header_dialog.h"
#include "app/panels/help_window.h"
#include "app/panels/panels.h"
#include "app/window/command_table.h"
#include "app/window/tooltips.h"
#include "support/app_test_support.h"
#include "viewer/edit_history.h"
#include "viewer/measuring.h"
#include "viewer/pointer_ops.h"
#include "views/chart_pane.h"
#include "views/pane_overlay.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QWheelEvent>

namespace {

using apptest::Pump;

class EditCommandsTest : public apptest::AppTest {
  protected:
    void SetUp() override {
        static ToolTipInstaller* tips = ToolTipInstaller::Install(qApp);
        (void)tips;
        AppTest::SetUp();
    }
    void TearDown() override {
        if (window) window->MarkChartSaved();
        AppTest::TearDown();
    }
    int Peaks() {
        int count = 0;
        GetPeakList(window->view(), &count);
        return count;
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

TEST_F(EditCommandsTest, UndoBringsBackAHeaderEdit) {
    LoadExample();
    ASSERT_FALSE(CurrentChart.tags.empty());
    const std::string old = CurrentChart.tags[0].value;
    QString tip;
    OnDialog<HeaderDialog>([&tip](HeaderDialog* d) {
        tip = d->findChild<QWidget*>(QStringLiteral("okButton"))->toolTip();
        d->findChild<QPlainTextEdit*>(QStringLiteral("valueEdit"))->setPlainText("edited");
        d->accept();
        return true;
    });
    DispatchCommand(window, 40040);
    ASSERT_EQ(CurrentChart.tags[0].value, "edited");
    EXPECT_EQ(tip, ToolTipFor(QStringLiteral("HeaderDialog"), QStringLiteral("okButton")));
    EXPECT_TRUE(window->chartModified());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(CurrentChart.tags[0].value, old);
    EXPECT_FALSE(window->chartModified());
}

namespace {

void Mouse(QWidget* pane, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(at), pane->mapToGlobal(QPointF(at)), button, held, mods);
    QApplication::sendEvent(pane, &e);
    Pump();
}

void Wheel(QWidget* pane, QPoint at, int angle, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWheelEvent e(QPointF(at), pane->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, angle),
                  Qt::NoButton, mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane, &e);
    Pump();
}

} // namespace

TEST_F(EditCommandsTest, MouseScrollsZoomsPansAndPlacesThePoint) {
    LoadExample();
    QWidget* pane = window->viewer()->chartPane();
    ChartView* view = window->view();
    const QPoint at(300, 100);
    PanePoint before, after;
    ASSERT_TRUE(PointAtPixel(view, at.x(), at.y(), pane->height(), &before));
    Wheel(pane, at, 240, Qt::ControlModifier); // two notches in: x4 about the pointer
    EXPECT_DOUBLE_EQ(GetMagnification(view), 4.0);
    ASSERT_TRUE(PointAtPixel(view, at.x(), at.y(), pane->height(), &after));
    EXPECT_NEAR(after.sample, before.sample, 1);
    const int start = view->Chart()->viewStart;
    Wheel(pane, at, -120); // towards the user: on along the chart
    EXPECT_GT(view->Chart()->viewStart, start);
    const int scrolled = view->Chart()->viewStart;
    Mouse(pane, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Mouse(pane, QEvent::MouseMove, at + QPoint(-80, 0), Qt::LeftButton);
    Mouse(pane, QEvent::MouseButtonRelease, at + QPoint(-80, 0), Qt::LeftButton);
    EXPECT_EQ(view->Chart()->viewStart, scrolled + 20); // 80 pixels at 4 pixels per sample
    EXPECT_EQ(GetChartMode(view), CHART_MODE_VIEW);     // a drag is not a click

    // While a peak is being set, a click puts the point under the pointer.
    Key(Qt::Key_Return);
    ASSERT_EQ(GetChartMode(view), CHART_MODE_BASE);
    const QPoint spot(200, 150);
    Mouse(pane, QEvent::MouseButtonPress, spot, Qt::LeftButton);
    Mouse(pane, QEvent::MouseButtonRelease, spot, Qt::LeftButton);
    PanePoint p;
    ASSERT_TRUE(PointAtPixel(view, spot.x(), spot.y(), pane->height(), &p));
    EXPECT_EQ(view->CurrentPeakSet()->cursor, p.sample);
    EXPECT_DOUBLE_EQ(view->CurrentPeakSet()->baseLevel, p.volts);
    // The pointer's readout names that sample.
    EXPECT_TRUE(PointerReadout(*view, spot, pane->height())
                    .startsWith(QStringLiteral("#%1 ").arg(p.sample)));
}

TEST_F(EditCommandsTest, MeasuringCursorsByKeysAndClicksAndEscClearsThem) {
    LoadExample();
    QWidget* pane = window->viewer()->chartPane();
    ChartView* view = window->view();
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(GetMeasureMark(view, MEASURE_A), MeasureKeySample(view));
    Mouse(pane, QEvent::MouseButtonPress, QPoint(40, 50), Qt::RightButton, Qt::ShiftModifier);
    PanePoint p;
    ASSERT_TRUE(PointAtPixel(view, 40, 50, pane->height(), &p));
    EXPECT_EQ(GetMeasureMark(view, MEASURE_B), p.sample);
    Measurement m;
    ASSERT_TRUE(Measure(view, &m));
    EXPECT_EQ(m.dSamples, p.sample - MeasureKeySample(view));
    Key(Qt::Key_Escape);
    EXPECT_EQ(GetMeasureMark(view, MEASURE_A), -1);
    EXPECT_EQ(GetMeasureMark(view, MEASURE_B), -1);
}

TEST_F(EditCommandsTest, AxesToggleIsRememberedInTheSettingsFile) {
    Open();
    EXPECT_FALSE(window->viewer()->axesShown());
    DispatchCommand(window, CMD_AXES);
    EXPECT_TRUE(window->viewer()->axesShown());
    EXPECT_TRUE(window->actionFor(CMD_AXES)->isChecked());
    delete window;
    window = nullptr;
    Open();
    EXPECT_TRUE(window->viewer()->axesShown());
    EXPECT_TRUE(window->actionFor(CMD_AXES)->isChecked());
}

TEST_F(EditCommandsTest, HelpKeyMapOpensThePrintableKeysPage) {
    Open();
    DispatchCommand(window, CMD_KEYMAP);
    HelpWindow* help = HelpWindowShown();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->browser()->source().toString().endsWith(QStringLiteral("ja/keys.html")));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Ctrl+Z")));
    EXPECT_TRUE(help->findChild<QPushButton*>(QStringLiteral("printButton")));
    CloseHelp();
}
