#include "RealVolumeSource.h"

#include "ProgramRun.h"

#include "platform/files/RegularFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>

RealVolumeSource::RealVolumeSource(const QByteArray& setting)
{
    if (setting == "0") {
        mode_ = Mode::Off;
    } else if (!setting.isEmpty() && setting != "1") {
        mode_ = Mode::Recorded;
        recording_ = QFile::decodeName(setting);
    }
}

RealVolumeSource RealVolumeSource::fromEnvironment()
{
    return RealVolumeSource(qgetenv("TAVRIN_REAL_VOLUMES"));
}

QByteArray RealVolumeSource::listing() const
{
    if (mode_ == Mode::Off)
        return {};
    if (mode_ == Mode::Recorded)
        return platform::readRegularFile(recording_, qsizetype(64) << 20).value_or(QByteArray());
    const QString lsblk = tools::findProgram(QStringLiteral("lsblk"));
    if (lsblk.isEmpty())
        return {};
    const auto outcome = tools::runProgram(
        lsblk, {QStringLiteral("--json"), QStringLiteral("--bytes"), QStringLiteral("-o"), LsblkMapper::columns().join(QLatin1Char(','))});
    return outcome.exitStatus == 0 ? outcome.standardOutput : QByteArray();
}

QByteArray RealVolumeSource::fingerprint() const
{
    if (mode_ != Mode::Recorded)
        return {};
    const QFileInfo file(recording_);
    return QFile::encodeName(file.absoluteFilePath()) + '\n' + QByteArray::number(file.size()) + '\n'
        + QByteArray::number(file.lastModified().toMSecsSinceEpoch());
}

LsblkMapper::FreeBytes RealVolumeSource::freeBytes() const
{
    if (mode_ != Mode::Live)
        return {};
    return [](const QString& mountPoint) -> std::optional<qint64> {
        struct statvfs info {};
        if (::statvfs(QFile::encodeName(mountPoint).constData(), &info) != 0)
            return std::nullopt;
        return qint64(info.f_bavail) * qint64(info.f_frsize);
    };
}
