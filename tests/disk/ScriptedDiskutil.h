#pragma once

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"
#include "platform/plist/PropertyListSerialization.h"

#include <QFile>
#include <QList>
#include <QMutex>
#include <QStringList>
#include <QVariantMap>

// A command runner that answers `diskutil` from a few volumes held here, in the words and keys
// of the real one, and records every call (a shell line as "sh -c <line>"). Nothing else runs.
// The enumeration's look-ups call it from several threads at once.
class ScriptedDiskutil : public platform::CommandRunner {
public:
    struct Volume {
        QString id, name, uuid, fileSystem, mountPoint;
        bool ejectable = false;
        qulonglong total = 64'000'000'000, free = 16'000'000'000;
    };
    QList<Volume> volumes;
    QList<QStringList> calls;
    int ejectStatus = 0;
    int eraseStatus = 0;
    int mountStatus = 0;
    QByteArray actionSays; // what erase, mount and unmount write

    Result runShellLine(const QByteArray& line) override
    {
        calls.append({QStringLiteral("sh"), QStringLiteral("-c"), QString::fromUtf8(line)});
        return {true, 0, {}};
    }
    Result run(const QString& program, const QStringList& arguments, const QString& outputPath) override
    {
        QMutexLocker lock(&mutex_);
        calls.append(QStringList{program} + arguments);
        if (!program.endsWith(QLatin1String("diskutil")) || arguments.isEmpty())
            return {true, 127, {}};
        const QString verb = arguments[0];
        QVariant answer;
        int status = 0;
        if (verb == QLatin1String("list")) {
            answer = diskList();
        } else if (verb == QLatin1String("info") && arguments.size() == 3) {
            const Volume* volume = find(arguments[2]);
            volume ? void(answer = info(*volume)) : void(status = 1);
        } else if (verb == QLatin1String("eject")) {
            status = ejectStatus;
        } else if (verb == QLatin1String("rename") && arguments.size() == 3) {
            Volume* volume = find(arguments[1]);
            volume ? void(volume->name = arguments[2]) : void(status = 1);
        } else if (verb == QLatin1String("eraseVolume") || verb == QLatin1String("reformat")) {
            status = eraseStatus;
        } else if (verb == QLatin1String("mount") || verb == QLatin1String("unmount")) {
            status = mountStatus;
        }
        QByteArray output = verb == QLatin1String("info") || verb == QLatin1String("list") ? QByteArray() : actionSays;
        if (answer.isValid())
            output = platform::Platform::current().propertyLists->dataFromPropertyList(answer, platform::PropertyListSerialization::Format::Xml);
        if (!outputPath.isEmpty()) {
            QFile file(outputPath);
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                file.write(output);
            output.clear();
        }
        return {true, status, output};
    }
    // The calls of one verb.
    QList<QStringList> callsOf(const QString& verb) const
    {
        QList<QStringList> found;
        for (const QStringList& call : calls)
            if (call.size() > 1 && call[1] == verb)
                found.append(call);
        return found;
    }

private:
    QMutex mutex_;
    Volume* find(QString key)
    {
        key.remove(QStringLiteral("/dev/"));
        for (Volume& volume : volumes)
            if (volume.id == key)
                return &volume;
        return nullptr;
    }
    QVariantMap info(const Volume& v) const
    {
        return {{"DeviceIdentifier", v.id}, {"DeviceNode", "/dev/" + v.id}, {"VolumeName", v.name},
                {"DiskUUID", v.uuid}, {"FilesystemName", v.fileSystem}, {"MountPoint", v.mountPoint},
                {"Ejectable", v.ejectable}, {"Writable", true}, {"BusProtocol", v.ejectable ? "USB" : "PCI-Express"},
                {"TotalSize", v.total}, {"FreeSpace", v.free}};
    }
    QVariantMap diskList() const
    {
        QVariantList internal, external;
        for (const Volume& v : volumes)
            (v.ejectable ? external : internal)
                .append(QVariantMap{{"DeviceIdentifier", v.id}, {"MountPoint", v.mountPoint}, {"VolumeName", v.name},
                                    {"Content", v.ejectable ? "Windows_FAT_32" : "41504653-0000-11AA-AA11-00306543ECAC"}});
        return {{"AllDisksAndPartitions",
                 QVariantList{QVariantMap{{"DeviceIdentifier", "disk1"}, {"Content", "EF57347C-0000-11AA-AA11-00306543ECAC"},
                                          {"Partitions", QVariantList()}, {"APFSVolumes", internal}},
                              QVariantMap{{"DeviceIdentifier", "disk2"}, {"Content", "FDisk_partition_scheme"},
                                          {"Partitions", external}}}}};
    }
};
