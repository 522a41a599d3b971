#pragma once

#include <functional>
#include <memory>

namespace platform {

// Lets work that outlives its owner find out that the owner is gone. An owner keeps a Lifetime
// as a member; results that come back later are wrapped with `guard`, and are dropped when the
// owner has been destroyed. Guarded work must be run on the owner's thread (the main thread).
class Lifetime {
public:
    Lifetime() : alive_(std::make_shared<char>()) {}
    Lifetime(const Lifetime&) = delete;
    Lifetime& operator=(const Lifetime&) = delete;

    template<typename Function>
    auto guard(Function function) const
    {
        return [weak = std::weak_ptr<char>(alive_), function = std::move(function)](auto&&... args) {
            if (!weak.expired())
                function(std::forward<decltype(args)>(args)...);
        };
    }

    // Ends the lifetime early: later guarded calls are dropped.
    void end() { alive_.reset(); }

private:
    std::shared_ptr<char> alive_;
};

// Dispatches through the installed platform.
void dispatchAsyncMain(std::function<void()> task);
void dispatchAsyncGlobal(std::function<void()> task);

} // namespace platform
