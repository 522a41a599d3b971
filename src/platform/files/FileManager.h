#pragma once

#include "FileIdentity.h"
#include "ItemLocation.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace platform {

// What `attributesOfItemAtPath` tells of one item.
struct FileAttributes {
    enum class Type { Regular, Directory, SymbolicLink, Other };
    Type fileType = Type::Other;
    uint64_t fileSystemNumber = 0;     // device
    uint64_t fileSystemFileNumber = 0; // inode
    QDateTime fileCreationDate;        // the modification date where the file system keeps none

    FileIdentity identity() const { return {fileSystemNumber, fileSystemFileNumber}; }
};

// What adding the owner's rights to an item's folders did.
struct FolderAccess {
    enum class Outcome { Granted, Failed, Refused };
    Outcome outcome = Outcome::Granted;
    QString reason; // the first, for the log
};

// Whole-file operations of `NSFileManager`.
class FileManager {
public:
    virtual ~FileManager() = default;
    // Whether something is at the path; a link counts as itself, whether or not it leads anywhere.
    virtual bool fileExistsAtPath(const QString& path) const = 0;
    // Removes a file or link, or a folder with everything in it, never following a link. A folder
    // on another file system or mount inside it is neither entered nor removed (then false).
    virtual bool removeItemAtPath(const QString& path) const = 0;
    // The same for the item at a location, reached from its root one checked folder at a time
    // (the item itself checked too when its identity is known). Never removes nor enters a mount
    // point, a folder of another file system, or a folder of `protectedFolders`: what stays makes
    // the removal fail, with the first reason in `error`, as does a location that no longer checks.
    virtual bool removeItemAtLocation(const ItemLocation& location, const ProtectedFolders& protectedFolders,
                                      QString* error) const = 0;
    // Where the item at `path` below the folder `rootPath` is now (see CheckedWalk::capture);
    // nothing, with the reason in `error`, when it cannot be reached without a link on the way.
    virtual std::optional<ItemLocation> locationOfItemAtPath(const QString& path, const QString& rootPath,
                                                             QString* error) const = 0;
    // Makes the folder and the folders above it that are missing.
    virtual bool createDirectoryAtPath(const QString& path) const = 0;
    // Writes a new file or replaces one, in one step.
    virtual bool createFileAtPath(const QString& path, const QByteArray& contents) const = 0;
    // The names in a folder, one level; nothing when it cannot be read.
    virtual std::optional<QStringList> contentsOfDirectoryAtPath(const QString& path) const = 0;
    // The item itself (a link as a link), or with `traverseLink` what a link leads to.
    virtual std::optional<FileAttributes> attributesOfItemAtPath(const QString& path, bool traverseLink) const = 0;
    // Adds read, write and search for the owner to every folder at or below the item at a location
    // that this user owns, never following a link, on the item's own file system; files and links
    // stay as they are. An item that is a mount point or protected, or holds one or another file
    // system, is refused whole and nothing changes.
    virtual FolderAccess addOwnerPermissionsToOwnFolders(const ItemLocation& location,
                                                         const ProtectedFolders& protectedFolders) const = 0;
};

} // namespace platform
