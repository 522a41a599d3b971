#pragma once

#include "platform/MacTypes.h"

#include <cstdint>

namespace platform {

constexpr OSErr gestaltUndefSelectorErr = -5551;

constexpr OSType gestaltSystemVersion = fourCharCode("sysv");
constexpr OSType gestaltSystemVersionMajor = fourCharCode("sys1");
constexpr OSType gestaltSystemVersionMinor = fourCharCode("sys2");
constexpr OSType gestaltSystemVersionBugFix = fourCharCode("sys3");

// Answers the system-version selectors the way `Gestalt` does: 'sysv' is the version in
// binary-coded decimal (0x1099 once a part no longer fits a digit), 'sys1', 'sys2' and 'sys3'
// are its three parts, except that from version 11 'sys2' is 16, as a Mac answers programs built
// for 10.x.
class SystemVersionSource {
public:
    virtual ~SystemVersionSource() = default;
    virtual OSErr gestalt(OSType selector, int32_t* response) const = 0;
};

} // namespace platform
