#include "FakeNetworkStateSource.h"

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "TestPlatform.h"

#include "platform/reachability/LinuxNetworkStateSource.h"
#include "platform/reachability/SourceNetworkReachability.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr ReachabilityFlags R = kReachabilityFlagsReachable, l = kReachabilityFlagsIsLocalAddress,
                            d = kReachabilityFlagsIsDirect;

} // namespace

TEST(RouteTableTest, AnAddressIsJudgedByTheLongestRouteThatIsUp)
{
    const RouteTable table = RouteTable::fromProcText(test::kIpv4Routes, test::kIpv6Routes);
    const RouteTable linkOnly = RouteTable::fromProcText(test::kIpv4LinkOnly, {});
    EXPECT_EQ(table.routes().size(), 3u); // down, reject and unreadable lines left out
    struct Case {
        const char* address;
        ReachabilityFlags flags;
        ReachabilityFlags withoutDefault;
    } cases[] = {
        {"8.8.8.8", R, 0},           {"192.168.2.40", R | d, R | d}, {"10.10.1.1", R, 0}, // its route is down
        {"127.0.0.1", R | l | d, R | l | d}, {"::1", R | l | d, R | l | d}, {"fd00::5", R | d, 0},
        {"2001:db8::1", 0, 0},       {"0.0.0.0", R, 0}, /* the Internet: a default route */ {"::", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(table.flagsFor(QHostAddress(QString::fromLatin1(c.address))), c.flags);
        EXPECT_EQ(linkOnly.flagsFor(QHostAddress(QString::fromLatin1(c.address))), c.withoutDefault);
    }
}

TEST(ReachabilityServiceTest, NamesAreJudgedByTheirBestAddressAndNothingWhenOffline)
{
    test::TestPlatform platform;
    auto* source = new test::FakeNetworkStateSource;
    SourceNetworkReachability service{std::unique_ptr<NetworkStateSource>(source)};
    source->names.insert("example.test", {QHostAddress("2001:db8::1"), QHostAddress("192.168.2.9")});
    const auto flagsOf = [&](const QByteArray& name) {
        ReachabilityFlags flags = 99;
        EXPECT_TRUE(service.createWithName(name)->getFlags(&flags));
        return flags;
    };
    EXPECT_EQ(flagsOf("example.test"), R | d);
    EXPECT_EQ(flagsOf("unknown.test"), 0u);
    source->disconnected = true;
    EXPECT_EQ(flagsOf("example.test"), 0u);
    EXPECT_EQ(service.createWithName(""), nullptr);
}

TEST(ReachabilityServiceTest, TheKernelRouteListsAreComparedOnATimerWhileWatched)
{
    test::TestPlatform platform;
    const QString folder = test::makeTemporaryFolder();
    LinuxNetworkStateSource::Settings settings{folder + "/route", folder + "/ipv6_route", false, std::chrono::seconds(2)};
    ASSERT_TRUE(test::writeFile(settings.ipv4Routes, test::kIpv4Routes));
    LinuxNetworkStateSource kernel(platform->dispatcher, settings);
    EXPECT_EQ(kernel.routes().flagsFor(QHostAddress("8.8.8.8")), R);

    int changes = 0;
    kernel.setChangeHandler([&] { ++changes; });
    platform.dispatcher().advance(std::chrono::seconds(4));
    EXPECT_EQ(changes, 0);
    ASSERT_TRUE(test::writeFile(settings.ipv4Routes, test::kIpv4LinkOnly));
    platform.dispatcher().advance(std::chrono::seconds(2));
    QFile::remove(settings.ipv4Routes); // a list that cannot be read is a change too
    platform.dispatcher().advance(std::chrono::seconds(4));
    EXPECT_EQ(changes, 2);
    kernel.setChangeHandler({});
    EXPECT_EQ(platform.dispatcher().validTimers(), 0u);
}
