#include "PosixFileManager.h"

#include "NativePath.h"
#include "OwnFolderAccess.h"
#include "PosixFileCatalog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::size_t kBatchSize = 40;

// A folder being removed: its listing, the subfolders of the last batch still to remove, and
// whether anything in it was removed and it was read a second time.
struct Level {
    Level(FSRef item, std::unique_ptr<FSIterator> listing)
        : folder(std::move(item)), iterator(std::move(listing)) {}
    FSRef folder;
    std::unique_ptr<FSIterator> iterator;
    std::vector<FSRef> subfolders;
    bool listed = false;
    bool removedSome = false;
    bool readAgain = false;
};

} // namespace

PosixFileManager::PosixFileManager() : PosixFileManager(std::make_unique<PosixFileCatalog>()) {}

PosixFileManager::PosixFileManager(std::unique_ptr<FileCatalog> catalog) : catalog_(std::move(catalog)) {}

PosixFileManager::~PosixFileManager() = default;

bool PosixFileManager::fileExistsAtPath(const QString& path) const
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool PosixFileManager::removeItemAtPath(const QString& path) const
{
    FSRef item;
    if (catalog_->pathMakeRef(path, &item) != noErr)
        return false;
    std::unique_ptr<FSIterator> iterator;
    const OSErr opened = catalog_->openIterator(item, &iterator);
    if (opened == errFSNotAFolder) // a file or a link, never what it leads to
        return catalog_->deleteObject(item) == noErr;
    if (opened != noErr)
        return false;

    bool removedAll = true;
    const auto settle = [&removedAll](Level& level, OSErr status) {
        if (status == noErr)
            level.removedSome = true;
        else if (status != fnfErr) // gone already is as good as removed
            removedAll = false;
    };
    FSRef refs[kBatchSize];
    FSCatalogInfo infos[kBatchSize];
    std::vector<Level> levels;
    levels.emplace_back(std::move(item), std::move(iterator));
    // A loop, not recursion, over a catalog that keeps few folders open: any depth is removed.
    while (!levels.empty()) {
        Level& level = levels.back();
        if (!level.subfolders.empty()) {
            FSRef folder = std::move(level.subfolders.back());
            level.subfolders.pop_back();
            std::unique_ptr<FSIterator> inner;
            const OSErr status = catalog_->openIterator(folder, &inner);
            if (status == noErr)
                levels.emplace_back(std::move(folder), std::move(inner));
            else // replaced by a link or a file since it was listed: removed as what it is now
                settle(level, status == errFSNotAFolder ? catalog_->deleteObject(folder) : status);
            continue;
        }
        if (!level.listed) {
            std::size_t count = 0;
            const OSErr status =
                level.iterator->getCatalogInfoBulk(kBatchSize, &count, kFSCatInfoNodeFlags, infos, refs);
            for (std::size_t i = 0; i < count && i < kBatchSize; ++i) {
                if (infos[i].nodeFlags & kFSNodeIsDirectoryMask)
                    level.subfolders.push_back(std::move(refs[i]));
                else
                    settle(level, catalog_->deleteObject(refs[i]));
            }
            if (status != noErr) {
                level.listed = true;
                if (status != errFSNoMoreItems)
                    removedAll = false;
            }
            continue;
        }
        level.iterator.reset(); // leaving the folder, which reopens its parent if it was closed
        const OSErr status = catalog_->deleteObject(level.folder);
        // Some file systems skip entries removed while their folder is read: read it once more.
        if (status == fBsyErr && level.removedSome && !level.readAgain
            && catalog_->openIterator(level.folder, &level.iterator) == noErr) {
            level.listed = false;
            level.readAgain = true;
            continue;
        }
        levels.pop_back();
        if (levels.empty())
            return removedAll && status == noErr;
        settle(levels.back(), status);
    }
    return false;
}

bool PosixFileManager::createDirectoryAtPath(const QString& path) const
{
    return QDir().mkpath(path);
}

bool PosixFileManager::createFileAtPath(const QString& path, const QByteArray& contents) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(contents);
    return file.commit();
}

std::optional<QStringList> PosixFileManager::contentsOfDirectoryAtPath(const QString& path) const
{
    const QByteArray native = nativeFromPath(path);
    if (native.isEmpty() || native.contains('\0'))
        return std::nullopt;
    DIR* folder = opendir(native.constData());
    if (!folder)
        return std::nullopt;
    QStringList names;
    while (const dirent* entry = readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << pathFromNative(name);
    }
    closedir(folder);
    return names;
}

std::optional<FileAttributes> PosixFileManager::attributesOfItemAtPath(const QString& path, bool traverseLink) const
{
    const QByteArray native = nativeFromPath(path);
    if (native.isEmpty() || native.contains('\0'))
        return std::nullopt;
    struct statx info {};
    const int flags = traverseLink ? 0 : AT_SYMLINK_NOFOLLOW;
    if (statx(AT_FDCWD, native.constData(), flags, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
        return std::nullopt;
    FileAttributes attributes;
    if (S_ISREG(info.stx_mode))
        attributes.fileType = FileAttributes::Type::Regular;
    else if (S_ISDIR(info.stx_mode))
        attributes.fileType = FileAttributes::Type::Directory;
    else if (S_ISLNK(info.stx_mode))
        attributes.fileType = FileAttributes::Type::SymbolicLink;
    attributes.fileSystemNumber = (uint64_t(info.stx_dev_major) << 32) | info.stx_dev_minor;
    attributes.fileSystemFileNumber = info.stx_ino;
    const statx_timestamp& time = (info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_mtime;
    attributes.fileCreationDate = QDateTime::fromMSecsSinceEpoch(time.tv_sec * 1000 + time.tv_nsec / 1000000);
    return attributes;
}

bool PosixFileManager::addOwnerPermissionsToOwnFolders(const QString& path) const
{
    return OwnFolderAccess::grant(nativeFromPath(path), getuid());
}

} // namespace platform
