#include "ChangeQueue.h"

#include "platform/dispatch/Lifetime.h"

namespace {

constexpr std::size_t kChangesPerHop = 64;
constexpr auto kLongestDelay = std::chrono::milliseconds(20);

} // namespace

void ChangeQueue::post(Change change)
{
    std::lock_guard lock(mutex_);
    pending_.push_back(std::move(change));
    if (pending_.size() >= kChangesPerHop || std::chrono::steady_clock::now() - lastSent_ >= kLongestDelay)
        schedule();
}

void ChangeQueue::send()
{
    std::lock_guard lock(mutex_);
    if (!pending_.empty())
        schedule();
}

void ChangeQueue::sendIfDue()
{
    std::lock_guard lock(mutex_);
    if (!pending_.empty() && std::chrono::steady_clock::now() - lastSent_ >= kLongestDelay)
        schedule();
}

void ChangeQueue::schedule()
{
    lastSent_ = std::chrono::steady_clock::now();
    if (scheduled_)
        return;
    scheduled_ = true;
    platform::dispatchAsyncMain([self = shared_from_this()] { self->drain(); });
}

void ChangeQueue::drain()
{
    std::vector<Change> changes;
    {
        std::lock_guard lock(mutex_);
        changes.swap(pending_);
        scheduled_ = false;
    }
    for (Change& change : changes)
        change();
    // The emptied buffer goes back for the next changes, so the scan does not grow a new one for
    // every hop (its large requests made the allocator sweep everything freed meanwhile).
    changes.clear();
    std::lock_guard lock(mutex_);
    if (pending_.empty())
        pending_.swap(changes);
}
