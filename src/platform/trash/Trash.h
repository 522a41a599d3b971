#pragma once

#include "platform/files/FileIdentity.h"
#include "platform/files/ItemLocation.h"

#include <QString>

namespace platform {

// What an emptying did: entries removed, and entries that stayed although they were the user's.
struct TrashEmptying {
    int removed = 0;
    int failed = 0;
};

// The Trash (`NSWorkspaceRecycleOperation` and emptying).
class Trash {
public:
    virtual ~Trash() = default;
    // Moves the item (a link as itself) into the Trash of its volume under a name no other item
    // there has; false when it stays where it was.
    virtual bool recycleItemAtPath(const QString& path) = 0;
    // The same for the item at a location, reached from its root one checked folder at a time,
    // never an item of `protectedFolders`; false, with the reason in `error`, when it stays. A
    // Trash that cannot reach items so keeps them all.
    virtual bool recycleItemAtLocation(const ItemLocation& location, const ProtectedFolders& /*protectedFolders*/,
                                       QString* error)
    {
        if (error)
            *error = location.displayPath() + QStringLiteral(" cannot be moved to this Trash");
        return false;
    }
    // Removes the user's entries from every Trash folder, keeping the folders themselves; never an
    // item of `protectedFolders` nor anything in one.
    virtual TrashEmptying emptyTrash(const ProtectedFolders& protectedFolders) = 0;
};

} // namespace platform
