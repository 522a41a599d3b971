#pragma once

#include "FileDescriptor.h"
#include "ItemLocation.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// Reaches an item from the root of its location one component at a time, by descriptor, so that
// nothing swapped in since the walk that found it (a link, another folder) can redirect what is
// done to it.
class CheckedWalk {
public:
    // The item's parent folder: the root opened (following a link once) and each folder opened
    // without following a link unless its step says so, every one checked against the device and
    // inode recorded. Invalid, with the reason in `error`, when one is missing, is no longer the
    // folder that was seen, or became a link.
    static FileDescriptor openParent(const ItemLocation& location, QString* error);
    // Where the item at `itemPath` is now, found by walking down from `rootPath` and recording
    // what is there. Nothing, with the reason, when the path is not below the root, a folder on
    // the way is missing or a link, or the item is missing.
    static std::optional<ItemLocation> capture(const QByteArray& rootPath, const QByteArray& itemPath,
                                               QString* error);
    // A name that stands for one entry of a folder (not empty, no slash, not "." or "..").
    static bool isEntryName(const QByteArray& name);
};

} // namespace platform
