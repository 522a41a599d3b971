#include "MountFolders.h"

#include "platform/mounts/FolderEmptier.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kVolumes = QStringLiteral("/Volumes/");

QString leafFor(const QString& name)
{
    QString leaf = name;
    leaf.replace(QLatin1Char('/'), QLatin1Char(':'));
    if (leaf.isEmpty() || leaf == QLatin1String(".") || leaf == QLatin1String(".."))
        return QStringLiteral("Untitled");
    return leaf;
}

bool isLeafPath(const QString& macPath)
{
    if (!macPath.startsWith(kVolumes) || macPath.indexOf(QLatin1Char('/'), kVolumes.size()) >= 0)
        return false;
    const QString leaf = macPath.mid(kVolumes.size());
    return !leaf.isEmpty() && leaf != QLatin1String(".") && leaf != QLatin1String("..");
}

bool isPresent(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool isFolder(const QByteArray& path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

MountFolders::MountFolders(QString root) : root_(std::move(root)) {}

QString MountFolders::pathFor(const QString& name, const QString& own, const QStringList& taken) const
{
    const QString leaf = leafFor(name);
    for (int n = 0;; ++n) {
        const QString path = kVolumes + (n == 0 ? leaf : QStringLiteral("%1 %2").arg(leaf).arg(n));
        if (path == own || (!taken.contains(path) && !isPresent(realPath(path))))
            return path;
    }
}

QByteArray MountFolders::checkedFolder(const QString& macPath) const
{
    if (!isLeafPath(macPath))
        return {};
    const QByteArray volumes = QFile::encodeName(root_ + QStringLiteral("/Volumes"));
    const QByteArray path = QFile::encodeName(realPath(macPath));
    return isFolder(volumes) && isFolder(path) ? path : QByteArray();
}

bool MountFolders::make(const QString& macPath) const
{
    if (!isLeafPath(macPath))
        return false;
    const QByteArray volumes = QFile::encodeName(root_ + QStringLiteral("/Volumes"));
    ::mkdir(QFile::encodeName(root_).constData(), 0755);
    ::mkdir(volumes.constData(), 0755);
    const QByteArray path = QFile::encodeName(realPath(macPath));
    return (::mkdir(path.constData(), 0755) == 0 || errno == EEXIST) && !checkedFolder(macPath).isEmpty();
}

void MountFolders::removeIfEmpty(const QString& macPath) const
{
    if (const QByteArray path = checkedFolder(macPath); !path.isEmpty())
        ::rmdir(path.constData());
}

bool MountFolders::move(const QString& from, const QString& to) const
{
    const QByteArray source = checkedFolder(from);
    if (source.isEmpty() || !isLeafPath(to))
        return false;
    const QByteArray target = QFile::encodeName(realPath(to));
    return ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0;
}

ActionOutcome MountFolders::empty(const QString& macPath) const
{
    if (!isLeafPath(macPath))
        return ActionOutcome::failed(QStringLiteral("its folder is not one of /Volumes"));
    // By descriptors, within the mount of <root>/Volumes: a real file system mounted at or inside
    // the folder is refused before anything goes.
    const auto result = platform::FolderEmptier().empty(root_ + QStringLiteral("/Volumes"), macPath.mid(kVolumes.size()));
    if (result.outcome == platform::FolderEmptier::Outcome::Emptied || result.outcome == platform::FolderEmptier::Outcome::Missing)
        return ActionOutcome::done();
    return ActionOutcome::failed(result.reason);
}
