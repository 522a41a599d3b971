#pragma once

#include "ProcessInfo.h"

#include <atomic>

namespace platform {

class SimulatedMac;

// This process and machine from /proc and sysconf; the OS version is the simulated Mac's.
class LinuxProcessInfo final : public ProcessInfo {
public:
    explicit LinuxProcessInfo(const SimulatedMac& mac);

    QString processName() const override;
    int processIdentifier() const override;
    QString globallyUniqueString() const override;
    QString operatingSystemVersionString() const override;
    unsigned processorCount() const override;
    unsigned activeProcessorCount() const override;
    uint64_t physicalMemory() const override;

    // "Version <version> (Build <build>)", or "Version <version>" without a build.
    static QString versionString(const QString& version, const QString& build);

private:
    const SimulatedMac& mac_;
    mutable std::atomic<uint64_t> counter_{0};
};

} // namespace platform
