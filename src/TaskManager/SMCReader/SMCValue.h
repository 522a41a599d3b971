#pragma once

#include <cstdint>

// A value read from the SMC: its size (at most the 32 data bytes), its four-character type
// and its bytes. All zero before a read.
struct SMCValue {
    char key[5] = {};
    uint32_t dataSize = 0;
    char dataType[5] = {};
    char bytes[32] = {};
};
