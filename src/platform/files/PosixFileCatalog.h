#pragma once

#include "FileCatalog.h"
#include "PosixFolder.h"

namespace platform {

// Over openat, getdents64 and fstatat with AT_SYMLINK_NOFOLLOW: every folder is opened relative
// to its parent's descriptor, so a walk never re-resolves paths and never follows a link. Its
// folders share a few descriptors (PosixFolder), so a walk may go to any depth.
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
