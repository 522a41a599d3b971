#include "ScanGate.h"

void ScanGate::setPaused(bool paused)
{
    {
        std::lock_guard lock(mutex_);
        paused_ = paused;
    }
    changed_.notify_all();
}

void ScanGate::stop()
{
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

bool ScanGate::pass()
{
    if (stopped_.load())
        return false;
    if (paused_.load()) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !paused_.load() || stopped_.load(); });
    }
    return !stopped_.load();
}
