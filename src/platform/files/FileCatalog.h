#pragma once

#include "FileDescriptor.h"
#include "FileIdentity.h"
#include "platform/MacTypes.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

namespace platform {

constexpr OSErr ioErr = -36;
constexpr OSErr fnfErr = -43;
constexpr OSErr fBsyErr = -47;
constexpr OSErr memFullErr = -108;
constexpr OSErr errFSNotAFolder = -1407;
constexpr OSErr errFSNoMoreItems = -1417;
constexpr OSErr afpAccessDenied = -5000;

using FSCatalogInfoBitmap = uint32_t;
constexpr FSCatalogInfoBitmap kFSCatInfoNodeFlags = 0x00000002;
constexpr FSCatalogInfoBitmap kFSCatInfoVolume = 0x00000004;
constexpr FSCatalogInfoBitmap kFSCatInfoNodeID = 0x00000010;
constexpr FSCatalogInfoBitmap kFSCatInfoDataSizes = 0x00004000;
constexpr FSCatalogInfoBitmap kFSCatInfoRsrcSizes = 0x00008000;
constexpr FSCatalogInfoBitmap kFSCatInfoGettableInfo = 0x0003ffff;

constexpr uint16_t kFSNodeIsDirectoryMask = 0x0010;

struct FSCatalogInfo {
    uint16_t nodeFlags = 0;
    uint64_t dataLogicalSize = 0;
    uint64_t dataPhysicalSize = 0;
    uint64_t rsrcLogicalSize = 0;
    uint64_t rsrcPhysicalSize = 0;
    // The device and the inode. Zero for a folder that a listing found without looking at it:
    // its iterator tells its identity.
    uint64_t volume = 0;
    uint64_t nodeID = 0;

    FileIdentity identity() const { return {volume, nodeID}; }
};

// The mount a folder is on, where the kernel tells it.
struct MountPlace {
    uint64_t mountId = 0; // 0: not told
    bool isMountRoot = false;
};

// Whatever keeps a folder reachable while references into it exist (on Linux a descriptor that
// is closed when too many are open and reopened when needed). Each catalog defines its own.
class FolderAnchor {
public:
    virtual ~FolderAnchor() = default;
};

// A reference to one file or folder: the folder that holds it and its name there. Names are
// bytes, as the file system keeps them.
class FSRef {
public:
    FSRef() = default;
    FSRef(std::shared_ptr<FolderAnchor> parent, QByteArray name)
        : parent_(std::move(parent)), name_(std::move(name)) {}

    // Points at another entry, in place: the name's buffer is reused while nothing else holds it,
    // so a walk that reads names into the same references allocates nothing per entry.
    void reset(const std::shared_ptr<FolderAnchor>& parent, const char* name)
    {
        if (parent_ != parent)
            parent_ = parent;
        const auto length = std::strlen(name);
        name_.resize(qsizetype(length));
        std::memcpy(name_.data(), name, length);
    }

    const std::shared_ptr<FolderAnchor>& parent() const { return parent_; }
    const QByteArray& name() const { return name_; }
    bool isValid() const { return !name_.isEmpty(); }

private:
    std::shared_ptr<FolderAnchor> parent_;
    QByteArray name_;
};

// A flat iterator over one folder's entries. A walk goes back up fastest when it drops a folder's
// iterator as it leaves the folder.
class FSIterator {
public:
    virtual ~FSIterator() = default;
    // Fills up to `maximumObjects` entries of both arrays (either may be null) and sets
    // `actualObjects`. Gives errFSNoMoreItems with the last entries (possibly none) at the end.
    virtual OSErr getCatalogInfoBulk(std::size_t maximumObjects, std::size_t* actualObjects,
                                     FSCatalogInfoBitmap whichInfo, FSCatalogInfo* infos,
                                     FSRef* refs) = 0;
    // The folder listed, as it was when the iterator opened it.
    virtual FileIdentity folderIdentity() const = 0;
    // Its mount, asked of the kernel now; nothing when it cannot tell.
    virtual std::optional<MountPlace> mountPlace() const = 0;
};

// File Manager catalog access. Symbolic links are reported as the links themselves and never
// followed into. Any number of folders may be open at once: the catalog keeps a few descriptors
// and reopens the others by name when they are used again.
class FileCatalog {
public:
    virtual ~FileCatalog() = default;
    virtual OSErr pathMakeRef(const QString& path, FSRef* ref) const = 0;
    // errFSNotAFolder when the reference is not a folder.
    virtual OSErr openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const = 0;
    virtual OSErr getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap whichInfo,
                                 FSCatalogInfo* info) const = 0;
    // Deletes a file, a link (never what it leads to) or an empty folder; fBsyErr when the folder
    // is not empty.
    virtual OSErr deleteObject(const FSRef& ref) const = 0;
    // A reference to the entry `name` of a folder open at `folder`, which the catalog keeps open
    // while references into it live. ioErr from a catalog that cannot take descriptors.
    virtual OSErr makeRefInFolder(FileDescriptor, const QByteArray&, FSRef*) const { return ioErr; }
};

} // namespace platform
