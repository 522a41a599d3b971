#include "WatchMountUnmount.h"

#include "platform/mounts/MountWatch.h"
#include "platform/workspace/Workspace.h"

WatchMountUnmount::WatchMountUnmount(platform::NotificationCenter& wsnc)
    : wsnc_(wsnc)
{
    registerNotifications();
}

void WatchMountUnmount::registerNotifications()
{
    mounted_ = wsnc_.addObserver(this, platform::NSWorkspaceDidMountNotification, nullptr,
                                 [this](const platform::Notification& n) { mountedVolume(n); });
    unmounted_ = wsnc_.addObserver(this, platform::NSWorkspaceDidUnmountNotification, nullptr,
                                   [this](const platform::Notification& n) { unmountedVolume(n); });
}

void WatchMountUnmount::mountedVolume(const platform::Notification& notification)
{
    platform::NotificationCenter::defaultCenter().postNotificationName(MCVolumeMountNotification, this,
                                                                       notification.userInfo);
}

void WatchMountUnmount::unmountedVolume(const platform::Notification& notification)
{
    platform::NotificationCenter::defaultCenter().postNotificationName(MCVolumeUnmountNotification, this,
                                                                       notification.userInfo);
}
