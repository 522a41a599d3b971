#include "LinuxMountWatch.h"

#include "MountInfo.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/workspace/Workspace.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace platform {

LinuxMountWatch::LinuxMountWatch(Settings settings, NotificationCenter& center, void* object)
    : settings_(std::move(settings))
    , center_(center)
    , object_(object)
{
    if (pipe2(stopFds_, O_CLOEXEC) != 0)
        return;
    thread_ = std::thread([this] { watch(); });
}

LinuxMountWatch::~LinuxMountWatch()
{
    if (thread_.joinable()) {
        const char stop = 1;
        (void)!write(stopFds_[1], &stop, 1);
        thread_.join();
    }
    for (int fd : stopFds_)
        if (fd >= 0)
            close(fd);
}

QSet<QString> LinuxMountWatch::currentMountPoints() const
{
    QSet<QString> points;
    QFile table(settings_.mountInfoPath);
    if (table.open(QIODevice::ReadOnly))
        for (const MountInfoEntry& entry : parseMountInfo(table.readAll()))
            points.insert(entry.mountPoint);
    if (!settings_.volumeStatePath.isEmpty() && settings_.readState)
        points += mountPointsInVolumeState(settings_.readState(settings_.volumeStatePath));
    return points;
}

void LinuxMountWatch::watch()
{
    const int table = open(QFile::encodeName(settings_.mountInfoPath).constData(), O_RDONLY | O_CLOEXEC);
    const int notify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    const QFileInfo state(settings_.volumeStatePath);
    if (notify >= 0 && !settings_.volumeStatePath.isEmpty())
        inotify_add_watch(notify, QFile::encodeName(state.absolutePath()).constData(),
                          IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM);
    QSet<QString> known = currentMountPoints();
    for (;;) {
        pollfd fds[3] = {{stopFds_[0], POLLIN, 0}, {table, POLLPRI, 0}, {notify, POLLIN, 0}};
        if (poll(fds, 3, -1) < 0)
            continue;
        if (fds[0].revents)
            break;
        bool changed = (fds[1].revents & (POLLPRI | POLLERR)) != 0;
        if (fds[1].revents)
            lseek(table, 0, SEEK_SET); // re-arms the change report
        if (fds[2].revents & POLLIN) {
            alignas(inotify_event) char buffer[4096];
            for (ssize_t n; (n = read(notify, buffer, sizeof buffer)) > 0;) {
                for (char* at = buffer; at < buffer + n;) {
                    const auto* event = reinterpret_cast<const inotify_event*>(at);
                    if (event->len && QFile::decodeName(event->name) == state.fileName())
                        changed = true;
                    at += sizeof(inotify_event) + event->len;
                }
            }
        }
        if (!changed)
            continue;
        QSet<QString> now = currentMountPoints();
        if (now != known)
            postChanges(known, now);
        known = std::move(now);
    }
    if (table >= 0)
        close(table);
    if (notify >= 0)
        close(notify);
}

void LinuxMountWatch::postChanges(const QSet<QString>& before, const QSet<QString>& after)
{
    Platform::current().dispatcher->asyncMain(lifetime_.guard([this, before, after] {
        const QString key = QString::fromLatin1(kNSDevicePath);
        for (const QString& point : after - before)
            center_.postNotificationName(NSWorkspaceDidMountNotification, object_, {{key, point}});
        for (const QString& point : before - after)
            center_.postNotificationName(NSWorkspaceDidUnmountNotification, object_, {{key, point}});
    }));
}

} // namespace platform
