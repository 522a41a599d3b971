#include "CheckedWalk.h"

#include "NativePath.h"
#include "PosixIdentity.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr int kStepFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

void fail(QString* error, const QByteArray& path, const char* what)
{
    if (error)
        *error = displayTextFromNative(path) + QLatin1Char(' ') + QLatin1String(what);
}

// Why a folder could not be opened where one was expected.
const char* openFailure(int parent, const QByteArray& name, int error)
{
    struct stat info {};
    if (error == ENOENT)
        return "is missing";
    if (fstatat(parent, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode))
        return "became a link";
    if (error == ENOTDIR)
        return "is no longer a folder";
    return std::strerror(error);
}

// Opens the root, or one folder inside `parent`, and gives its identity.
FileDescriptor openFolder(int parent, const QByteArray& given, bool follow, FileIdentity* identity,
                          const QByteArray& path, QString* error)
{
    const QByteArray name = zeroTerminated(given);
    const int flags = kStepFlags | (follow ? 0 : O_NOFOLLOW);
    FileDescriptor fd(parent < 0 ? open(name.constData(), flags) : openat(parent, name.constData(), flags));
    struct stat info {};
    if (!fd.isValid()) {
        fail(error, path, parent < 0 ? std::strerror(errno) : openFailure(parent, name, errno));
    } else if (fstat(fd.get(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        fail(error, path, "is no longer a folder");
        fd.reset();
    } else {
        *identity = identityOf(info);
    }
    return fd;
}

QByteArray joined(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

} // namespace

bool CheckedWalk::isEntryName(const QByteArray& name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

FileDescriptor CheckedWalk::openParent(const ItemLocation& location, QString* error)
{
    if (!location.rootPath.startsWith('/') || location.rootPath.contains('\0') || !isEntryName(location.name)) {
        fail(error, location.path(), "is not a place below a folder");
        return {};
    }
    QByteArray path = location.rootPath;
    FileIdentity seen;
    FileDescriptor folder = openFolder(-1, path, true, &seen, path, error);
    if (folder.isValid() && seen != location.rootIdentity) {
        fail(error, path, "is not the folder that was scanned");
        return {};
    }
    for (const FolderStep& step : location.folders) {
        if (!folder.isValid())
            return {};
        path = joined(path, step.name);
        if (!isEntryName(step.name)) {
            fail(error, path, "is not a folder's name");
            return {};
        }
        folder = openFolder(folder.get(), step.name, step.followsLink, &seen, path, error);
        if (folder.isValid() && seen != step.identity) {
            fail(error, path, "changed since it was found");
            return {};
        }
    }
    return folder;
}

std::optional<ItemLocation> CheckedWalk::capture(const QByteArray& rootPath, const QByteArray& itemPath,
                                                 QString* error)
{
    const QByteArray root = nativeFromPath(QDir::cleanPath(pathFromNative(rootPath)));
    const QByteArray item = nativeFromPath(QDir::cleanPath(pathFromNative(itemPath)));
    const QByteArray prefix = root.endsWith('/') ? root : root + '/';
    if (!root.startsWith('/') || !item.startsWith(prefix) || item.size() == prefix.size() || item.contains('\0')) {
        fail(error, itemPath, "is not below the folder it belongs to");
        return std::nullopt;
    }
    ItemLocation location;
    location.rootPath = root;
    const QList<QByteArray> names = item.mid(prefix.size()).split('/');
    FileDescriptor folder = openFolder(-1, root, true, &location.rootIdentity, root, error);
    QByteArray path = root;
    for (qsizetype i = 0; folder.isValid() && i + 1 < names.size(); ++i) {
        path = joined(path, names[i]);
        FolderStep step{names[i], {}, false};
        folder = openFolder(folder.get(), step.name, false, &step.identity, path, error);
        location.folders.push_back(std::move(step));
    }
    if (!folder.isValid())
        return std::nullopt;
    location.name = names.last();
    struct stat info {};
    if (fstatat(folder.get(), location.name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        fail(error, item, std::strerror(errno));
        return std::nullopt;
    }
    location.identity = identityOf(info);
    return location;
}

} // namespace platform
