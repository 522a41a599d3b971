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

void ManualDispatcher::syncMain(Task task)
{
    task(); // everything runs on the test's thread
}

void ManualDispatcher::afterMain(Interval delay, Task task)
{
    QMutexLocker lock(&mutex_);
    auto state = std::make_shared<TimerState>();
    state->interval = delay;
    state->due = now_ + delay;
    state->task = std::move(task);
    timers_.push_back(std::move(state));
}

std::unique_ptr<platform::TimerHandle> ManualDispatcher::scheduledTimer(Interval interval, bool repeats, Task task)
{
    QMutexLocker lock(&mutex_);
    auto state = std::make_shared<TimerState>();
    state->interval = interval;
    state->repeats = repeats;
    state->due = now_ + interval;
    state->task = std::move(task);
    timers_.push_back(state);
    return std::make_unique<Handle>(state);
}

bool ManualDispatcher::runOne(std::deque<Task>& queue)
{
    Task task;
    {
        QMutexLocker lock(&mutex_);
        if (queue.empty())
            return false;
        task = std::move(queue.front());
        queue.pop_front();
    }
    task();
    return true;
}

int ManualDispatcher::drainMain()
{
    int count = 0;
    while (runOne(main_))
        ++count;
    return count;
}

int ManualDispatcher::drainGlobal()
{
    int count = 0;
    while (runOne(global_))
        ++count;
    return count;
}

int ManualDispatcher::drainAll()
{
    int total = 0;
    for (;;) {
        const int ran = drainGlobal() + drainMain();
        if (ran == 0)
            return total;
        total += ran;
    }
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
