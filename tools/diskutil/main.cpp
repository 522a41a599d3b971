// diskutil: information about and renaming of the simulated Mac's volumes.
#include "ToolSupport.h"

#include "platform/plist/LibplistSerialization.h"

#include <QVariantList>

namespace {

const QString kVolumesFile = QStringLiteral("Volumes");
const QString kVolumesKey = QStringLiteral("Volumes");

// The index of the volume that `name` designates: its identifier (with or without /dev/),
// a UUID, its mount point or its name.
int findVolume(const QVariantList& volumes, QString name)
{
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    for (int i = 0; i < volumes.size(); ++i) {
        const QVariantMap volume = volumes[i].toMap();
        for (const char* key : {"DeviceIdentifier", "VolumeUUID", "DiskUUID", "MountPoint", "VolumeName"}) {
            if (volume.value(QLatin1String(key)).toString() == name)
                return i;
        }
    }
    return -1;
}

int info(const QStringList& arguments)
{
    const bool asPlist = arguments.value(0) == QLatin1String("-plist");
    const QString name = arguments.value(asPlist ? 1 : 0);
    const QVariantList volumes = tools::simulatedMac().stateValue(kVolumesFile, kVolumesKey).toList();
    const int index = findVolume(volumes, name);
    if (name.isEmpty() || index < 0) {
        tools::printError(QStringLiteral("Could not find disk: ") + name);
        return 1;
    }
    const QVariantMap volume = volumes[index].toMap();
    if (asPlist) {
        tools::printOut(platform::LibplistSerialization().dataFromPropertyList(
            volume, platform::PropertyListSerialization::Format::Xml));
        return 0;
    }
    QByteArray text;
    for (auto it = volume.constBegin(); it != volume.constEnd(); ++it)
        text += "   " + it.key().toUtf8() + ": " + it.value().toString().toUtf8() + '\n';
    tools::printOut(text);
    return 0;
}

int rename(const QStringList& arguments)
{
    if (arguments.size() != 2 || arguments[1].isEmpty()) {
        tools::printError(QStringLiteral("Usage: diskutil rename MountPoint|DiskIdentifier|DeviceNode NewName"));
        return 1;
    }
    platform::SimulatedMac mac = tools::simulatedMac();
    QVariantList volumes = mac.stateValue(kVolumesFile, kVolumesKey).toList();
    const int index = findVolume(volumes, arguments[0]);
    if (index < 0) {
        tools::printError(QStringLiteral("Could not find disk: ") + arguments[0]);
        return 1;
    }
    QVariantMap volume = volumes[index].toMap();
    const QString newName = arguments[1];
    volume.insert(QStringLiteral("VolumeName"), newName);
    if (volume.value(QStringLiteral("MountPoint")).toString().startsWith(QLatin1String("/Volumes/"))) {
        QString leaf = newName;
        leaf.replace(QLatin1Char('/'), QLatin1Char(':'));
        volume.insert(QStringLiteral("MountPoint"), QStringLiteral("/Volumes/") + leaf);
    }
    volumes[index] = volume;
    if (!mac.setStateValue(kVolumesFile, kVolumesKey, volumes)) {
        tools::printError(QStringLiteral("Failed to rename volume"));
        return 1;
    }
    tools::printOut(QStringLiteral("Volume on %1 renamed to %2\n")
                        .arg(volume.value(QStringLiteral("DeviceIdentifier")).toString(), newName)
                        .toUtf8());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments = tools::recordInvocation(argc, argv);
    const QString verb = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (verb == QLatin1String("info"))
        return info(arguments);
    if (verb == QLatin1String("rename"))
        return rename(arguments);
    tools::printError(QStringLiteral("diskutil: unknown verb ") + verb);
    return 1;
}
