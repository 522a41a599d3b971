#include "LinuxUserIdentity.h"

#include "platform/files/RegularFile.h"

#include <QFileInfo>
#include <QMutex>

#include <cerrno>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace platform {

namespace {

const passwd* account()
{
    return getpwuid(getuid());
}

QString homeFolder()
{
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty()) {
        if (const passwd* entry = account(); entry && entry->pw_dir)
            home = QFile::decodeName(entry->pw_dir);
    }
    return home;
}

} // namespace

QString LinuxUserIdentity::userName() const
{
    if (const passwd* entry = account(); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    QString name = qEnvironmentVariable("USER");
    return name.isEmpty() ? QStringLiteral("user") : name;
}

QString LinuxUserIdentity::fullName() const
{
    const QString login = userName();
    QString full;
    if (const passwd* entry = account(); entry && entry->pw_gecos)
        full = fullNameFromGecos(QString::fromLocal8Bit(entry->pw_gecos));
    return full.isEmpty() ? login : full;
}

QString LinuxUserIdentity::fullNameFromGecos(const QString& gecos)
{
    return gecos.section(QLatin1Char(','), 0, 0).trimmed();
}

QString LinuxUserIdentity::imagePath() const
{
    const QString home = homeFolder();
    if (home.isEmpty())
        return {};
    for (const char* name : {"/.face", "/.face.icon"}) {
        const QFileInfo file(home + QLatin1String(name));
        // A folder, a FIFO or a dangling link is no picture; a link to a picture is.
        if (file.isFile() && file.isReadable() && file.size() > 0 && file.size() <= kMaximumImageSize)
            return file.filePath();
    }
    return {};
}

QByteArray LinuxUserIdentity::imageData() const
{
    const QString path = imagePath();
    if (path.isEmpty())
        return {};
    return readRegularFile(path, kMaximumImageSize).value_or(QByteArray());
}

QStringList LinuxUserIdentity::accountHomes() const
{
    // The database is walked through one shared position.
    static QMutex walk;
    const QMutexLocker lock(&walk);
    QStringList homes;
    std::vector<char> buffer(16 * 1024);
    passwd entry {};
    passwd* found = nullptr;
    setpwent();
    for (;;) {
        const int error = getpwent_r(&entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < 1024 * 1024) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || !found)
            break;
        if (found->pw_dir && *found->pw_dir)
            homes << QFile::decodeName(found->pw_dir);
    }
    endpwent();
    homes.removeDuplicates();
    return homes;
}

} // namespace platform
