#pragma once

#include "FileCatalog.h"

namespace platform {

// Over openat, fdopendir and fstatat with AT_SYMLINK_NOFOLLOW: every folder is opened relative
// to its parent's descriptor, so a walk never re-resolves paths and never follows a link.
class PosixFileCatalog final : public FileCatalog {
public:
    OSErr pathMakeRef(const QString& path, FSRef* ref) const override;
    OSErr openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const override;
    OSErr getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap whichInfo,
                         FSCatalogInfo* info) const override;
};

} // namespace platform
