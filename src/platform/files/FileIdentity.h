#pragma once

#include <QHashFunctions>
#include <QSet>

#include <cstdint>

namespace platform {

// What tells one file or folder from every other while it exists: its device and its inode
// number, as `FileAttributes` and `FSCatalogInfo` give them. Both zero: not known.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;

    bool isKnown() const { return device != 0 || inode != 0; }
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

inline size_t qHash(const FileIdentity& identity, size_t seed = 0)
{
    return qHashMulti(seed, identity.device, identity.inode);
}

// Folders that a removal never removes nor enters, by identity rather than by name.
using ProtectedFolders = QSet<FileIdentity>;

} // namespace platform
