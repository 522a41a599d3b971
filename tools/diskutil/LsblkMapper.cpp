#include "LsblkMapper.h"

#include "DiskKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

using namespace diskkeys;

namespace {

// lsblk has printed flags and sizes both as JSON values and as text over the years.
bool flag(const QJsonValue& value)
{
    return value.isBool() ? value.toBool() : value.toString() == QLatin1String("1");
}

qint64 number(const QJsonValue& value)
{
    // A size no qint64 holds (or a fraction) counts as unknown.
    return value.isDouble() ? value.toInteger(0) : value.toString().toLongLong();
}

QString text(const QJsonObject& device, const char* key)
{
    return device.value(QLatin1String(key)).toString();
}

bool holdsSystemMount(const QJsonObject& device)
{
    const QString mountPoint = text(device, "mountpoint");
    for (const char* system : {"/", "/usr", "/var", "/home", "/opt", "/srv", "/tmp", "[SWAP]"}) {
        if (mountPoint == QLatin1String(system))
            return true;
    }
    if (mountPoint == QLatin1String("/boot") || mountPoint.startsWith(QLatin1String("/boot/")))
        return true;
    for (const QJsonValue& child : device.value(QLatin1String("children")).toArray()) {
        if (holdsSystemMount(child.toObject()))
            return true;
    }
    return false;
}

QString filesystemName(const QString& type, const QString& version)
{
    if (type == QLatin1String("vfat"))
        return version.startsWith(QLatin1String("FAT1")) ? QStringLiteral("MS-DOS ") + version : QStringLiteral("MS-DOS FAT32");
    static const std::pair<const char*, const char*> names[] = {
        {"exfat", "ExFAT"}, {"ntfs", "NTFS"}, {"hfsplus", "Journaled HFS+"}, {"hfs", "HFS"},
        {"apfs", "APFS"},   {"udf", "UDF"},   {"iso9660", "ISO 9660"},
    };
    for (const auto& [from, to] : names) {
        if (type == QLatin1String(from))
            return QString::fromLatin1(to);
    }
    return type;
}

QString partitionContent(const QString& type, const QString& version, bool gpt)
{
    if (type == QLatin1String("hfsplus") || type == QLatin1String("hfs"))
        return QStringLiteral("Apple_HFS");
    if (type == QLatin1String("apfs"))
        return QStringLiteral("Apple_APFS");
    const bool windows = type == QLatin1String("vfat") || type == QLatin1String("exfat") || type == QLatin1String("ntfs");
    if (gpt)
        return windows ? QStringLiteral("Microsoft Basic Data") : QStringLiteral("Linux Filesystem");
    if (type == QLatin1String("vfat"))
        return version == QLatin1String("FAT16") ? QStringLiteral("DOS_FAT_16") : QStringLiteral("DOS_FAT_32");
    return windows ? QStringLiteral("Windows_NTFS") : QStringLiteral("Linux");
}

QString busProtocol(const QString& transport)
{
    static const std::pair<const char*, const char*> buses[] = {
        {"usb", "USB"},        {"mmc", "Secure Digital"}, {"sata", "SATA"}, {"ata", "ATA"},
        {"nvme", "PCI-Express"}, {"ieee1394", "FireWire"}, {"sas", "SAS"}, {"scsi", "SCSI"},
    };
    for (const auto& [from, to] : buses) {
        if (transport == QLatin1String(from))
            return QString::fromLatin1(to);
    }
    return QStringLiteral("Unknown");
}

// The file-system part of a partition or of a whole disk that holds one.
void addFilesystem(QVariantMap& entry, const QJsonObject& device, const LsblkMapper::FreeBytes& freeBytes)
{
    const QString type = text(device, "fstype");
    if (type.isEmpty())
        return;
    const QString mountPoint = text(device, "mountpoint");
    entry.insert(kFilesystemName, filesystemName(type, text(device, "fsver")));
    entry.insert(kFilesystemType, type);
    entry.insert(kVolumeName, text(device, "label"));
    entry.insert(kVolumeUuid, text(device, "uuid").toUpper());
    entry.insert(kMountPoint, mountPoint);
    entry.insert(kMounted, !mountPoint.isEmpty());
    std::optional<qint64> free;
    if (device.contains(QLatin1String("fsavail")))
        free = number(device.value(QLatin1String("fsavail")));
    else if (!mountPoint.isEmpty() && freeBytes)
        free = freeBytes(mountPoint);
    entry.insert(kFreeSpace, free.value_or(0));
}

int partitionNumber(const QString& parent, const QString& name, int position)
{
    QString suffix = name.startsWith(parent) ? name.mid(parent.size()) : QString();
    if (suffix.startsWith(QLatin1Char('p')))
        suffix.remove(0, 1);
    bool ok = false;
    const int number = suffix.toInt(&ok);
    return ok && number > 0 ? number : position + 1;
}

// The removable or hot-plugged whole disks that hold none of the system's mounts.
QList<QJsonObject> shownDisks(const QByteArray& json)
{
    QList<QJsonObject> shown;
    for (const QJsonValue& value : QJsonDocument::fromJson(json).object().value(QLatin1String("blockdevices")).toArray()) {
        const QJsonObject device = value.toObject();
        const QString name = text(device, "name");
        if (text(device, "type") == QLatin1String("disk") && !name.isEmpty() && !name.contains(QLatin1Char('/'))
            && (flag(device.value(QLatin1String("rm"))) || flag(device.value(QLatin1String("hotplug"))))
            && !holdsSystemMount(device))
            shown << device;
    }
    return shown;
}

} // namespace

QStringList LsblkMapper::columns()
{
    return {QStringLiteral("NAME"),  QStringLiteral("TYPE"),   QStringLiteral("RM"),       QStringLiteral("HOTPLUG"),
            QStringLiteral("RO"),    QStringLiteral("SIZE"),   QStringLiteral("FSTYPE"),   QStringLiteral("FSVER"),
            QStringLiteral("LABEL"), QStringLiteral("UUID"),   QStringLiteral("PARTUUID"), QStringLiteral("PTTYPE"),
            QStringLiteral("TRAN"),  QStringLiteral("MODEL"),  QStringLiteral("MOUNTPOINT")};
}

LsblkMapper::LsblkMapper(const QByteArray& json) : shown_(shownDisks(json)) {}

QStringList LsblkMapper::diskNames() const
{
    QStringList names;
    for (const QJsonObject& device : shown_)
        names << text(device, "name");
    return names;
}

QVariantList LsblkMapper::disks(const QMap<QString, int>& numbers, const FreeBytes& freeBytes) const
{
    QVariantList disks;
    for (const QJsonObject& device : shown_) {
        const QString name = text(device, "name");
        if (!numbers.contains(name))
            continue;
        const QString id = QStringLiteral("disk%1").arg(numbers.value(name));
        const QString tableType = text(device, "pttype");
        const bool readOnly = flag(device.value(QLatin1String("ro")));
        QVariantMap disk{
            {kDeviceIdentifier, id},
            {kContent, tableType == QLatin1String("gpt") ? QStringLiteral("GUID_partition_scheme")
                     : tableType.isEmpty()               ? QStringLiteral("")
                                                         : QStringLiteral("FDisk_partition_scheme")},
            {kTotalSize, number(device.value(QLatin1String("size")))},
            {kBusProtocol, busProtocol(text(device, "tran"))},
            {kInternal, false},
            {kEjectable, true},
            {kRemovable, flag(device.value(QLatin1String("rm")))},
            {kWritable, !readOnly},
            {kMediaName, text(device, "model").trimmed()},
            {kLinuxDevice, QStringLiteral("/dev/") + name},
        };
        const QJsonArray children = device.value(QLatin1String("children")).toArray();
        if (children.isEmpty() && tableType.isEmpty()) {
            addFilesystem(disk, device, freeBytes);
        } else {
            QVariantList partitions;
            QSet<int> taken; // a partition whose number is taken gets the next free one
            for (int i = 0; i < children.size(); ++i) {
                const QJsonObject part = children[i].toObject();
                const QString partName = text(part, "name");
                if (text(part, "type") != QLatin1String("part") || partName.contains(QLatin1Char('/')))
                    continue;
                int place = partitionNumber(name, partName, i);
                while (taken.contains(place))
                    ++place;
                taken.insert(place);
                QVariantMap partition{
                    {kDeviceIdentifier, QStringLiteral("%1s%2").arg(id).arg(place)},
                    {kContent, partitionContent(text(part, "fstype"), text(part, "fsver"), tableType == QLatin1String("gpt"))},
                    {kTotalSize, number(part.value(QLatin1String("size")))},
                    {kDiskUuid, text(part, "partuuid").toUpper()},
                    {kWritable, !readOnly && !flag(part.value(QLatin1String("ro")))},
                    {kLinuxDevice, QStringLiteral("/dev/") + partName},
                };
                addFilesystem(partition, part, freeBytes);
                partitions << partition;
            }
            disk.insert(kPartitions, partitions);
        }
        disks << disk;
    }
    return disks;
}
