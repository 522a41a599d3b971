#include "platform/process/LinuxProcessInfo.h"
#include "platform/simulated/SimulatedMac.h"

#include "TestPlatform.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <unistd.h>

using platform::LinuxProcessInfo;

TEST(ProcessInfoTest, VersionIsTheSimulatedMacsProcessAndMachineAreThisOnes)
{
    test::TestPlatform platform;
    const LinuxProcessInfo info(*platform->simulatedMac);
    EXPECT_EQ(info.operatingSystemVersionString(), QStringLiteral("Version 10.15.7 (Build 19H2026)"));

    platform->simulatedMac->setStateValue(QStringLiteral("Mac"), QStringLiteral("BuildVersion"), QStringLiteral("17G14042"));
    qputenv("TAVRIN_OS_VERSION", "10.13.6");
    EXPECT_EQ(info.operatingSystemVersionString(), QStringLiteral("Version 10.13.6 (Build 17G14042)"));
    qunsetenv("TAVRIN_OS_VERSION");

    EXPECT_EQ(LinuxProcessInfo::versionString(QStringLiteral("11.2"), QString()), QStringLiteral("Version 11.2"));

    EXPECT_EQ(info.processIdentifier(), int(getpid()));
    EXPECT_EQ(info.processName(), QStringLiteral("tests_platform_process"));
    EXPECT_GE(info.processorCount(), info.activeProcessorCount());
    EXPECT_GE(info.activeProcessorCount(), 1u);

    // The kernel's own count of memory, read another way.
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    ASSERT_TRUE(meminfo.open(QIODevice::ReadOnly));
    const QRegularExpression total(QStringLiteral("^MemTotal:\\s+(\\d+) kB"), QRegularExpression::MultilineOption);
    const auto match = total.match(QString::fromLatin1(meminfo.readAll()));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(info.physicalMemory(), match.captured(1).toULongLong() * 1024);
}

TEST(ProcessInfoTest, UniqueStringsAreUnique)
{
    test::TestPlatform platform;
    const LinuxProcessInfo info(*platform->simulatedMac);
    const QRegularExpression form(QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}-%1-[0-9A-F]{16}$").arg(getpid()));
    QSet<QString> seen;
    for (int i = 0; i < 1000; ++i) {
        const QString text = info.globallyUniqueString();
        ASSERT_TRUE(form.match(text).hasMatch()) << qPrintable(text);
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 1000);
}
