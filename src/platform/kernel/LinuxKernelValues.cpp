#include "LinuxKernelValues.h"

#include "CpuInfo.h"
#include "platform/files/RegularFile.h"
#include "platform/simulated/SimulatedMac.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <sys/utsname.h>
#include <unistd.h>

namespace platform {

namespace {

template <typename Integer>
QByteArray integerBytes(Integer value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

// A text value carries its terminating zero, as the kernel gives it.
QByteArray textBytes(const QByteArray& text)
{
    return QByteArray(text.constData(), text.size() + 1);
}

uint64_t pageSize()
{
    const long size = sysconf(_SC_PAGESIZE);
    return size > 0 ? uint64_t(size) : 4096;
}

uint64_t physicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    return pages > 0 ? uint64_t(pages) * pageSize() : 0;
}

} // namespace

LinuxKernelValues::LinuxKernelValues(const SimulatedMac& mac, QString procRoot, QString sysRoot)
    : mac_(mac)
    , procRoot_(std::move(procRoot))
    , sysRoot_(std::move(sysRoot))
{
}

std::optional<QByteArray> LinuxKernelValues::value(const QByteArray& name)
{
    if (name == "hw.pagesize")
        return integerBytes(int64_t(pageSize()));
    if (name == "hw.memsize")
        return integerBytes(int64_t(physicalMemory()));
    if (name == "hw.physmem") // a 32-bit value on the Mac, capped
        return integerBytes(int32_t(std::min<uint64_t>(physicalMemory(), INT32_MAX)));
    if (name == "hw.model")
        return textBytes(model());
    if (name == "kern.osversion")
        return textBytes(buildVersion());
    if (name == "kern.ostype" || name == "kern.osrelease") {
        utsname system{};
        if (uname(&system) != 0)
            return std::nullopt;
        return textBytes(QByteArray(name == "kern.ostype" ? system.sysname : system.release));
    }
    if (name == "machdep.cpu.brand_string") {
        const auto cpuinfo = readRegularFile(procRoot_ + QStringLiteral("/cpuinfo"));
        const auto brand = cpuinfo ? cpuBrandString(*cpuinfo) : std::nullopt;
        return brand ? std::optional(textBytes(*brand)) : std::nullopt;
    }
    if (name == "hw.cpufrequency") { // a 32-bit value in hertz, as the Mac answers it
        const auto hertz = cpuFrequency();
        return hertz ? std::optional(integerBytes(uint32_t(std::min<uint64_t>(*hertz, UINT32_MAX))))
                     : std::nullopt;
    }
    return std::nullopt;
}

QByteArray LinuxKernelValues::model() const
{
    // Read at every request, so a test or a user can turn this Mac into another.
    QByteArray model = qgetenv("TAVRIN_MAC_MODEL");
    if (model.isEmpty())
        model = mac_.stateValue(QStringLiteral("Mac"), QStringLiteral("Model")).toString().toUtf8();
    return model.isEmpty() ? QByteArray(kDefaultModel) : model;
}

QByteArray LinuxKernelValues::buildVersion() const
{
    const QByteArray build =
        mac_.stateValue(QStringLiteral("Mac"), QStringLiteral("BuildVersion")).toString().toUtf8();
    if (!build.isEmpty())
        return build;
    utsname system{};
    return uname(&system) == 0 ? QByteArray(system.version) : QByteArray();
}

std::optional<uint64_t> LinuxKernelValues::cpuFrequency() const
{
    // The nominal (highest) clock where cpufreq knows it, else the first processor's current one.
    if (const auto text = readRegularFile(sysRoot_ + QStringLiteral("/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq")))
        if (const auto hertz = cpuFrequencyFromKilohertz(*text))
            return hertz;
    const auto cpuinfo = readRegularFile(procRoot_ + QStringLiteral("/cpuinfo"));
    return cpuinfo ? cpuFrequencyFromCpuInfo(*cpuinfo) : std::nullopt;
}

} // namespace platform
