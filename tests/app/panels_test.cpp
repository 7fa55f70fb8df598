// The cursor pad and its peak-setting panels, the displacement register, the chart information
// panel and the run log window, driven through the real main window offscreen. (The help window:
// the language tests.)
#include "app/dialogs/displacement_register.h"
#include "app/panels/cursor_pad.h"
#include "app/panels/info_panel.h"
#include "app/panels/run_log_window.h"
#include "app/window/command_table.h"
#include "chart/run_log.h"
#include "support/app_test_support.h"

#include <QScrollBar>

using apptest::Child;
using apptest::Pump;

namespace {

QStringList Texts(InfoPanel* panel) {
    const InfoTexts t = panel->texts();
    return {t.name, t.magnification, t.range, t.comment};
}

QPushButton* Button(QWidget* panel, const char* name) {
    return panel->findChild<QPushButton*>(QString::fromLatin1(name));
}

class PanelTest : public apptest::AppTest {
  protected:
    // Clicks a button of the pad (or the panel in its place) and lets the command it posts run.
    void Press(const char* name) {
        Button(PadWindow(), name)->click();
        Pump();
    }
    // The pad's menu item, which opens or closes it.
    void PadCommand() {
        CursorPadCommand(window, 0, nullptr);
        Pump();
    }
};

} // namespace

TEST(DisplacementRegister, NegativeStepsMoveBackwardsAndLargeOnesSaturate) {
    DisplacementRegister reg;
    reg.Memorise(ViewPoint{7, 0.5});
    EXPECT_FALSE(reg.Divide(ViewPoint{0, 0.5}, 0));
    EXPECT_TRUE(reg.Divide(ViewPoint{0, 0.5}, 2));
    EXPECT_EQ(reg.step, -3); // truncated towards zero
    EXPECT_EQ(reg.Stepped(ViewPoint{10, 0.3}, +1).start, 7);
    EXPECT_DOUBLE_EQ(reg.Stepped(ViewPoint{10, 0.3}, +1).top, 0.3);
    reg.Memorise(ViewPoint{INT_MIN, 0.5});
    ASSERT_TRUE(reg.Divide(ViewPoint{INT_MAX, 0.5}, 1));
    EXPECT_EQ(reg.step, INT_MAX); // saturates instead of wrapping
    EXPECT_EQ(reg.Stepped(ViewPoint{INT_MAX, 0.5}, +1).start, INT_MAX);
}

TEST(ParseIntervalCount, LeadingIntegerAtLeastOne) {
    const std::pair<const char*, int> cases[] = {
        {"5", 5}, {"  12 intervals", 12},           {"+4", 4}, {"0", 1}, {"-3", 1}, {"abc", 1},
        {"", 1},  {"99999999999999999999", INT_MAX}};
    for (const auto& [text, count] : cases)
        EXPECT_EQ(ParseIntervalCount(QString::fromLatin1(text)), count) << text;
}

TEST_F(PanelTest, PanelsOpenAtStartShowTheChartFollowTheChartModeAndStayWhereMoved) {
    Open();
    window->move(20, 30);
    Settings.showDetail = true;
    Settings.showCursorPad = true;
    OpenStartupPanels(window);
    Pump();
    ToolPanel* pad = PadWindow();
    InfoPanel* info = InfoPanelWindow();
    ASSERT_TRUE(pad && info);
    EXPECT_EQ(pad->kind(), PANEL_CURSOR_PAD);
    EXPECT_TRUE(window->actionFor(40059)->isChecked());
    EXPECT_TRUE(window->actionFor(40060)->isChecked());
    EXPECT_EQ(Texts(info), (QStringList{"Not ready", "0%", "0V", "No comment"}));
    // Below the menu bar, side by side.
    const QRect menu(window->menuBar()->mapToGlobal(QPoint(0, 0)), window->menuBar()->size());
    EXPECT_EQ(pad->pos(), PanelHome(window));
    EXPECT_GE(pad->y(), menu.bottom() + 1);
    EXPECT_FALSE(info->frameGeometry().intersects(menu));
    EXPECT_FALSE(pad->frameGeometry().intersects(info->frameGeometry()));

    ASSERT_EQ(LoadChart(window, chart), 1);
    Pump();
    pad = PadWindow(); // a load may put up a new pad
    Button(pad, "right")->click();
    EXPECT_EQ(ViewStart(), 0); // posted, not run inside the click
    Pump();
    EXPECT_EQ(ViewStart(), 1);
    Press("outerRight");
    EXPECT_GT(ViewStart(), 1);
    Press("head");
    EXPECT_EQ(ViewStart(), 0);
    SetMagnification(window->view(), 0.2, 1);
    SetRange(window->view(), 0.5);
    Pump();
    EXPECT_EQ(Texts(info),
              (QStringList{"run3-peaks.spl", "20.00%", "500.00mV", "Run 3, detector B"}));
    // Without a "Comment:" tag the first tag's value stands in.
    CurrentChart.tags.erase(CurrentChart.tags.begin());
    SetRange(window->view(), 2.0);
    Pump();
    EXPECT_EQ(Texts(info), (QStringList{"run3-peaks.spl", "20.00%", "2.00V", "Soil core 12"}));

    // "Pk" starts a peak: the base-line panel replaces the pad, then the cross panel; the pad
    // comes back where the user moved it, and so does the information panel.
    pad->move(pad->pos() + QPoint(40, 30));
    const QPoint moved = pad->pos();
    info->move(info->pos() + QPoint(-10, 50));
    const QPoint infoMoved = info->pos();
    const auto shown = [this] {
        return std::pair(GetChartMode(window->view()), PadWindow()->kind());
    };
    Press("setHeight");
    EXPECT_EQ(shown(), std::pair(CHART_MODE_BASE, PANEL_BAR_ADJUST));
    Press("setHeight");
    EXPECT_EQ(shown(), std::pair(CHART_MODE_TOP, PANEL_CROSS_ADJUST));
    Press("cancel");
    EXPECT_EQ(shown(), std::pair(CHART_MODE_VIEW, PANEL_CURSOR_PAD));
    EXPECT_EQ(PadWindow()->pos(), moved);
    InfoPanelCommand(window, 0, nullptr);
    InfoPanelCommand(window, 0, nullptr);
    ASSERT_NE(InfoPanelWindow(), nullptr);
    EXPECT_EQ(InfoPanelWindow()->pos(), infoMoved);

    // Its close box closes it for the next start too; the menu item opens it again at once.
    PadWindow()->close();
    Pump();
    EXPECT_EQ(PadWindow(), nullptr);
    EXPECT_FALSE(Settings.showCursorPad);
    EXPECT_FALSE(window->actionFor(40059)->isChecked());
    PadCommand();
    EXPECT_NE(PadWindow(), nullptr);
    EXPECT_TRUE(Settings.showCursorPad);
}

TEST_F(PanelTest, PadPlaceIsKeptRelativeToTheWindowAndTheBarPanelsOnTheScreen) {
    Settings.savePanelPositions = true;
    Settings.barAdjustX = 300;
    Settings.barAdjustY = 200;
    LoadExample();
    window->move(100, 80);
    PadCommand();
    ASSERT_NE(PadWindow(), nullptr);
    PadWindow()->move(window->pos() + QPoint(30, 40));
    PadCommand();
    EXPECT_EQ(QPoint(Settings.cursorPadX, Settings.cursorPadY), QPoint(30, 40));
    window->move(200, 150);
    PadCommand();
    ASSERT_NE(PadWindow(), nullptr);
    EXPECT_EQ(PadWindow()->pos(), window->pos() + QPoint(30, 40));

    // The base-line panel that replaces the pad keeps its place on the screen.
    Press("setHeight");
    ASSERT_EQ(PadWindow()->kind(), PANEL_BAR_ADJUST);
    EXPECT_EQ(PadWindow()->pos(), QPoint(300, 200));
    PadWindow()->move(320, 210);
    window->move(window->pos() + QPoint(50, 50));
    DispatchCommand(window, 40045); // cancel: the pad replaces the bar panel
    Pump();
    ASSERT_EQ(PadWindow()->kind(), PANEL_CURSOR_PAD);
    EXPECT_EQ(QPoint(Settings.barAdjustX, Settings.barAdjustY), QPoint(320, 210));

    // The places reach the settings file when the program ends.
    PadWindow()->move(window->pos() + QPoint(25, 35));
    window->close();
    Pump();
    const std::string ini = Path("VORTAN.INI");
    EXPECT_EQ(QPoint(ReadIntSetting(ini, "cursorpad", "cursorx", 0),
                     ReadIntSetting(ini, "cursorpad", "cursory", 0)),
              QPoint(25, 35));
    EXPECT_TRUE(ReadBoolSetting(ini, "general", "cursorpad", false)); // still wanted next time
}

TEST_F(PanelTest, RegisterSwapsAndStepsTheViewWithTheIntervalsGivenOrAsked) {
    LoadExample();
    RegisterCommand(window, 0, &RegisterOps[REG_MEM]); // Mem at 0
    SetViewPosition(window->view(), 350, 0.0);
    int start = ViewStart();
    ASSERT_GT(start, 0);
    RegisterCommand(window, 0, &RegisterOps[REG_SWAP]); // M<->P
    EXPECT_EQ(ViewStart(), 0);
    RegisterCommand(window, 0, &RegisterOps[REG_SWAP]);
    EXPECT_EQ(ViewStart(), start);

    // dMem with the intervals fixed by the settings.
    Settings.uniformZone = true;
    Settings.zoneCount = 5;
    RegisterCommand(window, 0, &RegisterOps[REG_MEM]);
    SetViewPosition(window->view(), start + 100, 0.0);
    RegisterCommand(window, 0, &RegisterOps[REG_DIVIDE]);
    EXPECT_EQ(Register.step, 20);
    const int here = ViewStart();
    RegisterCommand(window, 0, &RegisterOps[REG_INC]); // Inc
    EXPECT_EQ(ViewStart(), here + 20);
    RegisterCommand(window, 0, &RegisterOps[REG_DEC]); // Dec
    RegisterCommand(window, 0, &RegisterOps[REG_DEC]);
    EXPECT_EQ(ViewStart(), here - 20);

    // Without fixed intervals a dialog asks for the count; Cancel keeps the step.
    Settings.uniformZone = false;
    SetViewPosition(window->view(), 100, 0.0);
    RegisterCommand(window, 0, &RegisterOps[REG_MEM]);
    SetViewPosition(window->view(), 350, 0.0);
    WhenModal<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(Child<QLabel>(dialog, "from1080")->text(), QStringLiteral("100"));
        EXPECT_EQ(Child<QLabel>(dialog, "to1081")->text(), QStringLiteral("350"));
        auto* count = Child<QLineEdit>(dialog, "count1082");
        EXPECT_EQ(count->text(), QStringLiteral("1"));
        count->setText(QStringLiteral("5"));
        dialog->accept();
    });
    RegisterCommand(window, 0, &RegisterOps[REG_DIVIDE]);
    EXPECT_EQ(std::pair(Register.start, Register.step), std::pair(100, 50));
    WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
    RegisterCommand(window, 0, &RegisterOps[REG_DIVIDE]);
    EXPECT_EQ(Register.step, 50);
}

TEST(RunLogWindow, OneWindowShowsTheStoredLinesAndClosingEndsTheLog) {
    CloseLog();
    RunLogWindow* window = RunLogWindow::Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(IsLogOpen(), 1);
    EXPECT_EQ(RunLogWindow::Open(), nullptr);
    for (int i = 0; i < 101; ++i)
        LogPrintf("line %d", i);
    // The view does not follow the newest line.
    EXPECT_EQ(window->scrollState().topLine, 0);
    window->ScrollBy(LOG_LINE_DOWN);
    EXPECT_EQ(window->scrollBar()->value(), 2);
    window->close();
    EXPECT_EQ(IsLogOpen(), 0);

    window = RunLogWindow::Open();
    ASSERT_NE(window, nullptr);
    // The text area, left of the scroll bar.
    auto text = [window] {
        return window->grab().toImage().copy(0, 0, window->scrollBar()->x(), window->height());
    };
    const QImage empty = text();
    LogPrint("SetChart: Invalid arguments.");
    EXPECT_NE(text(), empty);
    window->ScrollBy(LOG_LINE_DOWN); // scrolled past the only line, the area is blank again
    EXPECT_EQ(text(), empty);
    window->close();
}
