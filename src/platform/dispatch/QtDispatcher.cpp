#include "QtDispatcher.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

namespace platform {

namespace {

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

void QtDispatcher::asyncMain(Task task)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

void QtDispatcher::asyncGlobal(Task task)
{
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
