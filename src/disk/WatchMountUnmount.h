#pragma once

#include "platform/notifications/NotificationCenter.h"

// Passes the platform's did-mount and did-unmount notifications on, as "MCVolumeMount" and
// "MCVolumeUnmount" on the application's default centre, with their user information.
class WatchMountUnmount {
public:
    explicit WatchMountUnmount(platform::NotificationCenter& wsnc);

    void registerNotifications();
    void mountedVolume(const platform::Notification& notification);
    void unmountedVolume(const platform::Notification& notification);

private:
    platform::NotificationCenter& wsnc_;
    platform::Observation mounted_;
    platform::Observation unmounted_;
};

inline const QString MCVolumeMountNotification = QStringLiteral("MCVolumeMount");
inline const QString MCVolumeUnmountNotification = QStringLiteral("MCVolumeUnmount");
