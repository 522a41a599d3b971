#include "QtDispatcher.h"

#include "platform/log/SystemLog.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <cstdlib>

namespace platform {

namespace {

constexpr Dispatcher::Interval kQuitWait{3000};
std::atomic<bool> finishing{false};

class QtTimerHandle final : public TimerHandle {
public:
    QtTimerHandle(Dispatcher::Interval interval, bool repeats, Dispatcher::Task task)
    {
        timer_.setInterval(int(interval.count()));
        timer_.setSingleShot(!repeats);
        QObject::connect(&timer_, &QTimer::timeout, [this, task = std::move(task)] {
            if (timer_.isSingleShot())
                valid_ = false;
            task();
        });
        timer_.start();
    }
    void invalidate() override
    {
        timer_.stop();
        valid_ = false;
    }
    bool isValid() const override { return valid_; }

private:
    QTimer timer_;
    bool valid_ = true;
};

} // namespace

QtDispatcher::QtDispatcher()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] { finishBackgroundWork(kQuitWait); });
}

void QtDispatcher::finishBackgroundWork(Interval timeout)
{
    finishing = true;
    QThreadPool* pool = QThreadPool::globalInstance();
    const QDeadlineTimer deadline(timeout.count());
    while (!pool->waitForDone(10)) {
        // A task may be waiting for the main thread, which no longer runs its loop.
        QCoreApplication::processEvents();
        if (deadline.hasExpired()) {
            NSLog(QStringLiteral("Background work still running at quit; leaving without it"));
            std::_Exit(EXIT_SUCCESS);
        }
    }
}

void QtDispatcher::asyncMain(Task task)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

void QtDispatcher::asyncGlobal(Task task)
{
    if (finishing)
        return;
    QThreadPool::globalInstance()->start(std::move(task));
}

void QtDispatcher::syncMain(Task task)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (QThread::currentThread() == app->thread())
        task();
    else
        QMetaObject::invokeMethod(app, std::move(task), Qt::BlockingQueuedConnection);
}

void QtDispatcher::afterMain(Interval delay, Task task)
{
    QTimer::singleShot(delay, QCoreApplication::instance(), std::move(task));
}

std::unique_ptr<TimerHandle> QtDispatcher::scheduledTimer(Interval interval, bool repeats, Task task)
{
    return std::make_unique<QtTimerHandle>(interval, repeats, std::move(task));
}

} // namespace platform
