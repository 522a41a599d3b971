#pragma once

#include "platform/dispatch/Dispatcher.h"

#include <QMutex>

#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

namespace test {

// Queues everything and runs it only when the test says so, on the test's thread.
class ManualDispatcher : public platform::Dispatcher {
public:
    void asyncMain(Task task) override { QMutexLocker lock(&mutex_); main_.push_back(std::move(task)); }
    void asyncGlobal(Task task) override { QMutexLocker lock(&mutex_); global_.push_back(std::move(task)); }
    void syncMain(Task task) override { task(); }
    void afterMain(Interval delay, Task task) override { addTimer(delay, false, std::move(task)); }
    std::unique_ptr<platform::TimerHandle> scheduledTimer(Interval interval, bool repeats, Task task) override
    {
        return std::make_unique<Handle>(addTimer(interval, repeats, std::move(task)));
    }

    // Each runs its queue, and what the tasks queue there, until it is empty; gives how many ran.
    int drainMain() { return drain(main_); }
    int drainGlobal() { return drain(global_); }
    int drainAll()
    {
        int total = 0;
        while (const int ran = drainGlobal() + drainMain())
            total += ran;
        return total;
    }
    // Lets `elapsed` pass: runs delayed tasks and fires timers that fall due, in time order.
    void advance(Interval elapsed)
    {
        const Interval end = now_ + elapsed;
        for (;;) {
            std::shared_ptr<TimerState> next;
            {
                QMutexLocker lock(&mutex_);
                std::erase_if(timers_, [](const auto& t) { return !t->valid; });
                for (const auto& timer : timers_)
                    if (timer->due <= end && (!next || timer->due < next->due))
                        next = timer;
                if (!next)
                    break;
                now_ = next->due;
                next->valid = next->repeats;
                next->due = now_ + std::max(next->interval, Interval(1));
            }
            next->task();
        }
        now_ = end;
    }
    // Fires every valid timer once, as if each interval had passed.
    void fireTimers()
    {
        std::vector<std::shared_ptr<TimerState>> due;
        {
            QMutexLocker lock(&mutex_);
            due = timers_;
        }
        for (const auto& timer : due) {
            if (!timer->valid)
                continue;
            timer->valid = timer->repeats;
            timer->task();
        }
    }

    std::size_t pendingMain() const { QMutexLocker lock(&mutex_); return main_.size(); }
    std::size_t pendingGlobal() const { QMutexLocker lock(&mutex_); return global_.size(); }
    std::size_t validTimers() const
    {
        QMutexLocker lock(&mutex_);
        return std::size_t(std::count_if(timers_.begin(), timers_.end(), [](const auto& t) { return t->valid; }));
    }

private:
    struct TimerState {
        Interval interval{};
        bool repeats = false;
        bool valid = true;
        Interval due{};
        Task task;
    };
    class Handle final : public platform::TimerHandle {
    public:
        explicit Handle(std::shared_ptr<TimerState> state) : state_(std::move(state)) {}
        ~Handle() override { invalidate(); }
        void invalidate() override { state_->valid = false; }
        bool isValid() const override { return state_->valid; }

    private:
        std::shared_ptr<TimerState> state_;
    };

    std::shared_ptr<TimerState> addTimer(Interval interval, bool repeats, Task task)
    {
        QMutexLocker lock(&mutex_);
        timers_.push_back(std::make_shared<TimerState>(TimerState{interval, repeats, true, now_ + interval, std::move(task)}));
        return timers_.back();
    }
    int drain(std::deque<Task>& queue)
    {
        for (int count = 0;; ++count) {
            Task task;
            {
                QMutexLocker lock(&mutex_);
                if (queue.empty())
                    return count;
                task = std::move(queue.front());
                queue.pop_front();
            }
            task();
        }
    }

    mutable QMutex mutex_;
    std::deque<Task> main_;
    std::deque<Task> global_;
    std::vector<std::shared_ptr<TimerState>> timers_;
    Interval now_{};
};

} // namespace test
