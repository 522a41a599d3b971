#include "platform/process/LinuxProcessInfo.h"
#include "platform/simulated/SimulatedMac.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <unistd.h>

using platform::LinuxProcessInfo;

TEST(ProcessInfoTest, VersionIsTheSimulatedMacsAndUniqueStringsAreUnique)
{
    test::TestPlatform platform;
    const LinuxProcessInfo info(*platform->simulatedMac);
    EXPECT_EQ(info.operatingSystemVersionString(), "Version 10.15.7 (Build 19H2026)");
    platform->simulatedMac->setStateValue("Mac", "BuildVersion", "17G14042");
    qputenv("TAVRIN_OS_VERSION", "10.13.6");
    EXPECT_EQ(info.operatingSystemVersionString(), "Version 10.13.6 (Build 17G14042)");
    qunsetenv("TAVRIN_OS_VERSION");
    EXPECT_EQ(LinuxProcessInfo::versionString("11.2", QString()), "Version 11.2");
    EXPECT_EQ(info.processName(), "tests_platform_process");
    // The kernel's own count of memory, read another way.
    const auto total = QRegularExpression("^MemTotal:\\s+(\\d+) kB", QRegularExpression::MultilineOption)
                           .match(QString::fromLatin1(test::readFile("/proc/meminfo")));
    EXPECT_EQ(info.physicalMemory(), total.captured(1).toULongLong() * 1024);
    const QRegularExpression form(QString("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}-%1-[0-9A-F]{16}$").arg(getpid()));
    QSet<QString> seen;
    for (int i = 0; i < 1000; ++i) {
        const QString text = info.globallyUniqueString();
        ASSERT_TRUE(form.match(text).hasMatch()) << qPrintable(text);
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 1000);
}
