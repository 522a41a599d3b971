#include "NotificationCenter.h"

#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <atomic>
#include <vector>

namespace platform {

namespace detail {

struct ObservationRecord {
    const void* observer = nullptr;
    QString name;
    const void* object = nullptr;
    NotificationCenter::Callback callback;
    std::atomic<bool> active{true};

    bool matches(const Notification& n) const
    {
        return (name.isEmpty() || name == n.name) && (!object || object == n.object);
    }
};

struct NotificationCenterState {
    mutable QMutex mutex;
    std::vector<std::shared_ptr<ObservationRecord>> records;

    // Deactivates and drops the records for which `pick` holds.
    template <class Pick>
    void remove(Pick pick)
    {
        QMutexLocker lock(&mutex);
        auto end = std::remove_if(records.begin(), records.end(), [&](const auto& record) {
            if (!pick(*record))
                return false;
            record->active = false;
            return true;
        });
        records.erase(end, records.end());
    }
};

} // namespace detail

Observation::Observation(std::shared_ptr<detail::ObservationRecord> record,
                         std::weak_ptr<detail::NotificationCenterState> center)
    : record_(std::move(record)), center_(std::move(center))
{
}

Observation::~Observation()
{
    reset();
}

Observation::Observation(Observation&& other) noexcept
    : record_(std::move(other.record_)), center_(std::move(other.center_))
{
}

Observation& Observation::operator=(Observation&& other) noexcept
{
    if (this != &other) {
        reset();
        record_ = std::move(other.record_);
        center_ = std::move(other.center_);
    }
    return *this;
}

void Observation::reset()
{
    if (!record_)
        return;
    record_->active = false;
    if (auto center = center_.lock()) {
        const detail::ObservationRecord* mine = record_.get();
        center->remove([mine](const detail::ObservationRecord& r) { return &r == mine; });
    }
    record_.reset();
    center_.reset();
}

bool Observation::isActive() const
{
    return record_ && record_->active;
}

NotificationCenter::NotificationCenter()
    : state_(std::make_shared<detail::NotificationCenterState>())
{
}

NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

Observation NotificationCenter::addObserver(const void* observer, const QString& name, const void* object,
                                            Callback callback)
{
    auto record = std::make_shared<detail::ObservationRecord>();
    record->observer = observer;
    record->name = name;
    record->object = object;
    record->callback = std::move(callback);
    {
        QMutexLocker lock(&state_->mutex);
        state_->records.push_back(record);
    }
    return Observation(record, state_);
}

void NotificationCenter::postNotification(const Notification& notification)
{
    std::vector<std::shared_ptr<detail::ObservationRecord>> matching;
    {
        QMutexLocker lock(&state_->mutex);
        for (const auto& record : state_->records)
            if (record->matches(notification))
                matching.push_back(record);
    }
    // A callback may end any registration, its own included; those not yet called are skipped.
    for (const auto& record : matching)
        if (record->active && record->callback)
            record->callback(notification);
}

void NotificationCenter::postNotificationName(const QString& name, void* object, const QVariantMap& userInfo)
{
    postNotification(Notification{name, object, userInfo});
}

void NotificationCenter::removeObserver(const void* observer)
{
    state_->remove([observer](const detail::ObservationRecord& r) { return r.observer == observer; });
}

void NotificationCenter::removeObserver(const void* observer, const QString& name, const void* object)
{
    state_->remove([&](const detail::ObservationRecord& r) {
        return r.observer == observer && (name.isEmpty() || r.name == name) && (!object || r.object == object);
    });
}

int NotificationCenter::observationCount() const
{
    QMutexLocker lock(&state_->mutex);
    return int(state_->records.size());
}

} // namespace platform
