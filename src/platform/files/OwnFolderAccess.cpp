#include "OwnFolderAccess.h"

#include "CheckedWalk.h"
#include "FileDescriptor.h"
#include "NativePath.h"
#include "PosixIdentity.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// What the walk needs to know of one folder.
struct Folder {
    FileIdentity identity;
    uint64_t mountId = 0; // 0: not told
    bool isMountRoot = false;
    unsigned owner = 0;
    mode_t mode = 0;
};

// The folder open at `fd`; nothing when it is not a folder.
std::optional<Folder> describe(int fd)
{
    struct statx info {};
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_MNT_ID, &info) != 0 || !S_ISDIR(info.stx_mode))
        return std::nullopt;
    return Folder{identityOf(info), (info.stx_mask & STATX_MNT_ID) ? uint64_t(info.stx_mnt_id) : 0,
                  (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (info.stx_attributes & STATX_ATTR_MOUNT_ROOT),
                  info.stx_uid, mode_t(info.stx_mode & 07777)};
}

// Gone, or a file or link by now: nothing to change.
bool isNoFolder(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ELOOP;
}

class Walk {
public:
    Walk(unsigned uid, ProtectedFolders protectedFolders) : uid_(uid), protected_(std::move(protectedFolders)) {}

    OwnFolderAccess::Result run(int parent, const QByteArray& name, FileIdentity expected, const QByteArray& path)
    {
        FileDescriptor item(openat(parent, zeroTerminated(name).constData(), kFolderFlags));
        if (!item.isValid())
            return isNoFolder(errno) ? OwnFolderAccess::Result{} : failed(path, std::strerror(errno));
        const std::optional<Folder> above = describe(parent);
        const std::optional<Folder> folder = describe(item.get());
        if (!folder)
            return {};
        if (expected.isKnown() && folder->identity != expected)
            return failed(path, "changed since it was found");
        if (protected_.contains(folder->identity))
            return refused(path, "is protected");
        if (folder->isMountRoot || !above || above->identity.device != folder->identity.device)
            return refused(path, "is a mount point");
        top_ = *folder;
        enter(std::move(item), *folder, path);
        while (!levels_.empty()) {
            Level& level = levels_.back();
            const dirent* entry = readdir(level.listing.get());
            if (!entry) {
                levels_.pop_back();
                continue;
            }
            const QByteArray entryName(entry->d_name);
            if (entryName == "." || entryName == ".." || (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN))
                continue;
            const QByteArray inner = level.path + '/' + entryName;
            FileDescriptor handle(openat(dirfd(level.listing.get()), entry->d_name, kFolderFlags));
            if (!handle.isValid()) {
                if (!isNoFolder(errno))
                    failed(inner, std::strerror(errno));
                continue;
            }
            const std::optional<Folder> found = describe(handle.get());
            if (!found)
                continue;
            if (protected_.contains(found->identity))
                return refused(inner, "is protected");
            if (found->isMountRoot || found->identity.device != top_.identity.device
                || (found->mountId && top_.mountId && found->mountId != top_.mountId))
                return refused(inner, "is another file system or a mount point");
            if (int(levels_.size()) > OwnFolderAccess::kMaximumDepth)
                failed(inner, "lies too deep");
            else
                enter(std::move(handle), *found, inner);
        }
        return result_;
    }

private:
    using Listing = std::unique_ptr<DIR, int (*)(DIR*)>;
    struct Level {
        Listing listing;
        QByteArray path;
    };

    OwnFolderAccess::Result failed(const QByteArray& path, const char* why)
    {
        if (result_.outcome == OwnFolderAccess::Outcome::Granted)
            result_ = {OwnFolderAccess::Outcome::Failed, displayTextFromNative(path) + QLatin1Char(' ') + QLatin1String(why)};
        return result_;
    }

    static OwnFolderAccess::Result refused(const QByteArray& path, const char* why)
    {
        return {OwnFolderAccess::Outcome::Refused, displayTextFromNative(path) + QLatin1Char(' ') + QLatin1String(why)};
    }

    // Opens the folder to its owner when that is this user, and lists it, once.
    void enter(FileDescriptor handle, const Folder& folder, const QByteArray& path)
    {
        if (seen_.contains(folder.identity))
            return;
        seen_.insert(folder.identity);
        if (folder.owner == uid_ && (folder.mode & S_IRWXU) != S_IRWXU) {
            // The descriptor names exactly the folder checked above, even if a link took its
            // name since; a path-only descriptor is changed through its /proc name.
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(handle.get());
            if (chmod(self.constData(), folder.mode | S_IRWXU) != 0)
                failed(path, std::strerror(errno));
        }
        FileDescriptor readable(openat(handle.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        DIR* listing = readable.isValid() ? fdopendir(readable.get()) : nullptr;
        if (!listing) {
            failed(path, "could not be read");
            return;
        }
        readable.release(); // the listing owns it now
        levels_.push_back({Listing(listing, closedir), path});
    }

    const unsigned uid_;
    const ProtectedFolders protected_;
    Folder top_;
    ProtectedFolders seen_;
    std::vector<Level> levels_; // the open listings, deepest last
    OwnFolderAccess::Result result_;
};

} // namespace

OwnFolderAccess::Result OwnFolderAccess::grant(const ItemLocation& location, const ProtectedFolders& protectedFolders)
{
    QString error;
    const FileDescriptor parent = CheckedWalk::openParent(location, &error);
    if (!parent.isValid())
        return {Outcome::Failed, error};
    return Walk(getuid(), protectedFolders).run(parent.get(), location.name, location.identity, location.path());
}

} // namespace platform
