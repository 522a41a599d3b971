#pragma once

#include "Notification.h"

#include <functional>
#include <memory>

namespace platform {

class NotificationCenter;

namespace detail {
struct ObservationRecord;
struct NotificationCenterState;
} // namespace detail

// One registration with the notification centre. It ends when this handle is destroyed or
// reset, so an observer that keeps its handles as members can never be called after it is
// gone. Move-only.
class Observation {
public:
    Observation() = default;
    ~Observation();
    Observation(Observation&& other) noexcept;
    Observation& operator=(Observation&& other) noexcept;
    Observation(const Observation&) = delete;
    Observation& operator=(const Observation&) = delete;

    void reset();
    bool isActive() const;

private:
    friend class NotificationCenter;
    Observation(std::shared_ptr<detail::ObservationRecord> record,
                std::weak_ptr<detail::NotificationCenterState> center);

    std::shared_ptr<detail::ObservationRecord> record_;
    std::weak_ptr<detail::NotificationCenterState> center_;
};

// Delivers named notifications to the observers registered for that name and object, on the
// posting thread, in the order of registration. Views and windows use it on the main thread.
class NotificationCenter {
public:
    using Callback = std::function<void(const Notification&)>;

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    static NotificationCenter& defaultCenter();

    // An empty name matches every name; a null object matches every object. `observer` only
    // identifies the registration for removeObserver; it is never dereferenced.
    [[nodiscard]] Observation addObserver(const void* observer, const QString& name, const void* object,
                                          Callback callback);
    void postNotification(const Notification& notification);
    void postNotificationName(const QString& name, void* object, const QVariantMap& userInfo = {});
    // Ends every registration of the observer (or only those for that name and object; an empty
    // name or null object here matches any).
    void removeObserver(const void* observer);
    void removeObserver(const void* observer, const QString& name, const void* object);

    // Registrations in force, for tests.
    int observationCount() const;

private:
    std::shared_ptr<detail::NotificationCenterState> state_;
};

} // namespace platform
