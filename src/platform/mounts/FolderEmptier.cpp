#include "FolderEmptier.h"

#include "MountInfo.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/NativePath.h"
#include "platform/files/RegularFile.h"

#include <memory>
#include <vector>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace platform {

namespace {

// Where a folder sits: its device, and its mount where the kernel tells it (a bind mount of
// the same file system has the device of its source, so the device alone cannot tell).
struct Placement {
    dev_t device = 0;
    uint64_t mount = 0;
    bool knowsMount = false;
    ino_t inode = 0;

    bool sameAs(const Placement& other) const
    {
        return device == other.device && (!knowsMount || !other.knowsMount || mount == other.mount);
    }
    bool sameFolder(const Placement& other) const { return sameAs(other) && inode == other.inode; }
};

std::optional<Placement> placementOf(int fd)
{
    struct statx info {};
    if (::statx(fd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_INO | STATX_MNT_ID, &info) == 0)
        return Placement{makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_mnt_id,
                         (info.stx_mask & STATX_MNT_ID) != 0, info.stx_ino};
    struct stat old {};
    if (::fstat(fd, &old) != 0)
        return std::nullopt;
    return Placement{old.st_dev, 0, false, old.st_ino};
}

FileDescriptor openFolder(int at, const QByteArray& name)
{
    return FileDescriptor(::openat(at, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::optional<std::vector<QByteArray>> namesIn(int folder)
{
    FileDescriptor listing(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // The stream owns the descriptor once it is made.
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(listing.isValid() ? ::fdopendir(listing.get()) : nullptr, ::closedir);
    if (!dir)
        return std::nullopt;
    listing.release();
    std::vector<QByteArray> names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.push_back(name);
    }
    return names;
}

// Empties a folder with a loop rather than recursion, so that any depth fits the stack; only the
// innermost folders stay open, so that any depth fits the descriptor limit too, and a folder
// closed on the way down is opened again from below and known again by device and inode.
class Walk {
public:
    explicit Walk(const Placement& home) : home_(home) {}

    // Removes what `root` holds; what cannot be removed stays and is noted.
    void empty(int root)
    {
        std::vector<Level> levels;
        if (!push(levels, FileDescriptor(::fcntl(root, F_DUPFD_CLOEXEC, 0)), {}))
            return;
        while (!levels.empty()) {
            Level& level = levels.back();
            if (level.names.empty()) {
                if (!leave(levels))
                    return;
                continue;
            }
            const QByteArray name = std::move(level.names.back());
            level.names.pop_back();
            struct stat info {};
            if (::fstatat(level.folder.get(), name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno != ENOENT)
                    note(QStringLiteral("an item inside could not be examined"));
            } else if (S_ISDIR(info.st_mode)) {
                push(levels, openFolder(level.folder.get(), name), name);
            } else if (::unlinkat(level.folder.get(), name.constData(), 0) != 0 && errno != ENOENT) {
                note(QStringLiteral("an item inside could not be removed"));
            }
        }
    }

    const QString& problem() const { return problem_; }

private:
    static constexpr std::size_t kOpenLevels = 32;

    struct Level {
        FileDescriptor folder; // none while closed on the way down
        Placement placement;
        QByteArray name; // in the folder above
        std::vector<QByteArray> names; // still to remove
    };

    // Starts on a folder on the walk's mount; false when it cannot be.
    bool push(std::vector<Level>& levels, FileDescriptor folder, const QByteArray& name)
    {
        const auto placement = folder.isValid() ? placementOf(folder.get()) : std::nullopt;
        if (!placement) {
            note(QStringLiteral("a folder inside could not be opened"));
            return false;
        }
        if (!placement->sameAs(home_)) {
            note(QStringLiteral("another file system is mounted inside the folder and was left as it is"));
            return false;
        }
        auto names = namesIn(folder.get());
        if (!names) {
            note(QStringLiteral("a folder inside could not be read"));
            return false;
        }
        levels.push_back({std::move(folder), *placement, name, std::move(*names)});
        if (levels.size() > kOpenLevels)
            levels[levels.size() - 1 - kOpenLevels].folder.reset();
        return true;
    }

    // Goes back up from an emptied folder and removes it; false when the walk must stop
    // because the folder above is not the one it came from.
    bool leave(std::vector<Level>& levels)
    {
        Level done = std::move(levels.back());
        levels.pop_back();
        if (levels.empty())
            return true;
        Level& above = levels.back();
        if (!above.folder.isValid()) {
            above.folder = openFolder(done.folder.get(), "..");
            const auto placement = above.folder.isValid() ? placementOf(above.folder.get()) : std::nullopt;
            if (!placement || !placement->sameFolder(above.placement)) {
                note(QStringLiteral("the folder changed while it was emptied; the rest was left as it is"));
                return false;
            }
        }
        if (::unlinkat(above.folder.get(), done.name.constData(), AT_REMOVEDIR) != 0 && errno != ENOENT)
            note(QStringLiteral("an item inside could not be removed"));
        return true;
    }

    void note(const QString& problem)
    {
        if (problem_.isEmpty())
            problem_ = problem;
    }

    Placement home_;
    QString problem_;
};

const QString kHolderMounted =
    QStringLiteral("the folder that holds it is the mount point of another file system; nothing was removed");

FolderEmptier::Result refused(const QString& reason)
{
    return {FolderEmptier::Outcome::Refused, reason};
}

// The mount table's verdict on the folder at `path` inside `above`: none when no mount point lies
// at or below it, nor at `above` (unless that is the root, always one).
std::optional<QString> mountProblem(const QList<MountInfoEntry>& mounts, const QString& above, const QString& path)
{
    const QString inside = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
    for (const MountInfoEntry& entry : mounts) {
        if (entry.mountPoint == above && above != QLatin1String("/"))
            return kHolderMounted;
        if (entry.mountPoint == path)
            return QStringLiteral("its folder is the mount point of another file system; nothing was removed");
        if (entry.mountPoint.startsWith(inside))
            return QStringLiteral("another file system is mounted inside its folder; nothing was removed");
    }
    return std::nullopt;
}

// The folder's path as the kernel names it, the way the mount table does.
std::optional<QString> kernelPath(int fd)
{
    char target[4096];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length <= 0 || std::size_t(length) >= sizeof target || target[0] != '/')
        return std::nullopt;
    return pathFromNative(QByteArray(target, int(length)));
}

} // namespace

FolderEmptier::FolderEmptier(TableReader readTable) : readTable_(std::move(readTable)) {}

std::optional<QByteArray> FolderEmptier::ownMountTable()
{
    return readRegularFile(QStringLiteral("/proc/self/mountinfo"), qsizetype(64) << 20);
}

FolderEmptier::Result FolderEmptier::empty(const QString& parent, const QString& leaf) const
{
    const QByteArray name = nativeFromPath(leaf);
    if (name.isEmpty() || name.contains('/') || name == "." || name == "..")
        return refused(QStringLiteral("its folder has no usable name"));
    const FileDescriptor above(::open(nativeFromPath(parent).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!above.isValid())
        return errno == ENOENT ? Result{Outcome::Missing, {}} : refused(QStringLiteral("the folder that holds it cannot be opened"));
    const FileDescriptor folder = openFolder(above.get(), name);
    if (!folder.isValid() && errno == ENOENT)
        return {Outcome::Missing, {}};
    if (!folder.isValid())
        return refused(errno == ELOOP || errno == ENOTDIR ? QStringLiteral("its folder is a link or no folder")
                                                        : QStringLiteral("its folder cannot be opened"));
    // The folder that holds it may be a mount of a real folder too, whose contents would go.
    const FileDescriptor outer = openFolder(above.get(), "..");
    const auto outerPlacement = outer.isValid() ? placementOf(outer.get()) : std::nullopt;
    const auto abovePlacement = placementOf(above.get());
    const auto placement = placementOf(folder.get());
    if (!outerPlacement || !abovePlacement || !placement)
        return refused(QStringLiteral("its folder cannot be examined"));
    if (!abovePlacement->sameAs(*outerPlacement))
        return refused(kHolderMounted);
    if (!placement->sameAs(*abovePlacement))
        return refused(QStringLiteral("its folder is the mount point of another file system; nothing was removed"));
    const auto table = readTable_ ? readTable_() : std::nullopt;
    const auto path = kernelPath(folder.get());
    const auto abovePath = kernelPath(above.get());
    if (!table || !path || !abovePath)
        return refused(QStringLiteral("the mount table cannot be read; nothing was removed"));
    if (const auto problem = mountProblem(parseMountInfo(*table), *abovePath, *path))
        return refused(*problem);
    Walk walk(*placement);
    walk.empty(folder.get());
    if (!walk.problem().isEmpty())
        return {Outcome::Incomplete, walk.problem()};
    return {Outcome::Emptied, {}};
}

} // namespace platform
