#pragma once

#include "FileCatalog.h"
#include "FileManager.h"

#include <memory>

namespace platform {

// Whole-file operations over POSIX; a folder is removed through its catalog, entry by entry
// relative to open folders, so a link swapped in during the removal is removed as a link, and a
// folder is entered only when it is on the item's own mount.
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
