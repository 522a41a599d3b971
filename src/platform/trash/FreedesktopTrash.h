#pragma once

#include "Trash.h"
#include "TrashFolderSearch.h"

#include "platform/Sibling.h"
#include "platform/files/FileDescriptor.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <sys/types.h>

namespace platform {

class FileManager;
class SearchPaths;

// The freedesktop Trash: `$XDG_DATA_HOME/Trash` for the home volume; on any other mounted volume
// `$topdir/.Trash/$uid` where an administrator made a shared `$topdir/.Trash` (a folder with the
// sticky bit, not a link), else `$topdir/.Trash-$uid`, each a folder of the user's own (0700,
// not a link), with `files/` and `info/*.trashinfo`. Names are bytes throughout; no link is
// ever followed, and items are reached by descriptor.
// An item (by path, or by `ItemLocation` through `CheckedWalk`, where a swapped folder fails it)
// that is a mount point or holds one is refused before any Trash folder is looked for or made
// (its mount id and device against its parent's, and the mount table). The `.trashinfo` is made
// exclusively first and the item moved from its parent's descriptor with RENAME_NOREPLACE, never
// across volumes, so depth does not matter; its name is the item's own or "name.2", "name.3", ...,
// cut at a character's start where the record's name would pass 255 bytes; Path keeps the whole
// original path, percent-encoded from the bytes (relative on another volume).
// Emptying reads the mount table once and looks for the user's Trash folders of all mounts on up
// to eight threads of its own with a 3-second deadline (a mount that does not answer is left out
// and logged). It removes the user's own entries of `files/` and `info/` (a record stays while
// its item does) and of the simulated Mac's `~/.Trash` and `/Volumes/*/.Trashes`, by location,
// never a protected folder the caller passes; a Trash folder on another mount than its parent is
// left whole; other users' entries stay; failures are counted and logged. Emptying may run on a
// pool thread. The mount list, the per-mount look and the owner test are replaceable for tests.
class FreedesktopTrash final : public Trash {
public:
    struct Settings {
        QString homeTrash;
        // The mount points, read once per request (tests give folders of their own).
        std::function<QList<QByteArray>()> mountPoints;
        // The simulated Mac's home and volumes folder: their Trash folders (`.Trash` in the home,
        // `.Trashes` in each volume) are emptied as they are, with no files/ and info/.
        QString macHome;
        QString volumes;
        uid_t uid = 0;
        // Whose an entry is; by default its owner on disk.
        std::function<uid_t(const QByteArray& path, uid_t owner)> ownerOf;
        // The user's Trash folders on one mount (by default `userTrashesOn`); it may block.
        TrashFolderSearch::LookUp trashesOn;
        // How long an emptying waits for the mounts to answer.
        std::chrono::milliseconds lookUpDeadline{3000};
        // What removes the entries when emptying.
        Sibling<FileManager> fileManager;
    };

    explicit FreedesktopTrash(Settings settings);
    // The real user's Trash folders, this machine's mounts and the simulated Mac's Trash folders.
    static Settings defaultSettings(const SearchPaths& searchPaths, Sibling<FileManager> fileManager);
    // The mount points listed in a mountinfo text.
    static QList<QByteArray> mountPointsFromMountInfo(const QByteArray& mountInfo);
    // The Trash folders of `uid` at the top of a mount: `.Trash/$uid` where the shared Trash is
    // valid, and `.Trash-$uid`, each when it is a folder of the user's own and not a link.
    static QList<TrashFolder> userTrashesOn(const QByteArray& mount, uid_t uid);

    bool recycleItemAtPath(const QString& path) override;
    bool recycleItemAtLocation(const ItemLocation& location, const ProtectedFolders& protectedFolders,
                               QString* error) override;
    TrashEmptying emptyTrash(const ProtectedFolders& protectedFolders) override;

private:
    // The Trash folder for an item at `item` (its path with followed links resolved) among the
    // `mounts`, made when missing; `topFolder` is its volume's top, or empty for the home Trash.
    FileDescriptor trashFolderFor(const QByteArray& item, const QList<QByteArray>& mounts, QByteArray* path,
                                  QByteArray* topFolder) const;
    // Removes the user's entries of the folder `name` of a Trash folder (of the folder itself when
    // empty); with `records`, a record stays as long as its item in files/.
    void emptyContents(const TrashFolder& trash, const QByteArray& name, bool records,
                       const ProtectedFolders& protectedFolders, TrashEmptying& result) const;

    Settings settings_;
};

} // namespace platform
