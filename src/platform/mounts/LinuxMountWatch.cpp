#include "LinuxMountWatch.h"

#include "MountInfo.h"

#include "platform/dispatch/Dispatcher.h"
#include "platform/notifications/NotificationCenter.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace platform {

LinuxMountWatch::LinuxMountWatch(Settings settings, Sibling<Dispatcher> dispatcher, Sibling<NotificationCenter> center)
    : settings_(std::move(settings))
    , dispatcher_(std::move(dispatcher))
    , center_(std::move(center))
{
    int stop[2];
    if (pipe2(stop, O_CLOEXEC) != 0)
        return;
    stopRead_.reset(stop[0]);
    stopWrite_.reset(stop[1]);
    // Watched and read before the constructor returns: every later change is seen.
    table_.reset(open(QFile::encodeName(settings_.mountInfoPath).constData(), O_RDONLY | O_CLOEXEC));
    notify_.reset(inotify_init1(IN_CLOEXEC | IN_NONBLOCK));
    if (notify_.isValid() && !settings_.volumeStatePath.isEmpty())
        inotify_add_watch(notify_.get(), QFile::encodeName(QFileInfo(settings_.volumeStatePath).absolutePath()).constData(),
                          IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM);
    thread_ = std::thread([this, known = currentMountPoints()]() mutable { watch(std::move(known)); });
}

LinuxMountWatch::~LinuxMountWatch()
{
    if (thread_.joinable()) {
        const char stop = 1;
        (void)!write(stopWrite_.get(), &stop, 1);
        thread_.join();
    }
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

void LinuxMountWatch::watch(QSet<QString> known)
{
    const QString stateName = QFileInfo(settings_.volumeStatePath).fileName();
    const int table = table_.get(), notify = notify_.get();
    for (;;) {
        pollfd fds[3] = {{stopRead_.get(), POLLIN, 0}, {table, POLLPRI, 0}, {notify, POLLIN, 0}};
        if (poll(fds, 3, -1) < 0)
            continue;
        if (fds[0].revents)
            break;
        // The kernel reports each change of the mount table once.
        bool changed = (fds[1].revents & (POLLPRI | POLLERR)) != 0;
        if (fds[2].revents & POLLIN) {
            alignas(inotify_event) char buffer[4096];
            for (ssize_t n; (n = read(notify, buffer, sizeof buffer)) > 0;) {
                for (char* at = buffer; at < buffer + n;) {
                    const auto* event = reinterpret_cast<const inotify_event*>(at);
                    if (event->len && QFile::decodeName(event->name) == stateName)
                        changed = true;
                    at += sizeof(inotify_event) + event->len;
                }
            }
        }
        if (!changed)
            continue;
        generation_ = nextGeneration();
        QSet<QString> now = currentMountPoints();
        if (now != known)
            postChanges(known, now);
        known = std::move(now);
    }
}

void LinuxMountWatch::postChanges(const QSet<QString>& before, const QSet<QString>& after)
{
    dispatcher_->asyncMain(lifetime_.guard([this, before, after] {
        NotificationCenter& center = *center_;
        const QString key = QString::fromLatin1(kNSDevicePath);
        for (const QString& point : after - before)
            center.postNotificationName(NSWorkspaceDidMountNotification, nullptr, {{key, point}});
        for (const QString& point : before - after)
            center.postNotificationName(NSWorkspaceDidUnmountNotification, nullptr, {{key, point}});
    }));
}

} // namespace platform
