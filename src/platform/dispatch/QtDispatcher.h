#pragma once

#include "Dispatcher.h"

namespace platform {

// The main queue is the Qt event loop of the application's thread; the global queue is Qt's
// global thread pool; timers are QTimers.
class QtDispatcher final : public Dispatcher {
public:
    void asyncMain(Task task) override;
    void asyncGlobal(Task task) override;
    void syncMain(Task task) override;
    void afterMain(Interval delay, Task task) override;
    std::unique_ptr<TimerHandle> scheduledTimer(Interval interval, bool repeats, Task task) override;
};

} // namespace platform
