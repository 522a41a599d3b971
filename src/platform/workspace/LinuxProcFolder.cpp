#include "LinuxProcFolder.h"

#include "platform/files/FileDescriptor.h"

#include <QFile>

#include <cerrno>
#include <memory>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qsizetype kMaximumCommandLine = 128 * 1024;
constexpr qsizetype kMaximumStat = 4096;

QByteArray readAt(int folderFd, const char* name, qsizetype limit)
{
    FileDescriptor fd(openat(folderFd, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
    QByteArray data;
    struct stat info {};
    if (!fd.isValid() || fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return data;
    char buffer[4096];
    while (data.size() < limit) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n > 0)
            data.append(buffer, qsizetype(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    return data.left(limit);
}

QByteArray readLinkAt(int folderFd, const char* name)
{
    char buffer[4096];
    const ssize_t n = readlinkat(folderFd, name, buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, qsizetype(n)) : QByteArray();
}

std::optional<qint64> pidOfName(const char* name)
{
    qint64 pid = 0;
    if (!*name)
        return std::nullopt;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9' || pid > (qint64(1) << 40))
            return std::nullopt;
        pid = pid * 10 + (*c - '0');
    }
    return pid > 0 ? std::optional<qint64>(pid) : std::nullopt;
}

std::optional<ProcessRecord> statOf(int folderFd, const char* name, qint64 pid)
{
    std::optional<ProcessRecord> record = ProcessRecord::fromStat(readAt(folderFd, name, kMaximumStat));
    if (!record || record->pid != pid)
        return std::nullopt;
    return record;
}

} // namespace

LinuxProcFolder::LinuxProcFolder(QString root)
    : root_(QFile::encodeName(root))
{
}

std::optional<std::vector<ProcEntry>> LinuxProcFolder::list()
{
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(root_.constData()), closedir);
    if (!listing)
        return std::nullopt;
    std::vector<ProcEntry> entries;
    while (const dirent* entry = readdir(listing.get())) {
        if (const std::optional<qint64> pid = pidOfName(entry->d_name))
            entries.push_back({*pid, quint64(entry->d_ino)});
    }
    return entries;
}

std::optional<ProcessRecord> LinuxProcFolder::read(qint64 pid, unsigned uid)
{
    // Everything comes through one descriptor of the process's folder, so it is all of the same
    // process even if the identifier passes to another meanwhile.
    const QByteArray path = root_ + '/' + QByteArray::number(pid);
    FileDescriptor folder(open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat info {};
    if (pid <= 0 || !folder.isValid() || fstat(folder.get(), &info) != 0)
        return std::nullopt;
    if (info.st_uid != uid) {
        ProcessRecord someoneElses;
        someoneElses.pid = pid;
        someoneElses.uid = info.st_uid;
        return someoneElses;
    }
    std::optional<ProcessRecord> record = statOf(folder.get(), "stat", pid);
    if (!record)
        return std::nullopt;
    record->uid = info.st_uid;
    record->arguments = ProcessRecord::splitCommandLine(readAt(folder.get(), "cmdline", kMaximumCommandLine));
    record->executable = ProcessRecord::executableFromLink(readLinkAt(folder.get(), "exe"));
    return record;
}

std::optional<qint64> LinuxProcFolder::startTime(qint64 pid)
{
    // One open, where a full read takes five: it decides for thousands of processes per look.
    const QByteArray path = root_ + '/' + QByteArray::number(pid) + "/stat";
    const std::optional<ProcessRecord> record = pid > 0 ? statOf(AT_FDCWD, path.constData(), pid) : std::nullopt;
    return record ? std::optional<qint64>(record->startTime) : std::nullopt;
}

std::optional<TaskMark> LinuxProcFolder::taskMark()
{
    const QList<QByteArray> fields = readAt(AT_FDCWD, (root_ + "/loadavg").constData(), kMaximumStat).simplified().split(' ');
    const QList<QByteArray> running = fields.value(3).split('/');
    bool pidRead = false, tasksRead = false;
    const TaskMark mark{fields.value(4).toLongLong(&pidRead), running.value(1).toLongLong(&tasksRead)};
    return pidRead && tasksRead && mark.lastPid > 0 ? std::optional(mark) : std::nullopt;
}

std::optional<ProcessRecord> LinuxProcFolder::readStat(qint64 pid) const
{
    const QByteArray path = root_ + '/' + QByteArray::number(pid);
    FileDescriptor folder(open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (pid <= 0 || !folder.isValid())
        return std::nullopt;
    return statOf(folder.get(), "stat", pid);
}

} // namespace platform
