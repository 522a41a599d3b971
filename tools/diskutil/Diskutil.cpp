#include "Diskutil.h"

#include "DiskKeys.h"
#include "DiskNumbering.h"
#include "EraseFormat.h"
#include "SimulatedDiskStore.h"
#include "ToolSupport.h"

#include "platform/plist/LibplistSerialization.h"
#include "platform/simulated/SimulatedMac.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringDecoder>

using namespace diskkeys;

namespace {

int fail(const QString& message)
{
    tools::printError(message);
    return 1;
}

int say(const QString& message)
{
    tools::printOut(message.toUtf8() + '\n');
    return 0;
}

void printPropertyList(const QVariantMap& plist)
{
    tools::printOut(platform::LibplistSerialization().dataFromPropertyList(plist, platform::PropertyListSerialization::Format::Xml));
}

QString idOf(const QVariantMap& entry)
{
    return entry.value(kDeviceIdentifier).toString();
}

const QString kNumbersFile = QStringLiteral("RealDisks");

// The devices' numbers, kept in the state file "RealDisks" (kernel name to number) between runs.
QMap<QString, int> numberDevices(platform::SimulatedMac& mac, const QStringList& present, int first)
{
    const QString& file = kNumbersFile;
    QMap<QString, int> known;
    const QVariantMap stored = mac.stateFile(file);
    for (auto it = stored.constBegin(); it != stored.constEnd(); ++it)
        known.insert(it.key(), it.value().toInt());
    const QMap<QString, int> numbers = DiskNumbering::assign(known, present, first);
    if (numbers != known) {
        QVariantMap toStore;
        for (auto it = numbers.constBegin(); it != numbers.constEnd(); ++it)
            toStore.insert(it.key(), it.value());
        mac.writeStateFile(file, toStore);
    }
    return numbers;
}

} // namespace

QStringList Diskutil::stateFiles()
{
    return {SimulatedDiskStore::stateFile(), kNumbersFile};
}

bool Diskutil::Target::simulated() const
{
    return !catalog->disk(place).contains(kLinuxDevice);
}

Diskutil::Diskutil(platform::SimulatedMac& mac, QString seedFile, RealVolumeSource real, UdisksActor udisks)
    : mac_(mac), seedFile_(std::move(seedFile)), realSource_(std::move(real)), udisks_(std::move(udisks))
{
}

DiskCatalog& Diskutil::simulated()
{
    if (!simulated_) {
        SimulatedDiskStore store(mac_, seedFile_);
        simulated_.emplace(store.load(), mac_.root());
    }
    return *simulated_;
}

DiskCatalog& Diskutil::real()
{
    if (!real_) {
        const QByteArray listing = realSource_.listing();
        const LsblkMapper mapper(listing);
        QMap<QString, int> numbers;
        if (!listing.isEmpty())
            numbers = numberDevices(mac_, mapper.diskNames(), simulated().highestDiskNumber() + 1);
        real_.emplace(mapper.disks(numbers, realSource_.freeBytes()), QString());
        if (const auto index = recordedIndex(); index && !index->isCurrent())
            index->write(*real_);
    }
    return *real_;
}

std::optional<RealDiskIndex> Diskutil::recordedIndex()
{
    const QByteArray recording = realSource_.fingerprint();
    if (recording.isEmpty())
        return std::nullopt;
    const QFileInfo numbers(mac_.dataFolder() + QLatin1Char('/') + kNumbersFile + QStringLiteral(".plist"));
    return RealDiskIndex(mac_.dataFolder() + QStringLiteral("/diskutil-index"),
                         recording + '\n' + QByteArray::number(numbers.size()) + '\n'
                             + QByteArray::number(numbers.lastModified().toMSecsSinceEpoch()) + '\n'
                             + QByteArray::number(simulated().highestDiskNumber()));
}

ActionOutcome Diskutil::saved(ActionOutcome outcome)
{
    if (outcome.ok && !SimulatedDiskStore(mac_, seedFile_).save(simulated().disks()))
        return ActionOutcome::failed(QStringLiteral("the state of the disks could not be saved"));
    return outcome;
}

SimulatedVolumes Diskutil::simulatedVolumes()
{
    return SimulatedVolumes(simulated(), MountFolders(mac_.root()));
}

std::optional<Diskutil::Target> Diskutil::find(const QString& asked)
{
    if (const auto place = simulated().find(asked); place.found())
        return Target{&simulated(), place};
    if (realSource_.mode() == RealVolumeSource::Mode::Off)
        return std::nullopt;
    if (const auto place = real().find(asked); place.found())
        return Target{&real(), place};
    return std::nullopt;
}

std::optional<Diskutil::Target> Diskutil::findVolume(const QString& asked, const QString& failure)
{
    const auto target = find(asked);
    if (!target) {
        fail(QStringLiteral("Could not find disk: ") + asked);
        return std::nullopt;
    }
    if (!target->catalog->isVolume(target->place)) {
        fail(failure.arg(idOf(target->catalog->entry(target->place)), QStringLiteral("it holds no file system")));
        return std::nullopt;
    }
    return target;
}

ActionOutcome Diskutil::onRealDevice(const std::function<ActionOutcome()>& action) const
{
    if (realSource_.mode() != RealVolumeSource::Mode::Live)
        return ActionOutcome::failed(QStringLiteral("the device comes from a recorded device list and cannot be acted on"));
    return action();
}

bool Diskutil::argumentsAreText(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(QByteArrayView(argv[i]));
        if (decoder.hasError())
            return false;
    }
    return true;
}

int Diskutil::run(QStringList arguments)
{
    const QString verb = arguments.isEmpty() ? QString() : arguments.takeFirst();
    const auto usage = [](const char* line) { return fail(QStringLiteral("Usage: diskutil ") + QLatin1String(line)); };
    if (verb == QLatin1String("list"))
        return list(arguments);
    if (verb == QLatin1String("info"))
        return info(arguments);
    if (verb == QLatin1String("mount") || verb == QLatin1String("unmount")) {
        if (arguments.size() != 1)
            return usage(verb == QLatin1String("mount") ? "mount MountPoint|DiskIdentifier|DeviceNode"
                                                        : "unmount MountPoint|DiskIdentifier|DeviceNode");
        return mount(arguments, verb == QLatin1String("mount"));
    }
    if (verb == QLatin1String("eject")) {
        if (arguments.size() != 1)
            return usage("eject MountPoint|DiskIdentifier|DeviceNode");
        return eject(arguments);
    }
    if (verb == QLatin1String("rename")) {
        if (arguments.size() != 2)
            return usage("rename MountPoint|DiskIdentifier|DeviceNode NewName");
        return rename(arguments);
    }
    if (verb == QLatin1String("eraseVolume")) {
        if (arguments.size() != 3)
            return usage("eraseVolume format name MountPoint|DiskIdentifier|DeviceNode");
        return erase(arguments[2], arguments[0], arguments[1]);
    }
    if (verb == QLatin1String("reformat")) {
        if (arguments.size() != 1)
            return usage("reformat MountPoint|DiskIdentifier|DeviceNode");
        return erase(arguments[0], {}, std::nullopt);
    }
    return fail(QStringLiteral("diskutil: did not recognize verb \"%1\"; type \"diskutil\" for a list").arg(verb));
}

int Diskutil::list(const QStringList& arguments)
{
    QVariantList disks = simulated().disks();
    if (realSource_.mode() != RealVolumeSource::Mode::Off)
        disks += real().disks();
    const QVariantMap plist = DiskCatalog(disks, mac_.root()).listPropertyList();
    if (arguments.value(0) == QLatin1String("-plist")) {
        printPropertyList(plist);
        return 0;
    }
    QByteArray text;
    for (const QVariant& disk : plist.value(kAllDisksAndPartitions).toList()) {
        const QVariantMap d = disk.toMap();
        text += "/dev/" + idOf(d).toUtf8() + ":\n";
        for (const QVariant& volume : d.value(kPartitions).toList() + d.value(kApfsVolumes).toList()) {
            const QVariantMap v = volume.toMap();
            text += "   " + idOf(v).toUtf8() + "  " + v.value(kContent).toString().toUtf8() + "  "
                + v.value(kVolumeName).toString().toUtf8() + '\n';
        }
    }
    tools::printOut(text);
    return 0;
}

int Diskutil::info(const QStringList& arguments)
{
    const bool asPlist = arguments.value(0) == QLatin1String("-plist");
    if (arguments.size() != (asPlist ? 2 : 1))
        return fail(QStringLiteral("Usage: diskutil info [-plist] MountPoint|DiskIdentifier|DeviceNode"));
    const QString asked = arguments.last();
    // A recorded device by its identifier comes from the index, not from the whole recording.
    std::optional<QVariantMap> indexed;
    if (const auto index = recordedIndex(); index && !simulated().find(asked).found())
        indexed = index->information(asked.startsWith(QLatin1String("/dev/")) ? asked.mid(5) : asked);
    const auto target = indexed ? std::nullopt : find(asked);
    if (!indexed && !target)
        return fail(QStringLiteral("Could not find disk: ") + asked);
    const QVariantMap info = indexed ? *indexed : target->catalog->information(target->place);
    if (asPlist) {
        printPropertyList(info);
        return 0;
    }
    QByteArray text;
    for (auto it = info.constBegin(); it != info.constEnd(); ++it)
        text += "   " + it.key().toUtf8() + ": " + it.value().toString().toUtf8() + '\n';
    tools::printOut(text);
    return 0;
}

int Diskutil::mount(const QStringList& arguments, bool mounting)
{
    const QString failure = mounting ? QStringLiteral("Volume on %1 failed to mount: %2")
                                     : QStringLiteral("Volume on %1 failed to unmount: %2");
    const auto target = findVolume(arguments[0], failure);
    if (!target)
        return 1;
    const QVariantMap volume = target->catalog->entry(target->place);
    ActionOutcome outcome;
    if (target->simulated()) {
        SimulatedVolumes volumes = simulatedVolumes();
        outcome = saved(mounting ? volumes.mount(target->place) : volumes.unmount(target->place));
    } else {
        const QString device = volume.value(kLinuxDevice).toString();
        outcome = onRealDevice([&] { return mounting ? udisks_.mount(device) : udisks_.unmount(device); });
    }
    if (!outcome.ok)
        return fail(failure.arg(idOf(volume), outcome.reason));
    return say(QStringLiteral("Volume %1 on %2 %3").arg(volume.value(kVolumeName).toString(), idOf(volume),
                                                           mounting ? QStringLiteral("mounted") : QStringLiteral("unmounted")));
}

int Diskutil::eject(const QStringList& arguments)
{
    const auto target = find(arguments[0]);
    if (!target)
        return fail(QStringLiteral("Could not find disk: ") + arguments[0]);
    const QVariantMap disk = target->catalog->disk(target->place);
    ActionOutcome outcome;
    if (target->simulated()) {
        outcome = saved(simulatedVolumes().eject(target->place));
    } else {
        outcome = onRealDevice([&] {
            for (const QVariant& volume : QVariantList{disk} + disk.value(kPartitions).toList()) {
                if (volume.toMap().value(kMounted).toBool()) {
                    if (ActionOutcome step = udisks_.unmount(volume.toMap().value(kLinuxDevice).toString()); !step.ok)
                        return step;
                }
            }
            return udisks_.powerOff(disk.value(kLinuxDevice).toString());
        });
    }
    if (!outcome.ok)
        return fail(QStringLiteral("Disk %1 failed to eject: %2").arg(arguments[0], outcome.reason));
    return say(QStringLiteral("Disk %1 ejected").arg(arguments[0]));
}

int Diskutil::rename(const QStringList& arguments)
{
    const QString failure = QStringLiteral("Failed to rename volume on %1: %2");
    const auto target = findVolume(arguments[0], failure);
    if (!target)
        return 1;
    const QVariantMap volume = target->catalog->entry(target->place);
    const QString name = arguments[1];
    ActionOutcome outcome;
    if (name.isEmpty()) {
        outcome = ActionOutcome::failed(QStringLiteral("the name is empty"));
    } else if (target->simulated()) {
        outcome = saved(simulatedVolumes().rename(target->place, name));
    } else {
        outcome = onRealDevice([&] { return udisks_.setLabel(volume.value(kLinuxDevice).toString(), name); });
    }
    if (!outcome.ok)
        return fail(failure.arg(idOf(volume), outcome.reason));
    return say(QStringLiteral("Volume on %1 renamed to %2").arg(idOf(volume), name));
}

int Diskutil::erase(const QString& device, const QString& personality, const std::optional<QString>& name)
{
    const QString failure = QStringLiteral("Could not erase %1: %2");
    const auto target = findVolume(device, failure);
    if (!target)
        return 1;
    const QVariantMap volume = target->catalog->entry(target->place);
    if (!target->simulated())
        return fail(failure.arg(idOf(volume), QStringLiteral("it is a device of this machine, which is never erased")));
    const auto format = name ? EraseFormat::named(personality)
                             : EraseFormat::ofFilesystem(volume.value(kFilesystemName).toString());
    if (!format) {
        return fail(name ? QStringLiteral("\"%1\" does not appear to be a valid file system format").arg(personality)
                         : failure.arg(idOf(volume), QStringLiteral("its file system cannot be made again")));
    }
    const QString oldName = volume.value(kVolumeName).toString();
    QString newName = name.value_or(oldName);
    if (newName.isEmpty())
        newName = QStringLiteral("Untitled");
    const ActionOutcome outcome = saved(simulatedVolumes().erase(target->place, *format, newName));
    if (!outcome.ok)
        return fail(failure.arg(idOf(volume), outcome.reason));
    return say(QStringLiteral("Started erase on %1 %2\nErasing\nFinished erase on %1 %3").arg(idOf(volume), oldName, newName));
}
