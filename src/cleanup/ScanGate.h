#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

// The pause and stop switches of one scan. The window flips them on the main thread; the scan
// passes the gate at each of its test points and waits there while paused, until resumed or
// stopped.
class ScanGate {
public:
    void setPaused(bool paused);
    bool isPaused() const { return paused_.load(); }
    void stop();
    bool isStopped() const { return stopped_.load(); }

    // A test point: the stop test first, then the pause wait. False when the scan must leave.
    bool pass();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::atomic<bool> paused_{false};
    std::atomic<bool> stopped_{false};
};
