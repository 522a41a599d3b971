#pragma once

#include "UserNotificationCenter.h"

#include "platform/Sibling.h"

namespace platform {

class CommandRunner;
class Dispatcher;

// Notices go to the log and to the desktop's notification server through `notify-send`, when
// the machine has it, started on the background queue. Removing them is left to the server,
// which lets them expire.
class DesktopUserNotificationCenter final : public UserNotificationCenter {
public:
    DesktopUserNotificationCenter(Sibling<Dispatcher> dispatcher, Sibling<CommandRunner> commandRunner);

    void deliverNotification(const UserNotification& notification) override;
    void removeAllDeliveredNotifications() override {}

private:
    Sibling<Dispatcher> dispatcher_;
    Sibling<CommandRunner> commandRunner_;
};

} // namespace platform
