#pragma once

#include <atomic>

// At most one volume enumeration starts per second: the first takes the guard and the main
// run loop gives it back a second later. Any thread.
class EnumerationGuard {
public:
    static EnumerationGuard& shared();

    // False while the guard is taken.
    bool tryTake() { return !taken_.exchange(true); }
    void clear() { taken_.store(false); }
    bool isTaken() const { return taken_.load(); }

private:
    std::atomic<bool> taken_{false};
};
