#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace platform {

// Empties a folder by descriptors without ever leaving the file system it is on. A folder that is
// a mount point, or that holds one, or whose parent is a mount point, is refused before anything
// is removed: its mount id (statx) differs from its parent's, its parent's from the grandparent's,
// or the mount table names its parent or a mount point at or below it. A mount that appears
// during the walk is never entered and stays with what it holds. Links are removed as links;
// nothing is reached by a path; any depth is emptied.
class FolderEmptier {
public:
    enum class Outcome { Emptied, Missing, Refused, Incomplete };
    struct Result {
        Outcome outcome = Outcome::Refused;
        QString reason; // one line, for a refusal or what stayed
    };
    // The mount table as /proc/self/mountinfo gives it; none when it cannot be read.
    using TableReader = std::function<std::optional<QByteArray>()>;

    explicit FolderEmptier(TableReader readTable = ownMountTable);
    static std::optional<QByteArray> ownMountTable();

    // Empties `leaf` (one name, never followed when it is a link) inside the folder `parent`
    // (whose last component is no link either); the emptied folder stays.
    Result empty(const QString& parent, const QString& leaf) const;

private:
    TableReader readTable_;
};

} // namespace platform
