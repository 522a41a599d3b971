#include "SimulatedMac.h"

#include "platform/files/FileDescriptor.h"
#include "platform/plist/LibplistSerialization.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const char* const kDefaultVersion = "10.15.7";
const QLatin1String kPart(".part");

// The file's bytes and permissions, without waiting for the disk.
bool copyUnsynced(const QString& from, const QString& to)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = in.readAll();
    return out.write(bytes) == bytes.size() && out.setPermissions(in.permissions());
}

std::optional<QVariantMap> readDictionary(const QString& path)
{
    const QVariant contents = LibplistSerialization().propertyListFromFile(path);
    if (contents.typeId() == QMetaType::QVariantMap)
        return contents.toMap();
    if (QFileInfo::exists(path))
        return std::nullopt;
    return QVariantMap();
}

} // namespace

SimulatedMac::SimulatedMac(QString dataFolder, QString root)
    : dataFolder_(std::move(dataFolder))
    , root_(std::move(root))
{
}

QString SimulatedMac::defaultDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/tavrin");
}

QString SimulatedMac::defaultRoot(const QString& dataFolder)
{
    QString root = qEnvironmentVariable("TAVRIN_ROOT");
    return root.isEmpty() ? dataFolder + QStringLiteral("/root") : QDir::cleanPath(root);
}

QString SimulatedMac::userName() const
{
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    QString name = qEnvironmentVariable("USER");
    return name.isEmpty() ? QStringLiteral("user") : name;
}

QString SimulatedMac::homePath() const
{
    return root_ + QStringLiteral("/Users/") + userName();
}

QString SimulatedMac::pathOnMac(const QString& macPath) const
{
    if (!macPath.startsWith(QLatin1Char('/')))
        return {};
    // ".." stops at the Mac's root, as it does at the root of a real file system.
    QStringList parts;
    for (const QString& part : macPath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != QLatin1String("."))
            parts << part;
    }
    return parts.isEmpty() ? root_ : root_ + QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

void SimulatedMac::ensureSeeded(const QString& seedFolder) const
{
    QStringList copied;
    QDir seed(seedFolder);
    if (!seedFolder.isEmpty() && seed.exists()) {
        QDirIterator it(seedFolder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QString from = it.next();
            QString relative = seed.relativeFilePath(from);
            // The seed's "root" tree is the Mac's file system, its "home" tree the user's Mac
            // home; the rest is state.
            const auto inTree = [&relative](QLatin1String tree) {
                return relative == tree || (relative.startsWith(tree) && relative.at(tree.size()) == QLatin1Char('/'));
            };
            QString to = inTree(QLatin1String("root"))   ? root_ + relative.mid(4)
                : inTree(QLatin1String("home")) ? homePath() + relative.mid(4)
                                                : dataFolder_ + QLatin1Char('/') + relative;
            QFileInfo info = it.fileInfo();
            if (info.isSymLink())
                continue;
            if (info.isDir())
                QDir().mkpath(to);
            else if (!QFileInfo::exists(to) && QDir().mkpath(QFileInfo(to).path()) && copyUnsynced(from, to + kPart))
                copied << to;
        }
    }
    // One sync for the whole seed (QFile::copy synced each file, dozens of waits on the disk at a
    // first start), and only then does each file take its name: after a crash a seed file is
    // whole or missing, and a missing one is copied at the next start.
    if (!copied.isEmpty()) {
        dev_t synced = 0;
        for (const QString& folder : {dataFolder_, root_}) {
            FileDescriptor fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            struct stat status {};
            if (fd.isValid() && ::fstat(fd.get(), &status) == 0 && status.st_dev != synced) {
                ::syncfs(fd.get());
                synced = status.st_dev;
            }
        }
        for (const QString& to : copied)
            ::rename(QFile::encodeName(to + kPart).constData(), QFile::encodeName(to).constData());
    }
    QDir().mkpath(dataFolder_);
    for (const char* folder : {"/Applications", "/Library", "/System/Library", "/System/Applications",
                               "/Volumes"})
        QDir().mkpath(root_ + QLatin1String(folder));
    for (const char* folder : {"Applications", "Library/Preferences", "Library/Caches",
                               "Library/Logs", "Library/Application Support",
                               "Library/Saved Application State", "Library/Safari", "Documents", "Desktop", "Downloads",
                               ".Trash"})
        QDir().mkpath(homePath() + QLatin1Char('/') + QLatin1String(folder));
}

QString SimulatedMac::statePath(const QString& file) const
{
    return dataFolder_ + QLatin1Char('/') + file + QStringLiteral(".plist");
}

QVariantMap SimulatedMac::stateFile(const QString& file) const
{
    QMutexLocker lock(&mutex_);
    const QString path = statePath(file);
    return read_.value(path, {path}, [&] { return LibplistSerialization().propertyListFromFile(path).toMap(); });
}

bool SimulatedMac::writeStateFile(const QString& file, const QVariantMap& contents)
{
    QMutexLocker lock(&mutex_);
    QDir().mkpath(dataFolder_);
    return LibplistSerialization().writeToFile(contents, statePath(file));
}

QVariant SimulatedMac::stateValue(const QString& file, const QString& key) const
{
    return stateFile(file).value(key);
}

bool SimulatedMac::setStateValue(const QString& file, const QString& key, const QVariant& value)
{
    QMutexLocker lock(&mutex_);
    QDir().mkpath(dataFolder_);
    std::optional<QVariantMap> contents = readDictionary(statePath(file));
    if (!contents)
        return false;
    contents->insert(key, value);
    return LibplistSerialization().writeToFile(*contents, statePath(file));
}

std::optional<QVariantMap> SimulatedMac::readStateFile(const QString& file) const
{
    QMutexLocker lock(&mutex_);
    return readDictionary(statePath(file));
}

QString SimulatedMac::productVersion() const
{
    QString version = qEnvironmentVariable("TAVRIN_OS_VERSION");
    if (version.isEmpty())
        version = stateValue(QStringLiteral("Mac"), QStringLiteral("ProductVersion")).toString();
    return version.isEmpty() ? QString::fromLatin1(kDefaultVersion) : version;
}

} // namespace platform
