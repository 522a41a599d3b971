#pragma once

#include "FileCatalog.h"
#include "PosixFolder.h"

namespace platform {

// Over openat, getdents64 (into one buffer per thread) and fstatat with AT_SYMLINK_NOFOLLOW:
// every folder is opened relative to its parent's descriptor, so a walk never re-resolves paths
// and never follows a link. A reference is its parent folder (`PosixFolder`) and its name.
// At most 32 folders per catalog hold a descriptor (more only while in use): the least recently
// used are closed and reopened by name from their parent (O_NOFOLLOW), only while they are still
// the same folder (device and inode), their listing resumed; a listing that ends reopens its
// parent through "..". So walks over it (folder sizes, removal, Cleanup's scan) keep their own
// stack and may go to any depth.
// A listing gives each entry's device and inode (`volume`, `nodeID`), and an iterator the
// identity of the folder it lists, seen when it was opened, and, asked, its mount (statx mount
// id and mount-root attribute). `makeRefInFolder` anchors a reference in a folder already open.
class PosixFileCatalog final : public FileCatalog {
public:
    PosixFileCatalog();
    OSErr pathMakeRef(const QString& path, FSRef* ref) const override;
    OSErr openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const override;
    OSErr getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap whichInfo,
                         FSCatalogInfo* info) const override;
    OSErr deleteObject(const FSRef& ref) const override;
    OSErr makeRefInFolder(FileDescriptor folder, const QByteArray& name, FSRef* ref) const override;

private:
    std::shared_ptr<PosixFolder::Pool> folders_;
};

} // namespace platform
