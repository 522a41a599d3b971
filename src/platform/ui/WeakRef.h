#pragma once

#include <memory>

namespace platform::ui {

// Lets other objects hold a reference that turns null when this object goes away, for the
// references the Mac keeps without retaining (a window's view, a tracking area's owner).
class Referable {
public:
    Referable() = default;
    Referable(const Referable&) = delete;
    Referable& operator=(const Referable&) = delete;
    virtual ~Referable() = default;

    std::weak_ptr<void> lifetime() const { return alive_; }

private:
    std::shared_ptr<void> alive_ = std::make_shared<char>(0);
};

// A non-owning reference to a Referable object; get() gives null once the object is destroyed.
template <class T>
class WeakRef {
public:
    WeakRef() = default;
    WeakRef(T* object) { reset(object); }
    WeakRef& operator=(T* object)
    {
        reset(object);
        return *this;
    }

    void reset(T* object = nullptr)
    {
        object_ = object;
        lifetime_ = object ? static_cast<const Referable*>(object)->lifetime() : std::weak_ptr<void>();
    }
    T* get() const { return lifetime_.expired() ? nullptr : object_; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    T* object_ = nullptr;
    std::weak_ptr<void> lifetime_;
};

} // namespace platform::ui
