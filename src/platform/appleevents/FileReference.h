#pragma once

#include "AppleEventDescriptor.h"

#include <QString>

namespace platform {

// A reference to an existing file or folder by its path, as the System Events functions take one
// (the catalog's FSRef knows its folder, not its path).
struct FileReference {
    QString path;
};

// fnfErr when nothing is at the path (a link counts as itself).
OSErr FSPathMakeRef(const QString& path, FileReference& ref);
// fnfErr when the referenced item has gone.
OSErr FSRefMakePath(const FileReference& ref, QString& path);

} // namespace platform
