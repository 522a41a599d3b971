#include "SerialQueue.h"

#include "platform/dispatch/Lifetime.h"

#include <QMutex>

#include <deque>

namespace platform {

struct SerialQueue::State {
    QMutex mutex;
    std::deque<std::function<void()>> tasks;
    bool running = false; // a runner is on the global queue
    bool closed = false;

    // Takes tasks until none is left; one runner at a time keeps the order.
    static void run(const std::shared_ptr<State>& state)
    {
        for (;;) {
            std::function<void()> task;
            {
                QMutexLocker lock(&state->mutex);
                if (state->closed || state->tasks.empty()) {
                    state->running = false;
                    return;
                }
                task = std::move(state->tasks.front());
                state->tasks.pop_front();
            }
            task();
        }
    }
};

SerialQueue::SerialQueue(QString label) : label_(std::move(label)), state_(std::make_shared<State>()) {}

SerialQueue::~SerialQueue()
{
    QMutexLocker lock(&state_->mutex);
    state_->closed = true;
    state_->tasks.clear();
}

void SerialQueue::async(std::function<void()> task)
{
    {
        QMutexLocker lock(&state_->mutex);
        if (state_->closed)
            return;
        state_->tasks.push_back(std::move(task));
        if (state_->running)
            return;
        state_->running = true;
    }
    dispatchAsyncGlobal([state = state_] { State::run(state); });
}

} // namespace platform
