#pragma once

#include "KernelValues.h"

#include <QString>

namespace platform {

class SimulatedMac;

// What Linux has, for real: page and memory size (sysconf), OS type and release (uname), the
// processor's name and clock (/proc/cpuinfo, cpufreq). What only a Mac has comes from the
// simulated Mac: the model (TAVRIN_MAC_MODEL, else the state "Mac" entry "Model", else a
// laptop) and the OS build (its "BuildVersion", else the kernel's version text).
class LinuxKernelValues final : public KernelValues {
public:
    explicit LinuxKernelValues(const SimulatedMac& mac, QString procRoot = QStringLiteral("/proc"),
                               QString sysRoot = QStringLiteral("/sys"));

    std::optional<QByteArray> value(const QByteArray& name) override;

    static constexpr const char* kDefaultModel = "MacBookPro15,1";

private:
    QByteArray model() const;
    QByteArray buildVersion() const;
    std::optional<uint64_t> cpuFrequency() const;

    const SimulatedMac& mac_;
    QString procRoot_;
    QString sysRoot_;
};

} // namespace platform
