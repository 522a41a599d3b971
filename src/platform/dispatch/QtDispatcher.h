#pragma once

#include "Dispatcher.h"

namespace platform {

// The main queue is the Qt event loop of the application's thread; the global queue is Qt's
// global thread pool; timers are QTimers.
class QtDispatcher final : public Dispatcher {
public:
    // Finishes the background work when the application quits (see finishBackgroundWork).
    QtDispatcher();

    void asyncMain(Task task) override;
    void asyncGlobal(Task task) override;
    void syncMain(Task task) override;
    void afterMain(Interval delay, Task task) override;
    std::unique_ptr<TimerHandle> scheduledTimer(Interval interval, bool repeats, Task task) override;

    // Takes no new background task and waits, serving the main queue, for those that run: the
    // platform they call is removed once the main loop has returned. Work that has not finished
    // by `timeout` ends with the process.
    static void finishBackgroundWork(Interval timeout);
};

} // namespace platform
