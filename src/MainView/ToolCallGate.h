#pragma once

#include <functional>
#include <memory>
#include <mutex>

// Lets a background thread call into the host's tools only while the host is alive. The host
// closes the gate before its tools go; a call under way holds the gate, so closing waits for it
// (calls through the gate only hand work on and return at once).
class ToolCallGate {
public:
    static std::shared_ptr<ToolCallGate> make() { return std::make_shared<ToolCallGate>(); }

    // Runs `call` unless the gate is closed; whether it ran.
    bool run(const std::function<void()>& call)
    {
        std::lock_guard lock(mutex_);
        if (closed_)
            return false;
        call();
        return true;
    }

    void close()
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }

private:
    std::mutex mutex_;
    bool closed_ = false;
};
