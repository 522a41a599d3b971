#include "platform/kernel/CpuInfo.h"
#include "platform/kernel/LinuxKernelValues.h"
#include "platform/simulated/SimulatedMac.h"

#include "IsolatedEnvironment.h"
#include "ProbeFakes.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;

namespace {

// A kernel value read the way the probes read one: its size first, then into that much room.
std::optional<QByteArray> read(KernelValues& kernel, const char* name)
{
    std::size_t size = 0;
    if (kernel.sysctlbyname(name, nullptr, &size) != 0)
        return std::nullopt;
    QByteArray value(qsizetype(size), '\x55');
    if (kernel.sysctlbyname(name, value.data(), &size) != 0)
        return std::nullopt;
    return value;
}

template <typename Integer>
Integer integer(const std::optional<QByteArray>& bytes)
{
    Integer value{};
    EXPECT_TRUE(bytes && bytes->size() == sizeof value);
    if (bytes && bytes->size() == sizeof value)
        std::memcpy(&value, bytes->constData(), sizeof value);
    return value;
}

} // namespace

TEST(KernelValuesTest, SizeQueriesAndBuffers)
{
    test::FakeKernelValues kernel;
    kernel.setText("hw.model", "Macmini8,1");
    std::size_t size = 0;
    ASSERT_EQ(kernel.sysctlbyname("hw.model", nullptr, &size), 0);
    EXPECT_EQ(size, 11u); // with its terminating zero
    char room[11] = {'x'};
    EXPECT_EQ(kernel.sysctlbyname("hw.model", room, &(size = 10)), ENOMEM);
    EXPECT_EQ(room[0], 'x'); // nothing copied
    ASSERT_EQ(kernel.sysctlbyname("hw.model", room, &(size = 11)), 0);
    EXPECT_STREQ(room, "Macmini8,1");
    EXPECT_EQ(kernel.sysctlbyname("hw.nothing", nullptr, &size), ENOENT);
    EXPECT_EQ(kernel.sysctlbyname("hw.model", room, nullptr), EINVAL);
}

TEST(KernelValuesTest, LinuxAnswersWhatItHas)
{
    const QString folder = test::makeTemporaryFolder();
    SimulatedMac mac(folder + "/data", folder + "/root");
    LinuxKernelValues kernel(mac, test::fixturePath("proc/before"), folder + "/sys");
    // Without any state: the default model, and the kernel's own build text.
    EXPECT_EQ(read(kernel, "hw.model"), QByteArray("MacBookPro15,1", 15));
    EXPECT_EQ(read(kernel, "kern.osversion").value_or("").back(), '\0');
    const auto pageSize = uint64_t(sysconf(_SC_PAGESIZE));
    EXPECT_EQ(integer<int64_t>(read(kernel, "hw.memsize")), int64_t(uint64_t(sysconf(_SC_PHYS_PAGES)) * pageSize));
    EXPECT_EQ(read(kernel, "kern.ostype"), QByteArray("Linux", 6));
    EXPECT_EQ(read(kernel, "machdep.cpu.brand_string"), QByteArray("AMD EPYC", 9));
    EXPECT_EQ(integer<uint32_t>(read(kernel, "hw.cpufrequency")), 2596128000u);
    EXPECT_FALSE(read(kernel, "hw.optional.avx512f"));
    // cpufreq's nominal clock comes first; one past 32 bits saturates.
    const QString maximum = folder + "/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq";
    QDir().mkpath(QFileInfo(maximum).path());
    for (const auto& [khz, hz] : {std::pair{"3200000\n", 3200000000u}, {"4500000\n", UINT32_MAX}}) {
        ASSERT_TRUE(test::writeFile(maximum, khz));
        EXPECT_EQ(integer<uint32_t>(read(kernel, "hw.cpufrequency")), hz);
    }
    // The model follows the environment, else the Mac's state, at every request.
    qputenv("TAVRIN_MAC_MODEL", "Macmini8,1");
    EXPECT_EQ(read(kernel, "hw.model"), QByteArray("Macmini8,1", 11));
    qunsetenv("TAVRIN_MAC_MODEL");
    mac.setStateValue("Mac", "Model", "iMac19,1");
    EXPECT_EQ(read(kernel, "hw.model"), QByteArray("iMac19,1", 9));
    LinuxKernelValues bare(mac, folder, folder);
    EXPECT_FALSE(read(bare, "machdep.cpu.brand_string"));
    EXPECT_FALSE(read(bare, "hw.cpufrequency"));
}

TEST(KernelValuesTest, CpuInfoTexts)
{
    EXPECT_EQ(cpuBrandString("processor\t: 0\nmodel name\t: Intel(R) Core(TM) i7 CPU @ 2.60GHz\n"), "Intel(R) Core(TM) i7 CPU @ 2.60GHz");
    EXPECT_EQ(cpuBrandString("Processor\t: AArch64 Processor rev 4\nprocessor\t: 0\n"), "AArch64 Processor rev 4");
    EXPECT_EQ(cpuBrandString("model name\t:\nProcessor\t: ARMv7\n"), "ARMv7");
    EXPECT_FALSE(cpuBrandString("processor\t: 0\nBogoMIPS\t: 48.00\n"));
    EXPECT_EQ(cpuFrequencyFromCpuInfo("cpu MHz\t\t: 800.000\n"), 800000000u);
    EXPECT_EQ(cpuFrequencyFromKilohertz("2600000\n"), 2600000000u);
    for (const char* bad : {"cpu MHz\t\t: fast\n", "cpu MHz\t\t: -5\n"})
        EXPECT_FALSE(cpuFrequencyFromCpuInfo(bad)) << bad;
    for (const char* bad : {"0", ""})
        EXPECT_FALSE(cpuFrequencyFromKilohertz(bad)) << bad;
}
