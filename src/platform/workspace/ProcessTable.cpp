#include "ProcessTable.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qsizetype kMaximumCommandLine = 128 * 1024;
constexpr qsizetype kMaximumStat = 4096;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool isValid() const { return fd_ >= 0; }

private:
    int fd_;
};

QByteArray readAt(int folderFd, const char* name, qsizetype limit)
{
    Descriptor fd(openat(folderFd, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
    QByteArray data;
    struct stat info {};
    if (!fd.isValid() || fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return data;
    char buffer[4096];
    while (data.size() < limit) {
        const ssize_t n = read(fd.get(), buffer, sizeof buffer);
        if (n > 0)
            data.append(buffer, qsizetype(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    return data.left(limit);
}

QByteArray readLinkAt(int folderFd, const QByteArray& name)
{
    char buffer[4096];
    const ssize_t n = readlinkat(folderFd, name.constData(), buffer, sizeof buffer);
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

} // namespace

ProcessTable::ProcessTable(QString procRoot, unsigned uid)
    : procRoot_(std::move(procRoot)), uid_(uid)
{
}

std::optional<ProcessTable::Known> ProcessTable::readProcess(int procFd, qint64 pid)
{
    ++fullReads_;
    const QByteArray name = QByteArray::number(pid);
    // Everything is read through one descriptor of the process's folder, so it all comes from
    // the same process even if the identifier is taken over meanwhile.
    Descriptor folder(openat(procFd, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat info {};
    if (!folder.isValid() || fstat(folder.get(), &info) != 0)
        return std::nullopt;
    Known known;
    if (info.st_uid != uid_)
        return known;
    std::optional<ProcessRecord> record = ProcessRecord::fromStat(readAt(folder.get(), "stat", kMaximumStat));
    if (!record || record->pid != pid)
        return std::nullopt;
    record->uid = info.st_uid;
    record->arguments = ProcessRecord::splitCommandLine(readAt(folder.get(), "cmdline", kMaximumCommandLine));
    known.executableLink = readLinkAt(folder.get(), "exe");
    record->executable = ProcessRecord::executableFromLink(known.executableLink);
    known.own = true;
    known.record = *record;
    return known;
}

void ProcessTable::refresh(const QSet<qint64>& watched)
{
    fullReads_ = 0;
    Descriptor procFd(open(QFile::encodeName(procRoot_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!procFd.isValid()) {
        known_.clear();
        return;
    }
    DIR* listing = fdopendir(dup(procFd.get()));
    if (!listing) {
        known_.clear();
        return;
    }
    std::map<qint64, Known> current;
    while (dirent* entry = readdir(listing)) {
        const std::optional<qint64> pid = pidOfName(entry->d_name);
        if (!pid)
            continue;
        auto known = known_.find(*pid);
        if (known != known_.end()) {
            bool same = true;
            if (known->second.own) {
                const QByteArray name = QByteArray::number(*pid);
                same = readLinkAt(procFd.get(), name + "/exe") == known->second.executableLink;
                if (same && watched.contains(*pid)) {
                    const std::optional<ProcessRecord> stat =
                        ProcessRecord::fromStat(readAt(procFd.get(), (name + "/stat").constData(), kMaximumStat));
                    same = stat && stat->startTime == known->second.record.startTime
                        && stat->isZombie() == known->second.record.isZombie();
                }
            }
            if (same) {
                current.insert(known_.extract(known));
                continue;
            }
        }
        if (std::optional<Known> read = readProcess(procFd.get(), *pid))
            current.emplace(*pid, std::move(*read));
    }
    closedir(listing);
    known_ = std::move(current);
}

std::vector<ProcessRecord> ProcessTable::processes() const
{
    std::vector<ProcessRecord> list;
    for (const auto& [pid, known] : known_) {
        if (known.own)
            list.push_back(known.record);
    }
    return list;
}

std::optional<ProcessRecord> ProcessTable::readStat(const QString& procRoot, qint64 pid)
{
    Descriptor procFd(open(QFile::encodeName(procRoot).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!procFd.isValid() || pid <= 0)
        return std::nullopt;
    const QByteArray path = QByteArray::number(pid) + "/stat";
    std::optional<ProcessRecord> record = ProcessRecord::fromStat(readAt(procFd.get(), path.constData(), kMaximumStat));
    if (!record || record->pid != pid)
        return std::nullopt;
    return record;
}

} // namespace platform
