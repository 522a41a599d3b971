#include "DesktopUserNotificationCenter.h"

#include "platform/commands/CommandRunner.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/log/SystemLog.h"

namespace platform {

DesktopUserNotificationCenter::DesktopUserNotificationCenter(Sibling<Dispatcher> dispatcher,
                                                             Sibling<CommandRunner> commandRunner)
    : dispatcher_(std::move(dispatcher))
    , commandRunner_(std::move(commandRunner))
{
}

void DesktopUserNotificationCenter::deliverNotification(const UserNotification& notification)
{
    NSLog(QStringLiteral("Notification: %1: %2").arg(notification.title, notification.informativeText));
    dispatcher_->asyncGlobal([runner = commandRunner_, notification] {
        runner->run(QStringLiteral("notify-send"),
                    {QStringLiteral("--app-name=Tavrin"), QStringLiteral("--"), notification.title, notification.informativeText});
    });
}

} // namespace platform
