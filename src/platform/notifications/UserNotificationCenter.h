#pragma once

#include <QString>

namespace platform {

// A notice shown to the person outside the program's windows.
struct UserNotification {
    QString title;
    QString informativeText;
};

// Decides whether a notice shows while the program is in front.
class UserNotificationCenterDelegate {
public:
    virtual ~UserNotificationCenterDelegate() = default;
    virtual bool shouldPresentNotification(const UserNotification&) { return false; } // kept: named by the design, no caller yet
};

// The desktop's notices.
class UserNotificationCenter {
public:
    virtual ~UserNotificationCenter() = default;

    virtual void deliverNotification(const UserNotification& notification) = 0;
    // Takes away this program's notices that are still shown.
    virtual void removeAllDeliveredNotifications() = 0;
    // Not owned; null for none.
    void setDelegate(UserNotificationCenterDelegate* delegate) { delegate_ = delegate; }
    UserNotificationCenterDelegate* delegate() const { return delegate_; }

private:
    UserNotificationCenterDelegate* delegate_ = nullptr;
};

} // namespace platform
