#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// Changes of the tree from one scan, carried out on the main thread in the order they were
// posted. They go over in one hop per 64 changes or 20 ms, whichever comes first, or at once
// when asked (before the scan waits, and at its end): the window reloads only every half second,
// and a scan that wakes the main thread for every folder would spend more on waking than on
// reading.
class ChangeQueue : public std::enable_shared_from_this<ChangeQueue> {
public:
    using Change = std::function<void()>;

    void post(Change change);
    // Sends what is pending now.
    void send();
    // Sends what is pending when the last hop is 20 ms old: for changes that grow after posting.
    void sendIfDue();
    // Carries out what is pending now. Main thread.
    void drain();

private:
    // With the lock held.
    void schedule();

    std::mutex mutex_;
    std::vector<Change> pending_;
    bool scheduled_ = false;
    std::chrono::steady_clock::time_point lastSent_ = std::chrono::steady_clock::now();
};
