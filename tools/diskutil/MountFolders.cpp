#include "MountFolders.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <ftw.h>
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

int removeEntry(const char* path, const struct stat*, int type, struct FTW* where)
{
    if (where->level == 0)
        return 0;
    return (type == FTW_DP ? ::rmdir(path) : ::unlink(path)) == 0 ? 0 : -1;
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

bool MountFolders::empty(const QString& macPath) const
{
    const QByteArray path = checkedFolder(macPath);
    // Depth first, physical: a link is removed as itself, and no other file system is entered.
    return !path.isEmpty() && ::nftw(path.constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT) == 0;
}
