#pragma once

#include "FileCatalog.h"
#include "FileManager.h"

#include <memory>

namespace platform {

// Whole-file operations over POSIX; a folder is removed through its catalog, entry by entry
// relative to open folders, so a link swapped in during the removal is removed as a link, and a
// folder is entered only when it is on the item's own mount: a folder of another device or
// mount, a mount point, is neither entered nor removed, and the removal answers false.
// Removal over an `ItemLocation` goes down with `CheckedWalk` (every folder's identity checked,
// links refused unless the step was recorded as following one) and removes from that
// descriptor, skipping the caller's protected folders (by identity) and refusing a protected or
// mount-point item, with the first reason for the log. `locationOfItemAtPath` records a location
// now, walking down from a root and refusing links on the way.
// `addOwnerPermissionsToOwnFolders` (`OwnFolderAccess`) gives the user u+rwx on the folders the
// user owns at and below a location: each opened O_PATH|O_NOFOLLOW and changed through its
// descriptor, never a file or a link, each once, 256 levels at most, on the item's own device
// and mount only; an item that is or holds a mount point or a protected folder is refused whole.
class PosixFileManager final : public FileManager {
public:
    PosixFileManager();
    explicit PosixFileManager(std::unique_ptr<FileCatalog> catalog);
    ~PosixFileManager() override;

    bool fileExistsAtPath(const QString& path) const override;
    bool removeItemAtPath(const QString& path) const override;
    bool removeItemAtLocation(const ItemLocation& location, const ProtectedFolders& protectedFolders,
                              QString* error) const override;
    std::optional<ItemLocation> locationOfItemAtPath(const QString& path, const QString& rootPath,
                                                     QString* error) const override;
    bool createDirectoryAtPath(const QString& path) const override;
    bool createFileAtPath(const QString& path, const QByteArray& contents) const override;
    std::optional<QStringList> contentsOfDirectoryAtPath(const QString& path) const override;
    std::optional<FileAttributes> attributesOfItemAtPath(const QString& path, bool traverseLink) const override;
    FolderAccess addOwnerPermissionsToOwnFolders(const ItemLocation& location,
                                                 const ProtectedFolders& protectedFolders) const override;

private:
    // Removes the item, staying within the bounds above; `parentDevice` is 0 when not known.
    bool removeItem(FSRef item, FileIdentity expected, uint64_t parentDevice, const ProtectedFolders& protectedFolders,
                    const QString& shownPath, QString* error) const;

    std::unique_ptr<FileCatalog> catalog_;
};

} // namespace platform
