#pragma once

#include <QByteArray>

namespace platform {

// Gives the owner read, write and search on every folder at or below `path` that `uid` owns,
// so that the owner can empty it. Links are never followed; files and links keep their modes.
// A folder reached twice is visited once, and nothing deeper than `kMaximumDepth` is changed.
// False when a folder could not be opened, changed or read.
class OwnFolderAccess {
public:
    static constexpr int kMaximumDepth = 256;
    static bool grant(const QByteArray& path, unsigned uid);
};

} // namespace platform
