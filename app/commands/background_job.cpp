#include "app/commands/background_job.h"

#include "app/window/main_window.h"
#include "chart/run_log.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <thread>

namespace {

int& ProgressDelay() {
    static int delay = 500;
    return delay;
}

BackgroundJobHook& JobHook() {
    static BackgroundJobHook hook;
    return hook;
}

int runningJobs = 0;

// Holds back the user's input to every window but the progress dialog while a job runs; Esc asks
// the job to stop, and a close of the main window is put off until the job is over.
class JobGuard : public QObject {
  public:
    JobGuard(VortanMain* main, SplProgress& progress, bool stopOnClose)
        : main_(main), progress_(progress), stopOnClose_(stopOnClose) {}

    QPointer<QProgressDialog> dialog;
    bool closeRequested = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Close:
            if (watched != main_) return false;
            closeRequested = true;
            if (stopOnClose_) progress_.cancel = true;
            event->ignore();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            // Esc stops the work wherever it is typed (the dialog's own Esc shortcut would only
            // reset it, without a word to the work).
            if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                progress_.cancel = true;
                event->accept();
                return true;
            }
            if (InDialog(watched)) return false;
            event->accept();
            return true;
        default:
            return false;
        }
    }

  private:
    bool InDialog(QObject* watched) const {
        if (!dialog) return false;
        if (auto* widget = qobject_cast<QWidget*>(watched))
            return widget == dialog || dialog->isAncestorOf(widget);
        if (auto* window = qobject_cast<QWindow*>(watched)) return window == dialog->windowHandle();
        return false;
    }

    VortanMain* main_;
    SplProgress& progress_;
    bool stopOnClose_;
};

void UpdateDialog(QProgressDialog& dialog, const QString& label, const SplProgress& progress) {
    long long total = progress.total.load();
    long long done = progress.done.load();
    if (total > 0) {
        dialog.setRange(0, 100);
        dialog.setValue(static_cast<int>(std::min<long long>(100, done * 100 / total)));
    } else {
        dialog.setRange(0, 0);
    }
    QString text = QCoreApplication::translate("BackgroundJob", "%1\n%L2 行")
                       .arg(label)
                       .arg(progress.rows.load());
    if (total > 0) text += QStringLiteral(" (%1%)").arg(dialog.value());
    dialog.setLabelText(text);
}

} // namespace

void SetProgressDelay(int milliseconds) {
    ProgressDelay() = milliseconds;
}

void SetBackgroundJobHook(BackgroundJobHook hook) {
    JobHook() = std::move(hook);
}

bool BackgroundJobRunning() {
    return runningJobs > 0;
}

void RunBackgroundJob(VortanMain* main, const QString& label, SplProgress& progress,
                      bool stopOnClose, const std::function<void()>& work) {
    ++runningJobs;
    JobGuard guard(main, progress, stopOnClose);
    qApp->installEventFilter(&guard);

    QEventLoop loop;
    BackgroundJobHook hook = JobHook();
    std::thread worker([&] {
        try {
            if (hook) hook(progress);
            work();
        } catch (...) {
            // The work reports its own failures; nothing may escape the thread.
        }
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });

    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!guard.dialog && clock.elapsed() >= ProgressDelay()) {
            auto* dialog = new QProgressDialog(
                label, QCoreApplication::translate("BackgroundJob", "キャンセル"), 0, 100, main);
            dialog->setWindowTitle(QStringLiteral("Vortan"));
            dialog->setWindowModality(Qt::WindowModal);
            dialog->setMinimumDuration(0);
            dialog->setAutoClose(false);
            dialog->setAutoReset(false);
            QObject::connect(dialog, &QProgressDialog::canceled,
                             [&progress] { progress.cancel = true; });
            guard.dialog = dialog;
            dialog->show();
        }
        if (guard.dialog && guard.dialog->wasCanceled()) progress.cancel = true;
        if (guard.dialog) UpdateDialog(*guard.dialog, label, progress);
    });
    tick.start();
    loop.exec();
    worker.join();
    tick.stop();

    qApp->removeEventFilter(&guard);
    delete guard.dialog.data();
    --runningJobs;
    // A close asked for meanwhile happens now.
    if (guard.closeRequested && main)
        QMetaObject::invokeMethod(main, "close", Qt::QueuedConnection);
}
