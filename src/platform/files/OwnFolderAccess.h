#pragma once

#include "FileIdentity.h"
#include "FileManager.h"
#include "ItemLocation.h"

#include <QByteArray>
#include <QString>

namespace platform {

// Gives the owner read, write and search on every folder at or below an item that the user owns,
// so that the owner can empty it. Links are never followed; files and links keep their modes. It
// stays on the item's own file system and mount: an item that is a mount point or a protected
// folder, or holds one or a folder of another file system, is refused whole (no rights would
// remove it), and nothing there is changed. A folder reached twice is visited once, and nothing
// deeper than `kMaximumDepth` is changed.
class OwnFolderAccess {
public:
    static constexpr int kMaximumDepth = 256;

    using Result = FolderAccess;
    using Outcome = FolderAccess::Outcome;

    // The item at a location, reached from its root one checked folder at a time, for this user.
    static Result grant(const ItemLocation& location, const ProtectedFolders& protectedFolders);
};

} // namespace platform
