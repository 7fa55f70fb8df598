// A main window offscreen with its own settings file, the example chart with five peaks copied
// beside it, and helpers that find and drive the dialogs that open modally.
#pragma once

#include "app/chart_commands.h"
#include "app/main_window.h"
#include "app/panels.h"
#include "app/startup.h"
#include "chart/settings.h"
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"
#include "views/chart_viewer_widget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

inline void Pump() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SetSettingsFilePath(QDir(dir.path()).filePath(QStringLiteral("VORTAN.INI")).toStdString());
        Settings = SettingsRecord{};
        Settings.windowWidth = 1000;
        Settings.windowHeight = 500;
        Settings.detectPeaks = false;
        CurrentChart.Reset();
        ChartFileName.reset();
        ChartBaseName.reset();
        chart = QDir(dir.path()).filePath(QStringLiteral("run3-peaks.spl")).toStdString();
        ASSERT_TRUE(QFile::copy(QStringLiteral(VORTAN_EXAMPLES "/run3-peaks.spl"),
                                QString::fromStdString(chart)));
        QFile::setPermissions(QString::fromStdString(chart), QFile::ReadOwner | QFile::WriteOwner);
    }

    void TearDown() override {
        for (QTimer* t : timers)
            delete t;
        if (window) window->MarkChartSaved();
        delete window;
        CloseHelp();
        SetSettingsFilePath("");
        CurrentChart.Reset();
        ChartFileName.reset();
        ChartBaseName.reset();
    }

    void Open() {
        window = new VortanMain();
        window->viewer()->setDesktopWidth(1000);
        window->show();
        Pump();
    }

    void LoadExample() {
        Open();
        ASSERT_EQ(LoadChart(window, chart), 1);
        Pump();
    }

    // Runs action on the first visible modal dialog of type T that opens (polled every 5 ms).
    template <typename T> void WhenModal(std::function<void(T*)> action) {
        auto* timer = new QTimer();
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [timer, action] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            timer->stop();
            action(dialog);
        });
        timer->start();
        timers.push_back(timer);
    }

    QTemporaryDir dir;
    std::string chart;
    VortanMain* window = nullptr;
    std::vector<QTimer*> timers;
};
