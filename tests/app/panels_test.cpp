// The cursor pad and its peak-setting panels, the displacement register, the chart information
// panel, the help window and the run log window, driven through the real main window offscreen.
#include "app/commands/edit_commands.h"
#include "app/dialogs/displacement_register.h"
#include "app/panels/cursor_pad.h"
#include "app/panels/help_window.h"
#include "app/panels/info_panel.h"
#include "app/panels/run_log_window.h"
#include "app/window/command_table.h"
#include "chart/run_log.h"
#include "support/app_test_support.h"

#include <QScrollBar>
#include <QTextBrowser>

using apptest::Pump;

namespace {

ViewPoint At(int start, double top = 0.5) {
    return ViewPoint{start, top};
}

QPushButton* Button(QWidget* panel, const char* name) {
    return panel->findChild<QPushButton*>(QString::fromLatin1(name));
}

class PanelTest : public apptest::AppTest {};

} // namespace

TEST(DisplacementRegister, NegativeStepsMoveBackwardsAndLargeOnesSaturate) {
    DisplacementRegister reg;
    reg.Memorise(At(7));
    EXPECT_TRUE(reg.Divide(At(0), 2));
    EXPECT_EQ(reg.step, -3); // truncated towards zero
    EXPECT_EQ(reg.Stepped(At(10, 0.3), +1).start, 7);
    EXPECT_DOUBLE_EQ(reg.Stepped(At(10, 0.3), +1).top, 0.3);
    reg.Memorise(At(INT_MIN));
    ASSERT_TRUE(reg.Divide(At(INT_MAX), 1));
    EXPECT_EQ(reg.step, INT_MAX); // saturates instead of wrapping
    EXPECT_EQ(reg.Stepped(At(INT_MAX), +1).start, INT_MAX);
}

TEST(ParseIntervalCount, LeadingIntegerAtLeastOne) {
    const std::pair<const char*, int> cases[] = {
        {"5", 5}, {"  12 intervals", 12},           {"+4", 4}, {"0", 1}, {"-3", 1}, {"abc", 1},
        {"", 1},  {"99999999999999999999", INT_MAX}};
    for (const auto& [text, count] : cases)
        EXPECT_EQ(ParseIntervalCount(QString::fromLatin1(text)), count) << text;
}

TEST_F(PanelTest, PadMovesTheViewItsPanelsFollowTheChartModeAndStayWhereMoved) {
    LoadExample();
    window->move(20, 30);
    Pump();
    CursorPadCommand(window, 0, nullptr);
    InfoPanelCommand(window, 0, nullptr);
    Pump();
    ToolPanel* pad = PadWindow();
    InfoPanel* info = InfoPanelWindow();
    ASSERT_TRUE(pad && info);
    EXPECT_EQ(pad->kind(), PANEL_CURSOR_PAD);
    EXPECT_TRUE(Settings.showCursorPad);
    EXPECT_TRUE(window->actionFor(40059)->isChecked());
    // Below the menu bar, side by side.
    const QRect menu(window->menuBar()->mapToGlobal(QPoint(0, 0)), window->menuBar()->size());
    EXPECT_EQ(pad->pos(), PanelHome(window));
    EXPECT_GE(pad->y(), menu.bottom() + 1);
    EXPECT_FALSE(info->frameGeometry().intersects(menu));
    EXPECT_FALSE(pad->frameGeometry().intersects(info->frameGeometry()));

    Button(pad, "right")->click();
    EXPECT_EQ(ViewStart(), 0); // posted, not run inside the click
    Pump();
    EXPECT_EQ(ViewStart(), 1);
    Button(pad, "outerRight")->click();
    Pump();
    EXPECT_GT(ViewStart(), 1);
    Button(pad, "head")->click();
    Pump();
    EXPECT_EQ(ViewStart(), 0);

    // "Pk" starts a peak: the base-line panel replaces the pad, then the cross panel; the pad
    // comes back where the user moved it, and so does the information panel.
    pad->move(pad->pos() + QPoint(40, 30));
    const QPoint moved = pad->pos();
    info->move(info->pos() + QPoint(-10, 50));
    const QPoint infoMoved = info->pos();
    Button(pad, "setHeight")->click();
    Pump();
    ASSERT_EQ(GetChartMode(window->view()), CHART_MODE_BASE);
    EXPECT_EQ(PadWindow()->kind(), PANEL_BAR_ADJUST);
    Button(PadWindow(), "setHeight")->click();
    Pump();
    ASSERT_EQ(GetChartMode(window->view()), CHART_MODE_TOP);
    EXPECT_EQ(PadWindow()->kind(), PANEL_CROSS_ADJUST);
    Button(PadWindow(), "cancel")->click();
    Pump();
    EXPECT_EQ(GetChartMode(window->view()), CHART_MODE_VIEW);
    EXPECT_EQ(PadWindow()->kind(), PANEL_CURSOR_PAD);
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
    CursorPadCommand(window, 0, nullptr);
    Pump();
    EXPECT_NE(PadWindow(), nullptr);
}

TEST_F(PanelTest, PadPlaceIsKeptRelativeToTheWindowAndTheBarPanelsOnTheScreen) {
    Settings.savePanelPositions = true;
    Settings.barAdjustX = 300;
    Settings.barAdjustY = 200;
    LoadExample();
    window->move(100, 80);
    Pump();
    CursorPadCommand(window, 0, nullptr);
    Pump();
    ASSERT_NE(PadWindow(), nullptr);
    PadWindow()->move(window->pos() + QPoint(30, 40));
    CursorPadCommand(window, 0, nullptr);
    EXPECT_EQ(Settings.cursorPadX, 30);
    EXPECT_EQ(Settings.cursorPadY, 40);
    window->move(200, 150);
    Pump();
    CursorPadCommand(window, 0, nullptr);
    Pump();
    ASSERT_NE(PadWindow(), nullptr);
    EXPECT_EQ(PadWindow()->pos(), window->pos() + QPoint(30, 40));

    // The base-line panel that replaces the pad keeps its place on the screen.
    DispatchCommand(window, 40005); // start a peak
    Pump();
    ASSERT_EQ(PadWindow()->kind(), PANEL_BAR_ADJUST);
    EXPECT_EQ(PadWindow()->pos(), QPoint(300, 200));
    PadWindow()->move(320, 210);
    window->move(window->pos() + QPoint(50, 50));
    DispatchCommand(window, 40045); // cancel: the pad replaces the bar panel
    Pump();
    ASSERT_EQ(PadWindow()->kind(), PANEL_CURSOR_PAD);
    EXPECT_EQ(Settings.barAdjustX, 320);
    EXPECT_EQ(Settings.barAdjustY, 210);

    // The places reach the settings file when the program ends.
    PadWindow()->move(window->pos() + QPoint(25, 35));
    window->close();
    Pump();
    const std::string ini = Path("VORTAN.INI");
    EXPECT_EQ(ReadIntSetting(ini, "cursorpad", "cursorx", 0), 25);
    EXPECT_EQ(ReadIntSetting(ini, "cursorpad", "cursory", 0), 35);
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

    // dMem with the intervals fixed by the settings; a zone count of 0 never divides.
    Settings.uniformZone = true;
    Settings.zoneCount = 5;
    RegisterCommand(window, 0, &RegisterOps[REG_MEM]);
    SetViewPosition(window->view(), start + 100, 0.0);
    RegisterCommand(window, 0, &RegisterOps[REG_DIVIDE]);
    EXPECT_EQ(Register.step, 20);
    Settings.zoneCount = 0;
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
    QString shownFrom, shownTo;
    WhenModal<QDialog>([&](QDialog* dialog) {
        shownFrom = dialog->findChild<QLabel*>(QStringLiteral("from1080"))->text();
        shownTo = dialog->findChild<QLabel*>(QStringLiteral("to1081"))->text();
        auto* count = dialog->findChild<QLineEdit*>(QStringLiteral("count1082"));
        EXPECT_EQ(count->text(), QStringLiteral("1"));
        count->setText(QStringLiteral("5"));
        dialog->accept();
    });
    RegisterCommand(window, 0, &RegisterOps[REG_DIVIDE]);
    EXPECT_EQ(shownFrom, QStringLiteral("100"));
    EXPECT_EQ(shownTo, QStringLiteral("350"));
    EXPECT_EQ(Register.step, 50);
    EXPECT_EQ(Register.start, 100);
    WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
    RegisterCommand(window, 0, &RegisterOps[REG_DIVIDE]);
    EXPECT_EQ(Register.step, 50);
}

TEST_F(PanelTest, StartupPanelsFollowTheSettingsAndTheInfoPanelShowsTheChart) {
    Open();
    Settings.showDetail = true;
    Settings.showCursorPad = true;
    OpenStartupPanels(window);
    Pump();
    ASSERT_NE(PadWindow(), nullptr);
    EXPECT_TRUE(window->actionFor(40059)->isChecked());
    InfoPanel* panel = InfoPanelWindow();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(window->actionFor(40060)->isChecked());
    InfoTexts texts = panel->texts();
    EXPECT_EQ(texts.name, QStringLiteral("Not ready"));
    EXPECT_EQ(texts.magnification, QStringLiteral("0%"));
    EXPECT_EQ(texts.range, QStringLiteral("0V"));
    EXPECT_EQ(texts.comment, QStringLiteral("No comment"));

    ASSERT_EQ(LoadChart(window, chart), 1);
    Pump();
    SetMagnification(window->view(), 0.2, 1);
    SetRange(window->view(), 0.5);
    Pump();
    texts = panel->texts();
    EXPECT_EQ(texts.name, QStringLiteral("run3-peaks.spl"));
    EXPECT_EQ(texts.magnification, QStringLiteral("20.00%"));
    EXPECT_EQ(texts.range, QStringLiteral("500.00mV"));
    EXPECT_EQ(texts.comment, QStringLiteral("Run 3, detector B"));

    // Without a "Comment:" tag the first tag's value stands in.
    CurrentChart.tags.erase(CurrentChart.tags.begin());
    SetRange(window->view(), 2.0);
    Pump();
    EXPECT_EQ(panel->texts().comment, QStringLiteral("Soil core 12"));
    EXPECT_EQ(panel->texts().range, QStringLiteral("2.00V"));
}

TEST_F(PanelTest, HelpOpensAtTopic18AndSearches) {
    Open();
    HelpTopicCommand(window, 0, nullptr);
    HelpWindow* help = HelpWindowShown();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source(), HelpTopicUrl(HELP_MAIN_TOPIC));
    EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("使い方の概要"));

    HelpContentsCommand(window, 0, nullptr);
    EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("Vortan ヘルプ 目次"));
    HelpSearchCommand(window, 0, nullptr);
    EXPECT_EQ(HelpWindowShown(), help); // one window
    EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("キーワード一覧"));
    help->Search(QStringLiteral("VORTAN.INI"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("ファイル")));
    help->Search(QStringLiteral("zzqqxx"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Nothing found")));
    // The keys page, printable.
    DispatchCommand(window, CMD_KEYMAP);
    EXPECT_EQ(HelpWindowShown(), help);
    EXPECT_TRUE(help->browser()->source().toString().endsWith(QStringLiteral("ja/keys.html")));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Ctrl+Z")));
    EXPECT_TRUE(help->findChild<QPushButton*>(QStringLiteral("printButton")));

    CloseHelp();
    EXPECT_EQ(HelpWindowShown(), nullptr);
}

TEST(RunLogWindow, OneWindowShowsTheStoredLinesAndClosingEndsTheLog) {
    CloseLog();
    RunLogWindow* window = RunLogWindow::Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VORTAN runlog"));
    EXPECT_EQ(IsLogOpen(), 1);
    EXPECT_EQ(RunLogWindow::Open(), nullptr);
    for (int i = 0; i < 101; ++i)
        LogPrintf("line %d", i);
    // The view does not follow the newest line.
    EXPECT_EQ(window->scrollState().topLine, 0);
    EXPECT_EQ(LogLines().front(), "line 1");
    window->ScrollBy(LOG_LINE_DOWN);
    EXPECT_EQ(window->scrollBar()->value(), 2);
    window->close();
    EXPECT_EQ(IsLogOpen(), 0);
    LogPrint("after close");
    EXPECT_TRUE(LogLines().empty());

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
