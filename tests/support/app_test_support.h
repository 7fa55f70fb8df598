// Shared by the tests of the program's windows: the real main window offscreen with the example
// chart, a settings file of the test's own, and answering modal dialogs and message boxes from a
// timer while the command under test waits in exec(). The widgets the tests drive come with it.
#pragma once

#include "app/commands/chart_commands.h"
#include "app/panels/cursor_pad.h"
#include "app/panels/panels.h"
#include "app/window/key_filter.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/settings.h"
#include "chart/spl_types.h"
#include "support/mouse.h"
#include "viewer/chart_viewer.h"
#include "views/chart_viewer_widget.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace apptest {

inline void Pump() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// A mouse event as the window system delivers it, then what it posts.
inline void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    SendMouse(target, type, at, button, modifiers);
    Pump();
}

// The child widget of the dialog called name (a test failure when there is none).
template <class W> W* Child(QWidget* dialog, const char* name) {
    W* w = dialog->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Keys reach the main window through the application's key filter, as in the program.
        [[maybe_unused]] static AppKeyFilter* filter = AppKeyFilter::Install(qApp);
        ASSERT_TRUE(dir.isValid());
        SetSettingsFilePath(Path("VORTAN.INI"));
        Settings = SettingsRecord{};
        Settings.windowWidth = 1000;
        Settings.windowHeight = 500;
        Settings.detectPeaks = false;
        CurrentChart.Reset();
        ChartFileName.reset();
        ChartBaseName.reset();
        chart = Path("run3-peaks.spl");
        ASSERT_TRUE(QFile::copy(QStringLiteral(VORTAN_EXAMPLES "/run3-peaks.spl"),
                                QString::fromStdString(chart)));
        QFile::setPermissions(QString::fromStdString(chart), QFile::ReadOwner | QFile::WriteOwner);
    }

    void TearDown() override {
        for (QTimer* t : timers)
            delete t;
        if (window) {
            window->MarkChartSaved();
            // The detector is process-wide: leave none behind for the next test.
            if (GetChartMode(window->view()) != CHART_MODE_VIEW) CancelPeak(window->view());
            SetPeakDetector(window->view(), nullptr, nullptr);
        }
        delete window;
        SetFileDialogHook(nullptr);
        SetSettingsFilePath("");
        CurrentChart.Reset();
        ChartFileName.reset();
        ChartBaseName.reset();
        ForgetPanelPlaces();
        CloseHelp();
    }

    std::string Path(const char* name) const {
        return QDir(dir.path()).filePath(QString::fromLatin1(name)).toStdString();
    }

    // A new main window (in place of the one open, if any).
    void Open() {
        delete window;
        window = new VortanMain();
        window->viewer()->setDesktopWidth(1000);
        // The detector is process-wide: an earlier test may have left one.
        if (!Settings.detectPeaks) SetPeakDetector(window->view(), nullptr, nullptr);
        window->show();
        Pump();
    }

    void LoadExample() {
        ChartFileName = chart;
        Open();
        ASSERT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
    }

    // A keystroke where a keyboard sends it: an open menu, the focused widget, the active window,
    // or the main window when nothing is active.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (!target) target = QApplication::focusWidget();
        if (!target) target = QApplication::activeWindow();
        if (!target) target = window;
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        Pump();
    }

    // The first sample the viewer shows.
    int ViewStart() const {
        int start = 0;
        double top = 0;
        GetCursor(window->view(), &start, &top, nullptr, nullptr);
        return start;
    }

    // The rows the viewer shows (null while a peak is being set), and their count.
    const ChartStore* Rows(int* count = nullptr) const {
        int n = 0;
        uint32_t flags = 0;
        return RetrieveChart(window->view(), count ? count : &n, &flags);
    }
    int Samples() const {
        int count = 0;
        Rows(&count);
        return count;
    }

    // Runs act on each modal dialog of type T that opens, until it returns true (done).
    template <class T> void OnDialog(std::function<bool(T*)> act) {
        auto* timer = new QTimer();
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            // Stopped while act runs: act may open further modal dialogs of its own.
            timer->stop();
            if (!act(dialog)) timer->start();
        });
        timer->start();
        timers.push_back(timer);
    }

    // Runs action on the first modal dialog of type T that opens.
    template <class T> void WhenModal(std::function<void(T*)> action) {
        OnDialog<T>([action](T* dialog) {
            action(dialog);
            return true;
        });
    }

    // Runs act, clicking button on each message box it puts up; returns the text of the last box
    // when `times` boxes came, else a null text (the answer is withdrawn then).
    QString Asked(QMessageBox::StandardButton button, const std::function<void()>& act,
                  int times = 1) {
        auto seen = std::make_shared<std::pair<int, QString>>();
        OnDialog<QMessageBox>([seen, button, times](QMessageBox* box) {
            seen->second = box->text();
            if (QAbstractButton* b = box->button(button)) {
                b->click();
            } else {
                box->reject();
            }
            return ++seen->first >= times;
        });
        QTimer* waiting = timers.back();
        act();
        waiting->stop();
        return seen->first == times ? seen->second : QString();
    }

    QTemporaryDir dir;
    std::string chart;
    VortanMain* window = nullptr;
    std::vector<QTimer*> timers;
};

} // namespace apptest
