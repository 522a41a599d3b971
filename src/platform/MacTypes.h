#pragma once

#include <cstdint>

namespace platform {

// The basic types every area's calls are written in: result codes and four-character codes.
using OSErr = int16_t;
using OSStatus = int32_t;
using OSType = uint32_t;

constexpr OSErr noErr = 0;

constexpr OSType fourCharCode(const char (&code)[5])
{
    return OSType(uint8_t(code[0])) << 24 | OSType(uint8_t(code[1])) << 16
        | OSType(uint8_t(code[2])) << 8 | OSType(uint8_t(code[3]));
}

} // namespace platform
