#include "LinuxVolumeTable.h"

#include "MountInfo.h"

#include "platform/commands/CommandRunner.h"
#include "platform/files/NativePath.h"
#include "platform/log/SystemLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString bsdNameOf(const MountInfoEntry& entry)
{
    return entry.source.startsWith(QLatin1String("/dev/")) ? entry.source.mid(5) : QString();
}

bool isNetworkType(const QString& type)
{
    static const QStringList network{QStringLiteral("nfs"), QStringLiteral("nfs4"), QStringLiteral("cifs"),
                                     QStringLiteral("smb3"), QStringLiteral("fuse.sshfs"), QStringLiteral("9p")};
    return network.contains(type);
}

} // namespace

LinuxVolumeTable::LinuxVolumeTable(Sibling<CommandRunner> commandRunner, QString mountInfoPath, QString sysBlockPath,
                                   std::chrono::milliseconds measureDeadline, MountSizer::Measure measure)
    : commandRunner_(std::move(commandRunner))
    , mountInfoPath_(std::move(mountInfoPath))
    , sysBlockPath_(std::move(sysBlockPath))
    , sizer_(measureDeadline, std::move(measure))
{
}

QList<MountInfoEntry> LinuxVolumeTable::mounts() const
{
    std::lock_guard lock(mutex_);
    if (!table_.isValid())
        table_.reset(::open(QFile::encodeName(mountInfoPath_).constData(), O_RDONLY | O_CLOEXEC));
    if (!table_.isValid())
        return {};
    pollfd changed{table_.get(), POLLPRI, 0};
    struct stat info {};
    ::fstat(table_.get(), &info);
    const QByteArray stamp = QByteArray::number(qint64(info.st_size)) + ':' + QByteArray::number(qint64(info.st_mtim.tv_sec))
        + ':' + QByteArray::number(qint64(info.st_mtim.tv_nsec));
    const bool kernelSaysChanged = ::poll(&changed, 1, 0) > 0 && (changed.revents & (POLLPRI | POLLERR));
    if (read_ && !kernelSaysChanged && stamp == stamp_)
        return mounts_;
    QByteArray text;
    char chunk[65536];
    for (off_t at = 0;;) {
        const ssize_t count = ::pread(table_.get(), chunk, sizeof chunk, at);
        if (count <= 0 || text.size() > (64 << 20))
            break;
        text.append(chunk, count);
        at += count;
    }
    mounts_ = parseMountInfo(text);
    read_ = true;
    stamp_ = stamp;
    return mounts_;
}

OSErr LinuxVolumeTable::volumeInfo(int index, VolumeEntry* entry) const
{
    const QList<MountInfoEntry> all = mounts();
    if (index < 1)
        return paramErr;
    if (index > all.size())
        return nsvErr;
    const MountInfoEntry& mount = all[index - 1];
    MountSizer::Result measured{MountSizer::Answer::Measured, {}};
    // A mount made on first use is not made by looking at it.
    if (mount.fileSystemType != QLatin1String("autofs")) {
        measured = sizer_.measure(nativeFromPath(mount.mountPoint));
        if (measured.answer == MountSizer::Answer::Failed)
            return ioErr;
        if (measured.answer == MountSizer::Answer::Late)
            NSLog(QStringLiteral("The volume at %1 did not answer within %2 ms; it is shown without its sizes")
                      .arg(mount.mountPoint)
                      .arg(sizer_.deadline().count()));
    }
    entry->volumeRefNum = int16_t(-index);
    entry->rootPath = mount.mountPoint;
    entry->name = mount.mountPoint == QLatin1String("/") ? QStringLiteral("/") : QFileInfo(mount.mountPoint).fileName();
    entry->totalBytes = measured.sizes.totalBytes;
    entry->freeBytes = measured.sizes.freeBytes;
    entry->filesystem = 0;
    return noErr;
}

OSErr LinuxVolumeTable::volumeParms(int16_t volumeRefNum, GetVolParmsInfoBuffer* parms) const
{
    const QList<MountInfoEntry> all = mounts();
    const int index = -volumeRefNum;
    if (index < 1 || index > all.size())
        return nsvErr;
    const MountInfoEntry& mount = all[index - 1];
    const QString bsdName = bsdNameOf(mount);
    *parms = {};
    parms->vMVersion = 4;
    parms->vMDeviceID = bsdName;
    parms->vMServerAdr = isNetworkType(mount.fileSystemType) ? 1 : 0;
    const bool removable = !bsdName.isEmpty() && blockFlag(bsdName, "removable");
    const bool external = !bsdName.isEmpty() && onExternalBus(bsdName);
    parms->vMExtendedAttributes = (removable ? (1 << bIsEjectable) | (1 << bIsRemovable) : 0)
        | (external ? (1 << bIsOnExternalBus) : 0);
    return noErr;
}

kern_return_t LinuxVolumeTable::mediaObjects(const QString& bsdName, std::vector<MediaObject>* objects) const
{
    QString folder = QFileInfo(sysBlockPath_ + QLatin1Char('/') + bsdName).canonicalFilePath();
    if (bsdName.isEmpty() || bsdName.contains(QLatin1Char('/')) || folder.isEmpty())
        return kIOReturnNoDevice;
    objects->clear();
    for (; QFileInfo::exists(folder + QStringLiteral("/dev")); folder = QFileInfo(folder).absolutePath()) {
        const bool whole = !QFileInfo::exists(folder + QStringLiteral("/partition"));
        QStringList classes{QStringLiteral("IOMedia")};
        if (whole && QFileInfo(folder).fileName().startsWith(QLatin1String("sr")))
            classes << QStringLiteral("IOCDMedia");
        objects->push_back({classes, whole});
    }
    return KERN_SUCCESS;
}

OSErr LinuxVolumeTable::ejectVolume(int16_t volumeRefNum)
{
    GetVolParmsInfoBuffer parms;
    if (const OSErr status = volumeParms(volumeRefNum, &parms); status != noErr)
        return status;
    if (!(parms.vMExtendedAttributes & (1 << bIsRemovable)))
        return fBsyErr; // never the machine's own disks
    CommandRunner& runner = *commandRunner_;
    const QString device = QStringLiteral("/dev/") + parms.vMDeviceID;
    const auto unmounted = runner.run(QStringLiteral("udisksctl"), {QStringLiteral("unmount"), QStringLiteral("-b"), device});
    if (!unmounted.started || unmounted.exitStatus != 0)
        return fBsyErr;
    runner.run(QStringLiteral("udisksctl"), {QStringLiteral("power-off"), QStringLiteral("-b"), device});
    return noErr;
}

bool LinuxVolumeTable::blockFlag(const QString& bsdName, const char* file) const
{
    // A partition has no flag of its own: its disk's folder is the parent of its own.
    const QString own = QFileInfo(sysBlockPath_ + QLatin1Char('/') + bsdName).canonicalFilePath();
    for (const QString& folder : {own, QFileInfo(own).absolutePath()}) {
        QFile flag(folder + QLatin1Char('/') + QLatin1String(file));
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
    }
    return false;
}

bool LinuxVolumeTable::onExternalBus(const QString& bsdName) const
{
    const QString device = QFileInfo(sysBlockPath_ + QLatin1Char('/') + bsdName).canonicalFilePath();
    return device.contains(QLatin1String("/usb")) || device.contains(QLatin1String("/mmc"));
}

} // namespace platform
