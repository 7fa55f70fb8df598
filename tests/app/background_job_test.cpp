// Loading and saving on a worker thread: Esc or the progress dialog's Cancel stops a load and
// leaves the chart as it was; closing the window during a save waits for a whole file.
#include "app/commands/background_job.h"
#include "chart/spl_io.h"
#include "support/app_test_support.h"

#include <QKeyEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using apptest::Pump;

// Holds the worker until done() or five seconds have passed.
void WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

class BackgroundJobTest : public apptest::AppTest {
  protected:
    void TearDown() override {
        SetBackgroundJobHook(nullptr);
        SetProgressDelay(500);
        AppTest::TearDown();
    }
};

} // namespace

TEST_F(BackgroundJobTest, EscOrCancelStopsALoadAndKeepsTheChart) {
    enum Stop { EscInWindow, CancelButton, EscInDialog };
    for (Stop how : {EscInWindow, CancelButton, EscInDialog}) {
        SCOPED_TRACE(how);
        SetBackgroundJobHook(nullptr);
        SetProgressDelay(500);
        LoadExample();
        const int samples = window->view()->Chart()->sampleCount;
        const int tags = CurrentChart.tagCount();
        SetProgressDelay(how == EscInWindow ? 500 : 0);
        SetBackgroundJobHook([](SplProgress& p) { WaitFor([&p] { return p.cancel.load(); }); });
        auto* stop = new QTimer();
        timers.push_back(stop);
        stop->setInterval(10);
        QObject::connect(stop, &QTimer::timeout, [this, stop, how] {
            QWidget* target = QApplication::focusWidget();
            if (!target) target = window->viewer(); // no active window offscreen
            if (how != EscInWindow) {
                auto* dialog = window->findChild<QProgressDialog*>();
                if (!dialog || !dialog->isVisible()) return;
                target = dialog;
            }
            if (how == CancelButton) {
                target->findChild<QPushButton*>()->click();
            } else {
                QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(target, &esc);
            }
            stop->stop();
        });
        stop->start();
        EXPECT_EQ(LoadChart(window, std::string(VORTAN_EXAMPLES "/run3.spl")), 0);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Vortan: run3-peaks.spl"));
        EXPECT_EQ(*ChartFileName, chart);
        EXPECT_EQ(window->view()->Chart()->sampleCount, samples);
        EXPECT_EQ(CurrentChart.tagCount(), tags);
        EXPECT_EQ(window->findChild<QProgressDialog*>(), nullptr);
        delete window;
        window = nullptr;
    }
}

TEST_F(BackgroundJobTest, CloseDuringASaveWaitsForTheWholeFile) {
    LoadExample();
    const std::string target = Path("saved.spl");
    std::atomic<bool> closeAsked{false};
    SetBackgroundJobHook(
        [&closeAsked](SplProgress&) { WaitFor([&] { return closeAsked.load(); }); });
    QTimer::singleShot(0, [this, &closeAsked] {
        window->close();
        closeAsked = true;
    });
    ASSERT_EQ(StoreChart(window, target), SAVE_DONE);
    EXPECT_TRUE(window->isVisible()); // the close waited for the save
    Pump();
    EXPECT_FALSE(window->isVisible());
    SplChart header;
    auto rows = ReadSplData(target, header);
    ASSERT_TRUE(rows);
    EXPECT_EQ(static_cast<int>(rows->size()), window->view()->Chart()->sampleCount);
}
