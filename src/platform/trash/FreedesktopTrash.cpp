#include "FreedesktopTrash.h"

#include "platform/files/CheckedWalk.h"
#include "platform/files/FileManager.h"
#include "platform/files/NativePath.h"
#include "platform/files/PosixIdentity.h"
#include "platform/folders/SearchPaths.h"
#include "platform/log/SystemLog.h"
#include "platform/mounts/MountInfo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qsizetype kNameMax = 255;
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

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

QByteArray joined(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

QByteArray realPath(const QByteArray& path)
{
    char resolved[PATH_MAX];
    return realpath(path.constData(), resolved) ? QByteArray(resolved) : QByteArray();
}

// The item's path with the root and the links that the walk followed resolved; the other folders
// of a location are no links. Empty when a part to resolve is gone.
QByteArray resolvedPath(const ItemLocation& location)
{
    QByteArray path = realPath(location.rootPath);
    for (const FolderStep& step : location.folders) {
        if (!path.isEmpty())
            path = step.followsLink ? realPath(joined(path, step.name)) : joined(path, step.name);
    }
    return path.isEmpty() ? path : joined(path, location.name);
}

// A folder of the user's own inside `parent`, not a link; made (0700) when missing and `make`.
FileDescriptor ownFolder(int parent, const QByteArray& name, uid_t uid, bool make)
{
    if (parent < 0 || (make && mkdirat(parent, name.constData(), 0700) != 0 && errno != EEXIST))
        return {};
    FileDescriptor fd(openat(parent, name.constData(), kFolderFlags));
    struct stat info {};
    if (fd.isValid() && (fstat(fd.get(), &info) != 0 || info.st_uid != uid))
        fd.reset();
    return fd;
}

// A volume's shared Trash, where an administrator made it as it must be: a folder, not a link,
// with the sticky bit, so that no user can take another's folder in it.
FileDescriptor sharedTrash(int top)
{
    FileDescriptor fd(openat(top, ".Trash", kFolderFlags));
    struct stat info {};
    if (fd.isValid() && (fstat(fd.get(), &info) != 0 || !(info.st_mode & S_ISVTX)))
        fd.reset();
    return fd;
}

FileIdentity identityOfOpen(int fd)
{
    struct stat info {};
    return fstat(fd, &info) == 0 ? identityOf(info) : FileIdentity{};
}

// Whether what is open as `inner` lies on the mount of the folder open as `outer` and is no
// mount point itself; false when the kernel cannot tell.
bool onMountOf(int outer, int inner)
{
    struct statx a {}, b {};
    if (statx(outer, "", AT_EMPTY_PATH, STATX_MNT_ID, &a) != 0 || statx(inner, "", AT_EMPTY_PATH, STATX_MNT_ID, &b) != 0)
        return false;
    const bool isMountRoot = (b.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (b.stx_attributes & STATX_ATTR_MOUNT_ROOT);
    const bool idsTold = a.stx_mask & b.stx_mask & STATX_MNT_ID;
    return !isMountRoot && identityOf(a).device == identityOf(b).device && (!idsTold || a.stx_mnt_id == b.stx_mnt_id);
}

// The names in a folder open for listing.
QList<QByteArray> entriesOf(int folder)
{
    QList<QByteArray> names;
    FileDescriptor copy(folder >= 0 ? dup(folder) : -1);
    DIR* stream = copy.isValid() ? fdopendir(copy.get()) : nullptr;
    if (!stream)
        return names;
    copy.release(); // the stream's now
    while (const dirent* listed = readdir(stream)) {
        const QByteArray name(listed->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    closedir(stream);
    return names;
}

// The simulated Mac's Trash folders: `.Trash` in its home and `.Trashes` in each volume folder,
// each reached from the folder that holds it without following a link.
QList<TrashFolder> macTrashes(const QByteArray& home, const QByteArray& volumes)
{
    QList<TrashFolder> found;
    const auto add = [&found](int holder, const QByteArray& holderPath, const char* name) {
        if (const FileDescriptor fd(openat(holder, name, kFolderFlags)); fd.isValid())
            found << TrashFolder{joined(holderPath, name), identityOfOpen(fd.get())};
    };
    add(FileDescriptor(open(home.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)).get(), home, ".Trash");
    const FileDescriptor volumesFolder(open(volumes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const QByteArray& volume : entriesOf(volumesFolder.get()))
        add(FileDescriptor(openat(volumesFolder.get(), volume.constData(), kFolderFlags)).get(), joined(volumes, volume), ".Trashes");
    return found;
}

// The name of a Trash entry: the item's own, or, with `n` above 1, another one; cut where it
// would make the record's name too long for the file system (at a letter's start).
QByteArray trashName(const QByteArray& name, int n)
{
    const QByteArray suffix = n == 1 ? QByteArray() : '.' + QByteArray::number(n);
    const qsizetype room = kNameMax - qsizetype(sizeof ".trashinfo" - 1) - suffix.size();
    qsizetype length = std::min(name.size(), room);
    while (length < name.size() && length > 0 && (uchar(name.at(length)) & 0xC0) == 0x80)
        --length;
    return name.left(length) + suffix;
}

bool moveWithoutReplacing(int fromFolder, const QByteArray& from, int toFolder, const QByteArray& name)
{
    if (renameat2(fromFolder, from.constData(), toFolder, name.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL) // a file system without the flag: check, then move
        return false;
    struct stat info {};
    if (fstatat(toFolder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return false;
    }
    return renameat(fromFolder, from.constData(), toFolder, name.constData()) == 0;
}

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

FreedesktopTrash::FreedesktopTrash(Settings settings) : settings_(std::move(settings))
{
    if (!settings_.trashesOn)
        settings_.trashesOn = [uid = settings_.uid](const QByteArray& mount) { return userTrashesOn(mount, uid); };
}

FreedesktopTrash::Settings FreedesktopTrash::defaultSettings(const SearchPaths& searchPaths,
                                                             Sibling<FileManager> fileManager)
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
    settings.macHome = searchPaths.homeDirectory();
    settings.volumes = searchPaths.pathOnMac(QStringLiteral("/Volumes"));
    settings.uid = getuid();
    settings.fileManager = std::move(fileManager);
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

QList<TrashFolder> FreedesktopTrash::userTrashesOn(const QByteArray& mount, uid_t uid)
{
    QList<TrashFolder> found;
    const FileDescriptor top(open(mount.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    const QByteArray user = QByteArray::number(uid);
    const FileDescriptor shared = sharedTrash(top.get());
    if (const FileDescriptor own = ownFolder(shared.get(), user, uid, false); own.isValid())
        found << TrashFolder{joined(mount, ".Trash/" + user), identityOfOpen(own.get())};
    if (const FileDescriptor own = ownFolder(top.get(), ".Trash-" + user, uid, false); own.isValid())
        found << TrashFolder{joined(mount, ".Trash-" + user), identityOfOpen(own.get())};
    return found;
}

FileDescriptor FreedesktopTrash::trashFolderFor(const QByteArray& item, const QList<QByteArray>& mounts, QByteArray* path,
                                                QByteArray* topFolder) const
{
    const QByteArray home = nativeFromPath(settings_.homeTrash);
    const QByteArray itemMount = mountOf(item, mounts);
    const QString homeParent = QFileInfo(settings_.homeTrash).path();
    const QByteArray homeResolved = QDir().mkpath(homeParent) ? realPath(QFile::encodeName(homeParent)) : QByteArray();
    if (itemMount.isEmpty() || homeResolved.isEmpty() || itemMount == mountOf(homeResolved, mounts)) {
        topFolder->clear();
        const QByteArray name = home.mid(home.lastIndexOf('/') + 1);
        *path = joined(homeResolved, name);
        const FileDescriptor parent(open(homeResolved.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        return ownFolder(parent.get(), name, settings_.uid, true);
    }
    *topFolder = itemMount;
    const FileDescriptor top(open(itemMount.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    const QByteArray user = QByteArray::number(settings_.uid);
    // The shared Trash when it is valid and the user's folder in it can be had; else the user's own.
    if (FileDescriptor own = ownFolder(sharedTrash(top.get()).get(), user, settings_.uid, true); own.isValid()) {
        *path = joined(itemMount, ".Trash/" + user);
        return own;
    }
    *path = joined(itemMount, ".Trash-" + user);
    return ownFolder(top.get(), ".Trash-" + user, settings_.uid, true);
}

bool FreedesktopTrash::recycleItemAtPath(const QString& path)
{
    const QByteArray given = nativeFromPath(path);
    const qsizetype slash = given.lastIndexOf('/');
    if (!given.startsWith('/') || given.endsWith('/'))
        return false;
    // The folders on the way are taken as they are now, links followed, as a path names them.
    const auto location = CheckedWalk::capture(slash == 0 ? "/" : given.left(slash), given, nullptr);
    return location && recycleItemAtLocation(*location, {}, nullptr);
}

bool FreedesktopTrash::recycleItemAtLocation(const ItemLocation& location, const ProtectedFolders& protectedFolders,
                                             QString* error)
{
    const FileDescriptor parent = CheckedWalk::openParent(location, error);
    if (!parent.isValid())
        return false;
    const QString shown = location.displayPath();
    const QByteArray name = zeroTerminated(location.name);
    const FileDescriptor itself(openat(parent.get(), name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat itemInfo {};
    if (!itself.isValid() || fstat(itself.get(), &itemInfo) != 0)
        return fail(error, shown + QStringLiteral(" is missing"));
    if (location.identity.isKnown() && identityOf(itemInfo) != location.identity)
        return fail(error, shown + QStringLiteral(" changed since it was found"));
    if (protectedFolders.contains(identityOf(itemInfo)))
        return fail(error, shown + QStringLiteral(" is a protected folder or holds one"));
    // A mount goes nowhere, and nothing is written on it: refused before any Trash is looked for.
    if (!onMountOf(parent.get(), itself.get()))
        return fail(error, shown + QStringLiteral(" is a mount point"));
    const QByteArray item = resolvedPath(location);
    const QString noTrash = shown + QStringLiteral(": no Trash folder of the user's own on its volume");
    if (item.isEmpty())
        return fail(error, noTrash);
    const QList<QByteArray> mounts = settings_.mountPoints ? settings_.mountPoints() : QList<QByteArray>();
    // A mount inside would go into the Trash live, and every emptying would fail on it.
    for (const QByteArray& mount : mounts) {
        if (mount == item || mount.startsWith(item + '/'))
            return fail(error, shown + (mount == item ? QStringLiteral(" is a mount point") : QStringLiteral(" holds a mount point")));
    }
    QByteArray trash, top;
    const FileDescriptor trashFolder = trashFolderFor(item, mounts, &trash, &top);
    if (!trashFolder.isValid())
        return fail(error, noTrash);
    if (item == trash || trash.startsWith(item + '/'))
        return fail(error, shown + QStringLiteral(" holds the Trash"));
    const FileDescriptor files = ownFolder(trashFolder.get(), "files", settings_.uid, true);
    const FileDescriptor info = ownFolder(trashFolder.get(), "info", settings_.uid, true);
    if (!files.isValid() || !info.isValid())
        return fail(error, shown + QStringLiteral(": the Trash folder cannot be used"));

    // On another volume the path is kept relative to its top folder.
    const QByteArray recorded = top.isEmpty() ? item : item.mid(top == "/" ? 1 : top.size() + 1);
    const QByteArray record = "[Trash Info]\nPath=" + recorded.toPercentEncoding("/") + "\nDeletionDate="
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1() + "\n";
    for (int n = 1; n < 10000; ++n) {
        const QByteArray candidate = trashName(name, n);
        const QByteArray infoName = candidate + ".trashinfo";
        // The info file is made first and exclusively: it reserves the name.
        FileDescriptor fd(openat(info.get(), infoName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.isValid()) {
            if (errno == EEXIST)
                continue;
            return fail(error, shown + QStringLiteral(": its record cannot be made"));
        }
        const bool written = write(fd.get(), record.constData(), size_t(record.size())) == record.size();
        fd.reset();
        if (written && moveWithoutReplacing(parent.get(), name, files.get(), candidate))
            return true;
        const int moveError = errno;
        unlinkat(info.get(), infoName.constData(), 0);
        if (!written || moveError != EEXIST)
            return fail(error, shown + QStringLiteral(" cannot be moved to the Trash: ") + qt_error_string(moveError));
    }
    return fail(error, shown + QStringLiteral(": no free name in the Trash"));
}

void FreedesktopTrash::emptyContents(const TrashFolder& trash, const QByteArray& name, bool records,
                                     const ProtectedFolders& protectedFolders, TrashEmptying& result) const
{
    // The folder as it was found, then its files/ or info/, never through a link.
    const FileDescriptor root(open(trash.path.constData(), kFolderFlags));
    if (!root.isValid() || identityOfOpen(root.get()) != trash.identity)
        return;
    const FileDescriptor folder(name.isEmpty() ? dup(root.get()) : openat(root.get(), name.constData(), kFolderFlags));
    if (!folder.isValid())
        return; // missing, or a link: nothing of it is the user's Trash
    // What is emptied lies on the mount of the folder that holds it: a mount there stays whole.
    const FileDescriptor holder(name.isEmpty() ? openat(root.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC) : dup(root.get()));
    if (!onMountOf(holder.get(), folder.get())) {
        ++result.failed;
        NSLog(QStringLiteral("Trash: %1 is another file system or a mount point; it stays as it is")
                  .arg(displayTextFromNative(name.isEmpty() ? trash.path : joined(trash.path, name))));
        return;
    }
    const FileDescriptor files(records ? openat(root.get(), "files", kFolderFlags) : -1);
    const QList<QByteArray> names = entriesOf(folder.get());
    ItemLocation entry{trash.path, trash.identity, {}, {}, {}};
    if (!name.isEmpty())
        entry.folders.push_back({name, identityOfOpen(folder.get()), false});
    const FileManager& fileManager = *settings_.fileManager;
    for (const QByteArray& entryName : names) {
        struct stat info {};
        if (fstatat(folder.get(), entryName.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        // A record stays as long as the item it describes.
        struct stat item {};
        if (records && entryName.endsWith(".trashinfo")
            && fstatat(files.get(), entryName.chopped(10).constData(), &item, AT_SYMLINK_NOFOLLOW) == 0)
            continue;
        entry.name = entryName;
        entry.identity = identityOf(info);
        const uid_t owner = settings_.ownerOf ? settings_.ownerOf(entry.path(), info.st_uid) : info.st_uid;
        if (owner != settings_.uid)
            continue; // another user's, and it stays
        QString error;
        if (fileManager.removeItemAtLocation(entry, protectedFolders, &error)) {
            ++result.removed;
        } else {
            ++result.failed;
            NSLog(QStringLiteral("Trash: could not remove %1 (%2)").arg(entry.displayPath(), error));
        }
    }
}

TrashEmptying FreedesktopTrash::emptyTrash(const ProtectedFolders& protectedFolders)
{
    TrashEmptying result;
    QList<TrashFolder> trashes;
    const QByteArray home = nativeFromPath(settings_.homeTrash);
    const FileDescriptor homeParent(open(QFile::encodeName(QFileInfo(settings_.homeTrash).path()).constData(),
                                         O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (const FileDescriptor own = ownFolder(homeParent.get(), home.mid(home.lastIndexOf('/') + 1), settings_.uid, false);
        own.isValid())
        trashes << TrashFolder{home, identityOfOpen(own.get())};
    // Other volumes are looked at off this thread: one that does not answer is left as it is.
    const TrashFolderSearch::Found found = TrashFolderSearch::search(
        settings_.mountPoints ? settings_.mountPoints() : QList<QByteArray>(), settings_.trashesOn,
        settings_.lookUpDeadline);
    for (const QByteArray& mount : found.unanswered)
        NSLog(QStringLiteral("Trash: %1 did not answer in time; its Trash stays as it is").arg(displayTextFromNative(mount)));
    trashes += found.folders;
    for (const TrashFolder& trash : trashes) {
        emptyContents(trash, "files", false, protectedFolders, result);
        emptyContents(trash, "info", true, protectedFolders, result);
    }
    for (const TrashFolder& plain : macTrashes(nativeFromPath(settings_.macHome), nativeFromPath(settings_.volumes)))
        emptyContents(plain, {}, false, protectedFolders, result);
    if (result.failed > 0)
        NSLog(QStringLiteral("Trash: %1 items could not be removed").arg(result.failed));
    return result;
}

} // namespace platform
