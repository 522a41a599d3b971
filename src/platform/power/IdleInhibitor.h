#pragma once

#include "PowerAssertions.h"

#include "platform/files/FileDescriptor.h"

#include <QMutex>

#include <map>

namespace platform {

// Assertions as the session's idle inhibitions: GNOME's session manager's or the freedesktop
// screen saver's Inhibit (a cookie), else the login manager's "idle" lock (a descriptor, held
// until closed).
class IdleInhibitor final : public PowerAssertions {
public:
    // Null when the session bus offers neither interface.
    static std::unique_ptr<IdleInhibitor> create();
    ~IdleInhibitor() override;

    int IOPMAssertionCreateWithName(const QString& type, int level, const QString& name,
                                    IOPMAssertionID* assertionID) override;
    int IOPMAssertionRelease(IOPMAssertionID assertionID) override;
    void UpdateSystemActivity(int activity) override;

private:
    enum class Service { GnomeSession, ScreenSaver, LoginManager };
    explicit IdleInhibitor(Service service) : service_(service) {}
    // The service's cookie, or the login manager's lock.
    struct Hold {
        uint32_t cookie = 0;
        FileDescriptor lock;
    };
    // Ends the inhibition: the lock closes as the hold goes.
    void release(Hold hold);

    Service service_;
    QMutex mutex_;
    std::map<IOPMAssertionID, Hold> held_;
    IOPMAssertionID next_ = 1;
};

} // namespace platform
