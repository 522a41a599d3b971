#include "CVolumeMgr.h"

#include "ConvertSize2String.h"
#include "DiskCommandRunners.h"
#include "DiskIdentifier.h"
#include "EnumerationGuard.h"

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/log/SystemLog.h"
#include "platform/mounts/DiskutilKeys.h"
#include "platform/mounts/VolumeTable.h"
#include "platform/plist/PropertyListSerialization.h"

#include <QHash>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// Present, a text, and one of `values`: a missing value equals nothing.
bool textIs(const QVariantMap& map, const QString& key, std::initializer_list<const char*> values)
{
    const auto found = map.constFind(key);
    if (found == map.constEnd())
        return false;
    const QString text = found->toString();
    for (const char* value : values)
        if (text == QLatin1String(value))
            return true;
    return false;
}

uint64_t number(const QVariantMap& map, const QString& key)
{
    return map.value(key).toULongLong();
}

void copyIfPresent(QVariantMap& to, const QVariantMap& from, const QString& key, const QString& as)
{
    if (const auto found = from.constFind(key); found != from.constEnd())
        to.insert(as, *found);
}

// Each look-up is a run of diskutil, mostly its start: several run at once.
QHash<QString, std::optional<QVariantMap>> lookUpTogether(const QStringList& identifiers)
{
    std::vector<std::optional<QVariantMap>> found(std::size_t(identifiers.size()));
    std::atomic<qsizetype> next{0};
    const auto work = [&](int slot) {
        for (qsizetype i; (i = next++) < identifiers.size();)
            found[std::size_t(i)] = CVolumeMgr::EUGetDiskInfo(identifiers[i], slot);
    };
    std::vector<std::thread> helpers;
    for (int slot = 1; slot < kExecCommandSlots && slot < identifiers.size(); ++slot)
        helpers.emplace_back(work, slot);
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
    QHash<QString, std::optional<QVariantMap>> byIdentifier;
    for (qsizetype i = 0; i < identifiers.size(); ++i)
        byIdentifier.insert(identifiers[i], found[std::size_t(i)]);
    return byIdentifier;
}

} // namespace

CVolumeMgr::CVolumeMgr(EnumerationGuard& guard)
    : guard_(guard)
{
}

CVolumeMgr::CVolumeMgr()
    : CVolumeMgr(EnumerationGuard::shared())
{
}

CVolumeMgr::Enumeration CVolumeMgr::enumDiskVolumesInfo()
{
    if (!guard_.tryTake())
        return {Outcome::Refused, {}};
    auto& dispatcher = *platform::Platform::current().dispatcher;
    dispatcher.asyncMain([&dispatcher, guard = &guard_] {
        dispatcher.afterMain(std::chrono::milliseconds(1000), [guard] { guard->clear(); });
    });

    const DiskCommandResult listed = ExecCommand({QStringLiteral("list"), QStringLiteral("-plist")});
    if (listed.path.isNull()) {
        platform::NSLog(QStringLiteral("diskutil list error"));
        return {Outcome::NoDiskList, {}};
    }
    const QVariantMap diskList = listed.dictionary.value_or(QVariantMap());
    // The rules run once without answers to learn which look-ups they ask for.
    QStringList asked;
    volumesFromDiskList(diskList, [&asked](const QString& id) { return asked.append(id), std::nullopt; });
    const auto infos = lookUpTogether(asked);
    return {Outcome::Listed, volumesFromDiskList(diskList, [&infos](const QString& id) { return infos.value(id); })};
}

QList<QVariantMap> CVolumeMgr::volumesFromDiskList(const QVariantMap& diskList, const InfoLookup& lookup)
{
    bFindOSDisk = false;
    bFirstOSVolume = true;
    QList<QVariantMap> result;
    const QString kMountPoint = diskkeys::kMountPoint;
    for (const QVariant& diskValue : diskList.value(diskkeys::kAllDisksAndPartitions).toList()) {
        const QVariantMap disk = diskValue.toMap();
        QVariantList elements = disk.value(diskkeys::kPartitions).toList();
        if (elements.isEmpty()) {
            elements = disk.value(diskkeys::kApfsVolumes).toList();
            if (elements.isEmpty() && !disk.value(diskkeys::kContent).toString().isEmpty())
                continue;
            const auto whole = lookup(disk.value(diskkeys::kDeviceIdentifier).toString());
            if (whole && whole->contains(diskkeys::kFilesystemName))
                result.append(MakeVolumeInfo(*whole));
        }
        std::optional<QString> recoveryId;
        std::optional<QString> booterId;
        for (int k = 0; k < elements.size(); ++k) {
            const QVariantMap element = elements[k].toMap();
            const QString elementId = element.value(diskkeys::kDeviceIdentifier).toString();
            if (textIs(element, diskkeys::kContent, {"Apple_Boot", "EFI", "Apple_CoreStorage", "Apple_APFS"})
                || textIs(element, diskkeys::kFilesystemName, {"Case-sensitive APFS"})
                || textIs(element, kMountPoint, {"/System/Volumes/Update/mnt1", "/System/Volumes/Data"}))
                continue;
            const auto found = lookup(elementId);
            if (!found)
                continue;
            const QVariantMap& info = *found;
            if (textIs(info, diskkeys::kBusProtocol, {"Disk Image"})
                || textIs(info, diskkeys::kContent, {"Apple_Boot", "EFI", "Apple_CoreStorage"}))
                continue;
            const bool hasMountPoint = info.contains(kMountPoint);
            const QString mp = info.value(kMountPoint).toString();
            const bool ejectable = info.value(diskkeys::kEjectable).toBool();
            const uint64_t total = number(info, diskkeys::kTotalSize);
            if (mp.isEmpty() && !ejectable)
                continue;
            if (info.contains(diskkeys::kVolumeName) && info.value(diskkeys::kVolumeName).toString().isEmpty()
                && total != 0 && !ejectable)
                continue;
            JustOSVolume(k);
            if (textIs(info, diskkeys::kFilesystemName, {"Case-sensitive APFS"}))
                continue;
            if (hasMountPoint
                && (mp == QLatin1String("/System/Volumes/Update/mnt1")
                    || (mp == QLatin1String("/System/Volumes/Update") && !ejectable)
                    || mp == QLatin1String("/System/Volumes/Data") || mp == QLatin1String("/System/Volumes/VM")))
                continue;
            if (!hasMountPoint || mp.contains(QLatin1String("/private/tmp/")))
                continue;
            if (total >= 1 && total <= 29'999'999)
                continue;
            QVariantMap volume = MakeVolumeInfo(info);
            const QString name = volume.value(QStringLiteral("volumeName")).toString();
            const auto nameIs = [&name](std::initializer_list<const char*> names) {
                for (const char* candidate : names)
                    if (name == QLatin1String(candidate))
                        return true;
                return false;
            };
            if (nameIs({"iSCPreboot", "xART", "Hardware"}) && !ejectable)
                continue;
            if (nameIs({"Preboot", "Recovery", "VM"})) {
                if (mp.isEmpty())
                    continue;
                if (!recoveryId || !booterId) {
                    recoveryId = info.value(diskkeys::kRecoveryDeviceIdentifier).toString();
                    booterId = info.value(diskkeys::kBooterDeviceIdentifier).toString();
                }
                if ((name == QLatin1String("Recovery") && *recoveryId == elementId)
                    || (name == QLatin1String("Preboot") && *booterId == elementId))
                    continue;
            }
            if (textIs(info, kDADiskDescriptionVolumeNameKey, {"iSCPreboot", "VM", "Recovery", "Update", "EFI"}))
                continue;
            result.append(volume);
        }
    }
    return result;
}

std::optional<QVariantMap> CVolumeMgr::EUGetDiskInfo(const QString& identifier, int slot)
{
    if (!isDeviceIdentifier(identifier)
        || !diskLineFits("diskutil info -plist /dev/" + identifier.toUtf8(), kShortDiskLineBuffer))
        return std::nullopt;
    return ExecCommand({QStringLiteral("info"), QStringLiteral("-plist"), QStringLiteral("/dev/") + identifier}, slot).dictionary;
}

QVariantMap CVolumeMgr::MakeVolumeInfo(const QVariantMap& info)
{
    uint64_t freeBytes = number(info, diskkeys::kFreeSpace);
    if (freeBytes == 0)
        freeBytes = number(info, diskkeys::kApfsContainerFree);
    const uint64_t totalBytes = number(info, diskkeys::kTotalSize);
    QVariantMap volume;
    volume.insert(diskkeys::kFreeSpace, QString::number(freeBytes));
    if (info.contains(diskkeys::kTotalSize))
        volume.insert(diskkeys::kTotalSize, QString::number(totalBytes));
    const bool marked = bFindOSDisk && bFirstOSVolume;
    if (marked)
        bFirstOSVolume = false;
    volume.insert(QStringLiteral("OSvolume"), marked ? QStringLiteral("YES") : QStringLiteral("NO"));
    const QString name = info.value(diskkeys::kVolumeName).toString();
    volume.insert(QStringLiteral("volumeName"), name.isEmpty() ? QStringLiteral("Untitled") : name);
    copyIfPresent(volume, info, diskkeys::kDeviceIdentifier, QStringLiteral("volumePath"));
    volume.insert(QStringLiteral("volumeTotalSize"), convertSize2String(totalBytes));
    volume.insert(QStringLiteral("volumeFreeSize"), convertSize2String(freeBytes));
    using namespace diskkeys;
    for (const QString& key : {kWritable, kBusProtocol, kEjectable, kFilesystemName, kDeviceNode, kMountPoint,
                               kParentWholeDisk, kDiskUuid, kVolumeUuid})
        copyIfPresent(volume, info, key, key);
    return volume;
}

void CVolumeMgr::JustOSVolume(int index)
{
    if (bFindOSDisk)
        return;
    const auto* volumes = platform::Platform::current().volumeTable.get();
    platform::VolumeEntry entry;
    if (volumes && volumes->volumeInfo(index, &entry) == platform::noErr && entry.rootPath == QLatin1String("/"))
        bFindOSDisk = true;
}

void CVolumeMgr::changeIValue()
{
    guard_.clear();
}

QVariantList CVolumeMgr::listAllDisksAndPartitions()
{
    auto& platform = platform::Platform::current();
    const auto run = platform.commandRunner->run(QStringLiteral("/usr/sbin/diskutil"),
                                                 {QStringLiteral("list"), QStringLiteral("-plist")});
    const QVariant parsed = platform.propertyLists->propertyListFromData(run.standardOutput);
    QVariantList disks;
    for (const QVariant& diskValue : parsed.toMap().value(diskkeys::kAllDisksAndPartitions).toList()) {
        const QVariantMap disk = diskValue.toMap();
        QVariantList partitions;
        for (const QVariant& partitionValue : disk.value(diskkeys::kPartitions).toList()) {
            const QVariantMap partition = partitionValue.toMap();
            partitions.append(QVariantMap{{QStringLiteral("name"), partition.value(diskkeys::kVolumeName).toString()},
                                          {QStringLiteral("size"), partition.value(diskkeys::kTotalSize)},
                                          {QStringLiteral("mountPoint"), partition.value(diskkeys::kMountPoint).toString()}});
        }
        disks.append(QVariantMap{{QStringLiteral("name"), disk.value(diskkeys::kDeviceIdentifier)},
                                 {QStringLiteral("size"), disk.value(diskkeys::kTotalSize)},
                                 {QStringLiteral("partitions"), partitions}});
    }
    return disks;
}
