#include "PosixFileManager.h"

#include "CheckedWalk.h"
#include "NativePath.h"
#include "OwnFolderAccess.h"
#include "PosixFileCatalog.h"
#include "PosixIdentity.h"

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

// What a removal stays within: the file system and the mount of the item, outside the
// protected folders.
struct Bounds {
    uint64_t device;
    uint64_t mountId; // 0 when the kernel does not tell
    const ProtectedFolders& protectedFolders;

    // Why a folder opened on the way may be neither entered nor removed; null when it may.
    const char* refusal(const FSIterator& folder) const
    {
        const FileIdentity identity = folder.folderIdentity();
        if (protectedFolders.contains(identity))
            return "is protected";
        const std::optional<MountPlace> place = folder.mountPlace();
        if (!place || place->isMountRoot || identity.device != device || (place->mountId && mountId && place->mountId != mountId))
            return "is another file system or a mount point";
        return nullptr;
    }
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
    return removeItem(std::move(item), {}, 0, {}, path, nullptr);
}

bool PosixFileManager::removeItemAtLocation(const ItemLocation& location, const ProtectedFolders& protectedFolders,
                                            QString* error) const
{
    FileDescriptor parent = CheckedWalk::openParent(location, error);
    struct stat parentInfo {};
    if (!parent.isValid() || fstat(parent.get(), &parentInfo) != 0)
        return false;
    FSRef item;
    if (catalog_->makeRefInFolder(std::move(parent), location.name, &item) != noErr) {
        if (error)
            *error = location.displayPath() + QStringLiteral(" cannot be reached");
        return false;
    }
    return removeItem(std::move(item), location.identity, identityOf(parentInfo).device, protectedFolders,
                      location.displayPath(), error);
}

std::optional<ItemLocation> PosixFileManager::locationOfItemAtPath(const QString& path, const QString& rootPath,
                                                                   QString* error) const
{
    return CheckedWalk::capture(nativeFromPath(rootPath), nativeFromPath(path), error);
}

bool PosixFileManager::removeItem(FSRef item, FileIdentity expected, uint64_t parentDevice,
                                  const ProtectedFolders& protectedFolders, const QString& shownPath,
                                  QString* error) const
{
    const auto refuse = [&](const QString& where, const char* why) {
        if (error && error->isEmpty())
            *error = where + QLatin1Char(' ') + QLatin1String(why);
        return false;
    };
    std::unique_ptr<FSIterator> iterator;
    const OSErr opened = catalog_->openIterator(item, &iterator);
    if (opened == errFSNotAFolder) { // a file or a link, never what it leads to
        FSCatalogInfo info;
        if (expected.isKnown()
            && (catalog_->getCatalogInfo(item, kFSCatInfoVolume | kFSCatInfoNodeID, &info) != noErr || info.identity() != expected))
            return refuse(shownPath, "changed since it was found");
        return catalog_->deleteObject(item) == noErr || refuse(shownPath, "could not be removed");
    }
    if (opened != noErr)
        return refuse(shownPath, opened == fnfErr ? "is missing" : "could not be opened");
    const FileIdentity identity = iterator->folderIdentity();
    const std::optional<MountPlace> place = iterator->mountPlace();
    if (expected.isKnown() && identity != expected)
        return refuse(shownPath, "changed since it was found");
    if (protectedFolders.contains(identity))
        return refuse(shownPath, "is protected");
    if (!place || place->isMountRoot || (parentDevice && identity.device != parentDevice))
        return refuse(shownPath, "is a mount point");
    const Bounds bounds{identity.device, place->mountId, protectedFolders};

    std::vector<Level> levels;
    // Where an entry of the innermost folder is, for the log.
    const auto shown = [&](const FSRef& entry) {
        QString path = shownPath;
        for (std::size_t i = 1; i < levels.size(); ++i)
            path += QLatin1Char('/') + displayTextFromNative(levels[i].folder.name());
        return path + QLatin1Char('/') + displayTextFromNative(entry.name());
    };
    bool removedAll = true;
    const auto settle = [&](Level& level, OSErr status, const FSRef& entry) {
        if (status == noErr)
            level.removedSome = true;
        else if (status != fnfErr) // gone already is as good as removed
            removedAll = refuse(shown(entry), "could not be removed");
    };
    FSRef refs[kBatchSize];
    FSCatalogInfo infos[kBatchSize];
    levels.emplace_back(std::move(item), std::move(iterator));
    // A loop, not recursion, over a catalog that keeps few folders open: any depth is removed.
    while (!levels.empty()) {
        Level& level = levels.back();
        if (!level.subfolders.empty()) {
            FSRef folder = std::move(level.subfolders.back());
            level.subfolders.pop_back();
            std::unique_ptr<FSIterator> inner;
            const OSErr status = catalog_->openIterator(folder, &inner);
            if (status != noErr) // replaced by a link or a file since it was listed: removed as what it is now
                settle(level, status == errFSNotAFolder ? catalog_->deleteObject(folder) : status, folder);
            else if (const char* why = bounds.refusal(*inner))
                removedAll = refuse(shown(folder), why);
            else
                levels.emplace_back(std::move(folder), std::move(inner));
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
                    settle(level, catalog_->deleteObject(refs[i]), refs[i]);
            }
            if (status != noErr) {
                level.listed = true;
                if (status != errFSNoMoreItems)
                    removedAll = refuse(shown(level.folder).section(QLatin1Char('/'), 0, -2), "could not be read");
            }
            continue;
        }
        level.iterator.reset(); // leaving the folder, which reopens its parent if it was closed
        const OSErr status = catalog_->deleteObject(level.folder);
        // Some file systems skip entries removed while their folder is read: read it once more.
        if (status == fBsyErr && level.removedSome && !level.readAgain
            && catalog_->openIterator(level.folder, &level.iterator) == noErr && !bounds.refusal(*level.iterator)) {
            level.listed = false;
            level.readAgain = true;
            continue;
        }
        const FSRef folder = level.folder;
        levels.pop_back();
        if (levels.empty())
            return (status == noErr || refuse(shownPath, "could not be removed")) && removedAll;
        // A folder that kept what had to stay is no news of its own.
        if (status == noErr || !(status == fBsyErr && !removedAll))
            settle(levels.back(), status, folder);
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
    attributes.fileSystemNumber = identityOf(info).device;
    attributes.fileSystemFileNumber = identityOf(info).inode;
    const statx_timestamp& time = (info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_mtime;
    attributes.fileCreationDate = QDateTime::fromMSecsSinceEpoch(time.tv_sec * 1000 + time.tv_nsec / 1000000);
    return attributes;
}

FolderAccess PosixFileManager::addOwnerPermissionsToOwnFolders(const ItemLocation& location,
                                                             const ProtectedFolders& protectedFolders) const
{
    return OwnFolderAccess::grant(location, protectedFolders);
}

} // namespace platform
