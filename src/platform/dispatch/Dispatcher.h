#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace platform {

// A repeating or one-shot timer on the main loop. Destroying the handle invalidates it.
class TimerHandle {
public:
    virtual ~TimerHandle() = default;
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
};

// The main queue (the event loop of the main thread, which owns every view), the global
// background queue, and timers on the main loop.
class Dispatcher {
public:
    using Task = std::function<void()>;
    using Interval = std::chrono::milliseconds;

    virtual ~Dispatcher() = default;

    virtual void asyncMain(Task task) = 0;
    virtual void asyncGlobal(Task task) = 0;
    // Runs the task on the main thread and waits for it; runs it at once on the main thread.
    virtual void syncMain(Task task) = 0;
    virtual void afterMain(Interval delay, Task task) = 0;
    virtual std::unique_ptr<TimerHandle> scheduledTimer(Interval interval, bool repeats, Task task) = 0;
};

} // namespace platform
