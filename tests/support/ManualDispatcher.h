#pragma once

#include "platform/dispatch/Dispatcher.h"

#include <QMutex>

#include <deque>
#include <memory>
#include <vector>

namespace test {

// Queues everything and runs it only when the test says so, on the test's thread.
class ManualDispatcher : public platform::Dispatcher {
public:
    void asyncMain(Task task) override;
    void asyncGlobal(Task task) override;
    void syncMain(Task task) override { task(); } // everything runs on the test's thread
    void afterMain(Interval delay, Task task) override;
    std::unique_ptr<platform::TimerHandle> scheduledTimer(Interval interval, bool repeats, Task task) override;

    // Runs queued main tasks (and those they queue) until none is left; gives how many ran.
    int drainMain() { return drain(main_); }
    int drainGlobal() { return drain(global_); }
    // Background and main work, alternately, until both queues are empty.
    int drainAll();
    // Lets `elapsed` pass: runs delayed tasks and fires timers that fall due, in time order.
    void advance(Interval elapsed);
    // Fires every valid timer once, as if each interval had passed.
    void fireTimers();

    std::size_t pendingMain() const;
    std::size_t pendingGlobal() const;
    std::size_t validTimers() const;

private:
    struct TimerState {
        Interval interval{};
        bool repeats = false;
        bool valid = true;
        Interval due{};
        Task task;
    };
    class Handle;

    std::shared_ptr<TimerState> addTimer(Interval interval, bool repeats, Task task);
    int drain(std::deque<Task>& queue);

    mutable QMutex mutex_;
    std::deque<Task> main_;
    std::deque<Task> global_;
    std::vector<std::shared_ptr<TimerState>> timers_;
    Interval now_{};
};

} // namespace test
