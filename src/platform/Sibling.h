#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace platform {

// Another area that an implementation leans on, handed to it where the platform is put together
// and looked up at each use rather than kept: a test replaces areas after the platform is made,
// and what leans on them follows. Null while the area is missing, and when none was handed.
template <class T>
class Sibling {
public:
    Sibling() = default;
    // The area in a platform's slot, whichever object the slot holds at the time.
    Sibling(const std::unique_ptr<T>& slot) : find_([&slot] { return slot.get(); }) {}
    Sibling(const std::unique_ptr<T>&&) = delete;
    // An area reached some other way.
    explicit Sibling(std::function<T*()> find) : find_(std::move(find)) {}

    T* get() const { return find_ ? find_() : nullptr; }
    T& operator*() const { return *get(); }
    T* operator->() const { return get(); }

private:
    std::function<T*()> find_;
};

} // namespace platform
