#pragma once

#include "FileIdentity.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace platform {

// One encoding of the device for every source: the major number above the minor.
inline FileIdentity identityOf(const struct stat& info)
{
    return {(uint64_t(major(info.st_dev)) << 32) | minor(info.st_dev), uint64_t(info.st_ino)};
}

inline FileIdentity identityOf(const struct statx& info)
{
    return {(uint64_t(info.stx_dev_major) << 32) | info.stx_dev_minor, uint64_t(info.stx_ino)};
}

} // namespace platform
