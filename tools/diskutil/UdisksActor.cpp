#include "UdisksActor.h"

#include <QRegularExpression>

namespace {

// udisks names a block device's object after its kernel name, which is plain letters and digits.
QString objectPath(const QString& device)
{
    static const QRegularExpression kernelName(QStringLiteral("^/dev/([A-Za-z0-9]+)$"));
    const auto match = kernelName.match(device);
    return match.hasMatch() ? QStringLiteral("/org/freedesktop/UDisks2/block_devices/") + match.captured(1) : QString();
}

} // namespace

UdisksActor::UdisksActor(Finder find, Runner run) : find_(std::move(find)), run_(std::move(run)) {}

ActionOutcome UdisksActor::runTool(const QString& tool, const QStringList& arguments) const
{
    const QString path = find_(tool);
    if (path.isEmpty())
        return ActionOutcome::failed(QStringLiteral("udisks is not available on this machine (%1 not found)").arg(tool));
    const tools::ProgramOutcome outcome = run_(path, arguments);
    if (!outcome.started)
        return ActionOutcome::failed(QStringLiteral("%1 could not be started").arg(tool));
    if (outcome.exitStatus == 0)
        return ActionOutcome::done();
    const QStringList lines = QString::fromUtf8(outcome.standardError).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return ActionOutcome::failed(lines.isEmpty() ? QStringLiteral("%1 ended with status %2").arg(tool).arg(outcome.exitStatus)
                                                 : lines.last().trimmed());
}

ActionOutcome UdisksActor::mount(const QString& device) const
{
    return runTool(QStringLiteral("udisksctl"),
                   {QStringLiteral("mount"), QStringLiteral("--no-user-interaction"), QStringLiteral("--block-device"), device});
}

ActionOutcome UdisksActor::unmount(const QString& device) const
{
    return runTool(QStringLiteral("udisksctl"),
                   {QStringLiteral("unmount"), QStringLiteral("--no-user-interaction"), QStringLiteral("--block-device"), device});
}

ActionOutcome UdisksActor::powerOff(const QString& device) const
{
    return runTool(QStringLiteral("udisksctl"),
                   {QStringLiteral("power-off"), QStringLiteral("--no-user-interaction"), QStringLiteral("--block-device"), device});
}

ActionOutcome UdisksActor::setLabel(const QString& device, const QString& label) const
{
    const QString object = objectPath(device);
    if (object.isEmpty())
        return ActionOutcome::failed(QStringLiteral("udisks has no object for %1").arg(device));
    if (find_(QStringLiteral("udisksctl")).isEmpty())
        return ActionOutcome::failed(QStringLiteral("udisks is not available on this machine (udisksctl not found)"));
    // The label is one argument after "--", so a leading "-" is no option; the options are empty.
    return runTool(QStringLiteral("busctl"),
                   {QStringLiteral("--system"), QStringLiteral("--"), QStringLiteral("call"), QStringLiteral("org.freedesktop.UDisks2"), object,
                    QStringLiteral("org.freedesktop.UDisks2.Filesystem"), QStringLiteral("SetLabel"),
                    QStringLiteral("sa{sv}"), label, QStringLiteral("0")});
}
