#pragma once

#include "Trash.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <sys/types.h>

namespace platform {

class SearchPaths;

// The freedesktop Trash: `$XDG_DATA_HOME/Trash` for the home volume, `.Trash-$uid` at the top of
// any other mounted volume, each with `files/` and `info/*.trashinfo`. Emptying also clears the
// simulated Mac's Trash folders. Names are bytes throughout; no link is ever followed.
class FreedesktopTrash final : public Trash {
public:
    struct Settings {
        QString homeTrash;
        // The mount points, asked at every request (tests give folders of their own).
        std::function<QList<QByteArray>()> mountPoints;
        // Folders whose contents an emptying removes as they are (no files/ and info/).
        std::function<QStringList()> plainTrashes;
        uid_t uid = 0;
        // Whose an entry is; by default its owner on disk.
        std::function<uid_t(const QByteArray& path, uid_t owner)> ownerOf;
    };

    explicit FreedesktopTrash(Settings settings);
    // The real user's Trash folders, this machine's mounts and the simulated Mac's Trash folders.
    static Settings defaultSettings(const SearchPaths& searchPaths);
    // The mount points listed in a mountinfo text.
    static QList<QByteArray> mountPointsFromMountInfo(const QByteArray& mountInfo);

    bool recycleItemAtPath(const QString& path) override;
    TrashEmptying emptyTrash() override;

private:
    // The Trash folder for an item: the home one, or that of the item's volume.
    QByteArray trashFolderFor(const QByteArray& item, QByteArray* topFolder) const;
    void emptyContents(const QByteArray& folder, TrashEmptying& result) const;

    Settings settings_;
};

} // namespace platform
