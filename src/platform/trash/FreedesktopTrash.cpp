#include "FreedesktopTrash.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/FileManager.h"
#include "platform/files/NativePath.h"
#include "platform/folders/SearchPaths.h"
#include "platform/log/SystemLog.h"
#include "platform/mounts/MountInfo.h"
#include "platform/Platform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The longest mount point that holds the path.
QByteArray mountOf(const QByteArray& path, const QList<QByteArray>& mounts)
{
    QByteArray best;
    for (const QByteArray& mount : mounts) {
        const bool holds = mount == "/" || path == mount || path.startsWith(mount + '/');
        if (holds && mount.size() > best.size())
            best = mount;
    }
    return best;
}

// The path with its folders resolved (the last component itself is not followed).
QByteArray resolvedParent(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray parent = slash <= 0 ? QByteArray("/") : path.left(slash);
    char resolved[PATH_MAX];
    if (!realpath(parent.constData(), resolved))
        return {};
    const QByteArray folder(resolved);
    return (folder == "/" ? folder : folder + '/') + path.mid(slash + 1);
}

// A folder of the user's own that is not a link, made when missing.
bool ownFolder(const QByteArray& path, uid_t uid)
{
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == uid;
}

bool moveWithoutReplacing(const QByteArray& from, int folderFd, const QByteArray& name)
{
    if (renameat2(AT_FDCWD, from.constData(), folderFd, name.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL) // a file system without the flag: check, then move
        return false;
    struct stat info {};
    if (fstatat(folderFd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return false;
    }
    return renameat(AT_FDCWD, from.constData(), folderFd, name.constData()) == 0;
}

} // namespace

FreedesktopTrash::FreedesktopTrash(Settings settings) : settings_(std::move(settings)) {}

FreedesktopTrash::Settings FreedesktopTrash::defaultSettings(const SearchPaths& searchPaths)
{
    Settings settings;
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    settings.homeTrash = dataHome + QStringLiteral("/Trash");
    settings.mountPoints = [] {
        QFile file(QStringLiteral("/proc/self/mountinfo"));
        return file.open(QIODevice::ReadOnly) ? mountPointsFromMountInfo(file.readAll()) : QList<QByteArray>();
    };
    const QString macHome = searchPaths.homeDirectory();
    const QString volumes = searchPaths.pathOnMac(QStringLiteral("/Volumes"));
    settings.plainTrashes = [macHome, volumes] {
        QStringList folders{macHome + QStringLiteral("/.Trash")};
        for (const QString& volume : QDir(volumes).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
            folders << volumes + QLatin1Char('/') + volume + QStringLiteral("/.Trashes");
        return folders;
    };
    settings.uid = getuid();
    return settings;
}

QList<QByteArray> FreedesktopTrash::mountPointsFromMountInfo(const QByteArray& mountInfo)
{
    QList<QByteArray> mounts;
    for (const MountInfoEntry& entry : parseMountInfo(mountInfo))
        if (entry.mountPoint.startsWith(QLatin1Char('/')))
            mounts << nativeFromPath(entry.mountPoint);
    return mounts;
}

QByteArray FreedesktopTrash::trashFolderFor(const QByteArray& item, QByteArray* topFolder) const
{
    const QByteArray home = nativeFromPath(settings_.homeTrash);
    QDir().mkpath(settings_.homeTrash);
    const QList<QByteArray> mounts = settings_.mountPoints ? settings_.mountPoints() : QList<QByteArray>();
    const QByteArray itemMount = mountOf(item, mounts);
    const QByteArray homeResolved = resolvedParent(home);
    if (itemMount.isEmpty() || homeResolved.isEmpty() || itemMount == mountOf(homeResolved, mounts)) {
        topFolder->clear();
        return home;
    }
    *topFolder = itemMount;
    return (itemMount == "/" ? QByteArray() : itemMount) + "/.Trash-" + QByteArray::number(settings_.uid);
}

bool FreedesktopTrash::recycleItemAtPath(const QString& path)
{
    const QByteArray given = nativeFromPath(path);
    struct stat itemInfo {};
    if (!given.startsWith('/') || given.endsWith('/') || lstat(given.constData(), &itemInfo) != 0)
        return false;
    const QByteArray item = resolvedParent(given);
    QByteArray top;
    const QByteArray trash = trashFolderFor(item, &top);
    if (item.isEmpty() || trash.isEmpty() || item == trash || trash.startsWith(item + '/'))
        return false; // the Trash is never put into itself
    if (!ownFolder(trash, settings_.uid) || !ownFolder(trash + "/files", settings_.uid)
        || !ownFolder(trash + "/info", settings_.uid))
        return false;
    const FileDescriptor files(open((trash + "/files").constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const FileDescriptor info(open((trash + "/info").constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (files.get() < 0 || info.get() < 0)
        return false;

    // On another volume the path is kept relative to its top folder.
    const QByteArray recorded = top.isEmpty() ? item : item.mid(top == "/" ? 1 : top.size() + 1);
    const QByteArray record = "[Trash Info]\nPath=" + recorded.toPercentEncoding("/") + "\nDeletionDate="
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1() + "\n";
    const QByteArray name = item.mid(item.lastIndexOf('/') + 1);
    for (int n = 1; n < 10000; ++n) {
        const QByteArray candidate = n == 1 ? name : name + '.' + QByteArray::number(n);
        const QByteArray infoName = candidate + ".trashinfo";
        // The info file is made first and exclusively: it reserves the name.
        const int fd = openat(info.get(), infoName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const bool written = write(fd, record.constData(), size_t(record.size())) == record.size();
        ::close(fd);
        if (written && moveWithoutReplacing(given, files.get(), candidate))
            return true;
        const int error = errno;
        unlinkat(info.get(), infoName.constData(), 0);
        if (!written || error != EEXIST)
            return false;
    }
    return false;
}

void FreedesktopTrash::emptyContents(const QByteArray& folder, TrashEmptying& result, const QByteArray& trashed) const
{
    const FileDescriptor fd(open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        return; // missing, or a link: nothing of it is the user's Trash
    DIR* stream = fdopendir(dup(fd.get()));
    if (!stream)
        return;
    QList<QByteArray> names;
    while (const dirent* entry = readdir(stream)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    closedir(stream);
    const FileManager& fileManager = *Platform::current().fileManager;
    for (const QByteArray& name : names) {
        struct stat info {};
        if (fstatat(fd.get(), name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const QByteArray path = folder + '/' + name;
        // A record stays as long as the item it describes.
        struct stat item {};
        if (!trashed.isEmpty() && name.endsWith(".trashinfo")
            && lstat((trashed + '/' + name.chopped(10)).constData(), &item) == 0)
            continue;
        const uid_t owner = settings_.ownerOf ? settings_.ownerOf(path, info.st_uid) : info.st_uid;
        if (owner != settings_.uid)
            continue; // another user's, and it stays
        if (fileManager.removeItemAtPath(pathFromNative(path))) {
            ++result.removed;
        } else {
            ++result.failed;
            NSLog(QStringLiteral("Trash: could not remove %1").arg(displayTextFromNative(path)));
        }
    }
}

TrashEmptying FreedesktopTrash::emptyTrash()
{
    TrashEmptying result;
    QList<QByteArray> trashes{nativeFromPath(settings_.homeTrash)};
    const QByteArray suffix = "/.Trash-" + QByteArray::number(settings_.uid);
    for (const QByteArray& mount : settings_.mountPoints ? settings_.mountPoints() : QList<QByteArray>())
        trashes << (mount == "/" ? QByteArray() : mount) + suffix;
    for (const QByteArray& trash : trashes) {
        struct stat info {};
        if (lstat(trash.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != settings_.uid)
            continue; // missing, a link, or not the user's
        emptyContents(trash + "/files", result);
        emptyContents(trash + "/info", result, trash + "/files");
    }
    for (const QString& folder : settings_.plainTrashes ? settings_.plainTrashes() : QStringList())
        emptyContents(nativeFromPath(folder), result);
    if (result.failed > 0)
        NSLog(QStringLiteral("Trash: %1 items could not be removed").arg(result.failed));
    return result;
}

} // namespace platform
