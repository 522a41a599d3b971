#pragma once

#include <QString>

#include <cstdint>

namespace platform {

// Facts about this process and the machine it runs on (`NSProcessInfo`).
class ProcessInfo {
public:
    virtual ~ProcessInfo() = default;

    virtual QString processName() const = 0;
    virtual int processIdentifier() const = 0;
    // A new text at every call, unique across processes and time.
    virtual QString globallyUniqueString() const = 0;
    // Such as "Version 10.15.7 (Build 19H2026)".
    virtual QString operatingSystemVersionString() const = 0;
    virtual unsigned processorCount() const = 0;
    virtual unsigned activeProcessorCount() const = 0;
    // In bytes.
    virtual uint64_t physicalMemory() const = 0;
};

} // namespace platform
