#pragma once

#include <cstddef>
#include <cstdint>

// The 80-byte record exchanged with the SMC driver. The 32-bit fields are in host order; the
// key and the type are four ASCII characters packed with the first in the most significant
// byte.
struct SMCKeyRecord {
    uint32_t key;
    uint8_t reserved[24];   // version and power limits: zero on input, not read
    uint32_t dataSize;      // bytes of data: output of command 9, input of command 5
    uint32_t dataType;      // output of command 9
    uint8_t dataAttributes; // output of command 9; not read
    uint8_t alignment[3];
    uint8_t result;         // the SMC's own answer: 0 when the key was read, else why not
    uint8_t status;
    uint8_t command;        // 9 reads the key's information, 5 its bytes
    uint8_t padding[5];
    char bytes[32];         // output of command 5
};

static_assert(sizeof(SMCKeyRecord) == 80);
static_assert(offsetof(SMCKeyRecord, key) == 0);
static_assert(offsetof(SMCKeyRecord, dataSize) == 28);
static_assert(offsetof(SMCKeyRecord, dataType) == 32);
static_assert(offsetof(SMCKeyRecord, result) == 40);
static_assert(offsetof(SMCKeyRecord, command) == 42);
static_assert(offsetof(SMCKeyRecord, bytes) == 48);
