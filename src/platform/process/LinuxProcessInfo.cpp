#include "LinuxProcessInfo.h"

#include "platform/simulated/SimulatedMac.h"

#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <unistd.h>

namespace platform {

LinuxProcessInfo::LinuxProcessInfo(const SimulatedMac& mac)
    : mac_(mac)
{
}

QString LinuxProcessInfo::processName() const
{
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    if (!executable.isEmpty())
        return QFileInfo(executable).fileName();
    return QString::fromLocal8Bit(program_invocation_short_name);
}

int LinuxProcessInfo::processIdentifier() const
{
    return int(getpid());
}

QString LinuxProcessInfo::globallyUniqueString() const
{
    // A fresh UUID, the process and a per-process sequence number.
    const uint64_t sequence = ++counter_;
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QLatin1Char('-')
        + QString::number(getpid()) + QLatin1Char('-')
        + QStringLiteral("%1").arg(sequence, 16, 16, QLatin1Char('0')).toUpper();
}

QString LinuxProcessInfo::versionString(const QString& version, const QString& build)
{
    QString text = QStringLiteral("Version ") + version;
    if (!build.isEmpty())
        text += QStringLiteral(" (Build ") + build + QLatin1Char(')');
    return text;
}

QString LinuxProcessInfo::operatingSystemVersionString() const
{
    return versionString(mac_.productVersion(),
                         mac_.stateValue(QStringLiteral("Mac"), QStringLiteral("BuildVersion")).toString());
}

unsigned LinuxProcessInfo::processorCount() const
{
    const long count = sysconf(_SC_NPROCESSORS_CONF);
    return count > 0 ? unsigned(count) : 1;
}

unsigned LinuxProcessInfo::activeProcessorCount() const
{
    const long count = sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? unsigned(count) : 1;
}

uint64_t LinuxProcessInfo::physicalMemory() const
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return uint64_t(pages) * uint64_t(pageSize);
}

} // namespace platform
