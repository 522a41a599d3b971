#pragma once

#include "UserNotificationCenter.h"

namespace platform {

// Notices go to the log and to the desktop's notification server through `notify-send`, when
// the machine has it, started on the background queue. Removing them is left to the server,
// which lets them expire.
class DesktopUserNotificationCenter final : public UserNotificationCenter {
public:
    void deliverNotification(const UserNotification& notification) override;
    void removeAllDeliveredNotifications() override {}
};

} // namespace platform
