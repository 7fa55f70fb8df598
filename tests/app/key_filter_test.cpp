// The application key filter with the real main window: which windows get the accelerator keys.
#include "app/window/key_filter.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/settings.h"
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"
#include "views/chart_viewer_widget.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void Pump() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

bool SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    Pump();
    return press.isAccepted();
}

class KeyFilterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static AppKeyFilter* filter = AppKeyFilter::Install(qApp);
        (void)filter;
        ASSERT_TRUE(dir.isValid());
        SetSettingsFilePath(dir.filePath(QStringLiteral("VORTAN.INI")).toStdString());
        Settings = SettingsRecord{};
        Settings.windowWidth = 1000;
        Settings.detectPeaks = false;
        CurrentChart.Reset();
        ChartFileName = VORTAN_EXAMPLES "/run3-peaks.spl";
        ChartBaseName.reset();
        window = new VortanMain();
        window->viewer()->setDesktopWidth(1000);
        window->show();
        Pump();
        ASSERT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
    }
    void TearDown() override {
        delete window;
        SetSettingsFilePath("");
        CurrentChart.Reset();
        ChartFileName.reset();
        ChartBaseName.reset();
    }
    int ViewStart() const {
        int start = 0;
        double top = 0;
        GetCursor(window->view(), &start, &top, nullptr, nullptr);
        return start;
    }

    QTemporaryDir dir;
    VortanMain* window = nullptr;
};

} // namespace

TEST_F(KeyFilterTest, ModelessPanelSendsKeysToTheMainWindow) {
    auto* panel = new QDialog(window);
    auto* edit = new QLineEdit(panel);
    panel->show();
    Pump();
    const int before = ViewStart();
    SendKey(edit, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_GT(ViewStart(), before);
    // Tab is a command here, not a focus move.
    EXPECT_TRUE(SendKey(edit, Qt::Key_Tab));
    delete panel;
}

TEST_F(KeyFilterTest, ModalDialogsAndOtherWindowsKeepTheirKeys) {
    QWidget other;
    other.show();
    Pump();
    const int before = ViewStart();
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

TEST_F(KeyFilterTest, MenusFireThroughTheTableOnly) {
    // No action carries a shortcut of its own: the key filter is the one path.
    for (QAction* action : window->findChildren<QAction*>())
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
    const double before = GetMagnification(window->view());
    window->actionFor(40006)->trigger();
    EXPECT_DOUBLE_EQ(GetMagnification(window->view()), before * 2.0);
}

TEST_F(KeyFilterTest, MenuOrderIsFixed) {
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_GE(menus.size(), 6);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Data"));
    EXPECT_EQ(menus[3]->text(), QStringLiteral("&Range"));
    EXPECT_EQ(menus[5]->text(), QStringLiteral("&Window"));
    EXPECT_EQ(window->helpMenuBar()->actions().front()->text(), QStringLiteral("&Help"));
    EXPECT_EQ(window->menuBar()->cornerWidget(Qt::TopRightCorner), window->helpMenuBar());
    // The Range menu: Up, Down, Full Height, a separator, fourteen ranges.
    const QList<QAction*> range = menus[3]->menu()->actions();
    ASSERT_EQ(range.size(), 18);
    EXPECT_TRUE(range[3]->isSeparator());
    EXPECT_EQ(range[4], window->actionFor(40011));
    EXPECT_EQ(range[17], window->actionFor(40026));
}
