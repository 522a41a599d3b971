#include "LinuxVolumeTable.h"

#include "MountInfo.h"

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>

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

LinuxVolumeTable::LinuxVolumeTable(QString mountInfoPath, QString sysBlockPath)
    : mountInfoPath_(std::move(mountInfoPath))
    , sysBlockPath_(std::move(sysBlockPath))
{
}

QList<MountInfoEntry> LinuxVolumeTable::mounts() const
{
    QFile table(mountInfoPath_);
    return table.open(QIODevice::ReadOnly) ? parseMountInfo(table.readAll()) : QList<MountInfoEntry>();
}

OSErr LinuxVolumeTable::volumeInfo(int index, VolumeEntry* entry) const
{
    const QList<MountInfoEntry> all = mounts();
    if (index < 1)
        return paramErr;
    if (index > all.size())
        return nsvErr;
    const MountInfoEntry& mount = all[index - 1];
    struct statvfs sizes {};
    // A server that does not answer, or a mount made on first use, would hold the caller (the
    // tab's first load on the main thread): such a volume is given no sizes, as one with none.
    const bool mayBlock = isNetworkType(mount.fileSystemType) || mount.fileSystemType == QLatin1String("autofs");
    if (!mayBlock && statvfs(QFile::encodeName(mount.mountPoint).constData(), &sizes) != 0)
        return ioErr;
    entry->volumeRefNum = int16_t(-index);
    entry->rootPath = mount.mountPoint;
    entry->name = mount.mountPoint == QLatin1String("/") ? QStringLiteral("/") : QFileInfo(mount.mountPoint).fileName();
    entry->totalBytes = uint64_t(sizes.f_blocks) * sizes.f_frsize;
    entry->freeBytes = uint64_t(sizes.f_bavail) * sizes.f_frsize;
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

bool LinuxVolumeTable::isOpticalMedia(const QString& bsdName, bool* found) const
{
    *found = QFileInfo::exists(sysBlockPath_ + QLatin1Char('/') + bsdName);
    return *found && bsdName.startsWith(QLatin1String("sr"));
}

OSErr LinuxVolumeTable::ejectVolume(int16_t volumeRefNum)
{
    GetVolParmsInfoBuffer parms;
    if (const OSErr status = volumeParms(volumeRefNum, &parms); status != noErr)
        return status;
    if (!(parms.vMExtendedAttributes & (1 << bIsRemovable)))
        return fBsyErr; // never the machine's own disks
    auto& runner = *Platform::current().commandRunner;
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
