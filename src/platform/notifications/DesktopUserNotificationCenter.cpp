#include "DesktopUserNotificationCenter.h"

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/log/SystemLog.h"

namespace platform {

void DesktopUserNotificationCenter::deliverNotification(const UserNotification& notification)
{
    NSLog(QStringLiteral("Notification: %1: %2").arg(notification.title, notification.informativeText));
    Platform::current().dispatcher->asyncGlobal([notification] {
        Platform::current().commandRunner->run(
            QStringLiteral("notify-send"),
            {QStringLiteral("--app-name=Tavrin"), QStringLiteral("--"), notification.title, notification.informativeText});
    });
}

} // namespace platform
