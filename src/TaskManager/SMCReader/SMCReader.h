#pragma once

#include "SMCKeyRecord.h"
#include "SMCValue.h"

#include "platform/smc/SmcConnection.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

// Reads keys of the system management controller through its driver's user client.
class SMCReader {
public:
    // Opens the connection; when that fails, "Unable to open SMC." is logged and every read
    // fails.
    explicit SMCReader(platform::SmcConnection& smc);
    ~SMCReader();
    SMCReader(const SMCReader&) = delete;
    SMCReader& operator=(const SMCReader&) = delete;

    // The process's reader on the installed platform's SMC, made on first use. Main thread only.
    static SMCReader& sharedReader();

    bool SMCOpen();
    void SMCClose();
    // The driver's struct call with the selector `index`.
    platform::kern_return_t SMCCall(uint32_t index, const SMCKeyRecord& input, SMCKeyRecord& output);
    // Reads the information and then the bytes of a four-character key. Returns the kernel's
    // code (0 for success); the SMC's own result byte is not looked at.
    platform::kern_return_t SMCReadKey(QByteArrayView key, SMCValue& value);
    // The key's value text; "" and false when the read fails.
    bool readKey(QByteArrayView key, QString& text);
    // The key's value text as a decimal number (whatever the user's locale), nothing when the
    // text is not one; 0 and false when the read fails.
    bool readKey(QByteArrayView key, std::optional<double>& number);

    // The value text of `size` data bytes of type `type`, ending in one space, or "" when no
    // row of the value table matches. At most 14 characters.
    static QByteArray getStringRepresentation(QByteArrayView bytes, uint32_t size, QByteArrayView type);
    // The first `count` bytes packed big-endian into 32 bits (only the last four can count);
    // 0 for a count below 1. `base` does not change the packing.
    static uint32_t _strtoul(const char* bytes, int count, int base);
    // The four bytes of `value`, most significant first, and a terminating zero.
    static void _ultostr(char* text, uint32_t value);

    static constexpr uint32_t kKernelIndexSmc = 2;
    static constexpr uint8_t kSMCReadKeyInfo = 9;
    static constexpr uint8_t kSMCReadBytes = 5;
    static constexpr uint8_t kSMCSuccess = 0;

private:
    bool connectionAlive() const;

    platform::SmcConnection& smc_;
    std::weak_ptr<const void> smcLifetime_;
    platform::io_connect_t conn_ = 0;
    bool open_ = false;
};
