#pragma once

#include "platform/files/FileIdentity.h"

#include <QByteArray>
#include <QList>

#include <chrono>
#include <functional>

namespace platform {

// A Trash folder of the user's (the one that holds files/ and info/), as it was when found.
struct TrashFolder {
    QByteArray path;
    FileIdentity identity;
};

// Looks at many mounts at once, off the calling thread: a mount that does not answer (a network
// or FUSE mount can hold a call for minutes, or for ever) is left out once the deadline passes,
// while the others are looked at all the same. A look still running then goes on alone and its
// answer is dropped.
class TrashFolderSearch {
public:
    using LookUp = std::function<QList<TrashFolder>(const QByteArray& mount)>;
    struct Found {
        QList<TrashFolder> folders;   // in the order of the mounts
        QList<QByteArray> unanswered; // mounts left out
    };
    static Found search(const QList<QByteArray>& mounts, LookUp lookUp, std::chrono::milliseconds deadline);
};

} // namespace platform
