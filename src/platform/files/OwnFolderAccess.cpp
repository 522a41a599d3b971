#include "OwnFolderAccess.h"

#include <set>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Opens the folder `name` of `parent` (not a link), gives its owner full access when `uid`
// owns it, and lists it. Null when that failed or the folder was seen before.
DIR* openOwnFolder(int parent, const char* name, unsigned uid, std::set<std::pair<dev_t, ino_t>>& seen, bool& ok)
{
    const int handle = openat(parent, name, kFolderFlags);
    if (handle < 0) {
        ok = ok && errno == ENOENT; // gone meanwhile is fine
        return nullptr;
    }
    struct stat info {};
    DIR* listing = nullptr;
    if (fstat(handle, &info) == 0 && S_ISDIR(info.st_mode) && seen.insert({info.st_dev, info.st_ino}).second) {
        if (info.st_uid == uid && (info.st_mode & S_IRWXU) != S_IRWXU) {
            // The descriptor names exactly the folder checked above, even if a link took its
            // name since; a path-only descriptor is changed through its /proc name.
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(handle);
            if (chmod(self.constData(), (info.st_mode & 07777) | S_IRWXU) != 0)
                ok = false;
        }
        const int readable = openat(handle, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (readable >= 0 && !(listing = fdopendir(readable)))
            close(readable);
        if (!listing)
            ok = false;
    }
    close(handle);
    return listing;
}

} // namespace

bool OwnFolderAccess::grant(const QByteArray& path, unsigned uid)
{
    if (path.isEmpty() || path.contains('\0'))
        return false;
    struct stat top {};
    if (lstat(path.constData(), &top) != 0)
        return false;
    if (!S_ISDIR(top.st_mode))
        return true; // a file or a link: nothing to change
    bool ok = true;
    std::set<std::pair<dev_t, ino_t>> seen;
    std::vector<DIR*> levels; // the open listings, deepest last
    if (DIR* first = openOwnFolder(AT_FDCWD, path.constData(), uid, seen, ok))
        levels.push_back(first);
    while (!levels.empty()) {
        DIR* listing = levels.back();
        const dirent* entry = readdir(listing);
        if (!entry) {
            closedir(listing);
            levels.pop_back();
            continue;
        }
        const char* name = entry->d_name;
        if ((name[0] == '.' && name[1] == '\0') || (name[0] == '.' && name[1] == '.' && name[2] == '\0'))
            continue;
        if (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN)
            continue;
        struct stat info {};
        if (fstatat(dirfd(listing), name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(info.st_mode))
            continue;
        if (int(levels.size()) > kMaximumDepth) {
            ok = false;
            continue;
        }
        if (DIR* inner = openOwnFolder(dirfd(listing), name, uid, seen, ok))
            levels.push_back(inner);
    }
    return ok;
}

} // namespace platform
