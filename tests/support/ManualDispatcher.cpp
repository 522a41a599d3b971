#include "ManualDispatcher.h"

#include <algorithm>

namespace test {

class ManualDispatcher::Handle final : public platform::TimerHandle {
public:
    explicit Handle(std::shared_ptr<TimerState> state) : state_(std::move(state)) {}
    ~Handle() override { invalidate(); }
    void invalidate() override { state_->valid = false; }
    bool isValid() const override { return state_->valid; }

private:
    std::shared_ptr<TimerState> state_;
};

void ManualDispatcher::asyncMain(Task task)
{
    QMutexLocker lock(&mutex_);
    main_.push_back(std::move(task));
}

void ManualDispatcher::asyncGlobal(Task task)
{
    QMutexLocker lock(&mutex_);
    global_.push_back(std::move(task));
}

void ManualDispatcher::afterMain(Interval delay, Task task)
{
    addTimer(delay, false, std::move(task));
}

std::unique_ptr<platform::TimerHandle> ManualDispatcher::scheduledTimer(Interval interval, bool repeats, Task task)
{
    return std::make_unique<Handle>(addTimer(interval, repeats, std::move(task)));
}

std::shared_ptr<ManualDispatcher::TimerState> ManualDispatcher::addTimer(Interval interval, bool repeats, Task task)
{
    QMutexLocker lock(&mutex_);
    timers_.push_back(std::make_shared<TimerState>(TimerState{interval, repeats, true, now_ + interval, std::move(task)}));
    return timers_.back();
}

int ManualDispatcher::drain(std::deque<Task>& queue)
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

int ManualDispatcher::drainAll()
{
    int total = 0;
    while (const int ran = drainGlobal() + drainMain())
        total += ran;
    return total;
}

void ManualDispatcher::advance(Interval elapsed)
{
    const Interval end = now_ + elapsed;
    for (;;) {
        std::shared_ptr<TimerState> next;
        {
            QMutexLocker lock(&mutex_);
            std::erase_if(timers_, [](const auto& t) { return !t->valid; });
            for (const auto& timer : timers_) {
                if (timer->due <= end && (!next || timer->due < next->due))
                    next = timer;
            }
            if (!next)
                break;
            now_ = next->due;
            if (next->repeats)
                next->due = now_ + std::max(next->interval, Interval(1));
            else
                next->valid = false;
        }
        next->task();
    }
    now_ = end;
}

void ManualDispatcher::fireTimers()
{
    std::vector<std::shared_ptr<TimerState>> due;
    {
        QMutexLocker lock(&mutex_);
        due = timers_;
    }
    for (const auto& timer : due) {
        if (!timer->valid)
            continue;
        if (!timer->repeats)
            timer->valid = false;
        timer->task();
    }
}

std::size_t ManualDispatcher::pendingMain() const
{
    QMutexLocker lock(&mutex_);
    return main_.size();
}

std::size_t ManualDispatcher::pendingGlobal() const
{
    QMutexLocker lock(&mutex_);
    return global_.size();
}

std::size_t ManualDispatcher::validTimers() const
{
    QMutexLocker lock(&mutex_);
    return std::size_t(std::count_if(timers_.begin(), timers_.end(), [](const auto& t) { return t->valid; }));
}

} // namespace test
