#include "FakeNetworkStateSource.h"

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "TestPlatform.h"

#include "platform/reachability/LinuxNetworkStateSource.h"
#include "platform/reachability/RouteTable.h"
#include "platform/reachability/SerialQueue.h"
#include "platform/reachability/SourceNetworkReachability.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <netinet/in.h>
#include <sys/un.h>

using namespace platform;

namespace {

constexpr ReachabilityFlags R = kReachabilityFlagsReachable;
constexpr ReachabilityFlags l = kReachabilityFlagsIsLocalAddress;
constexpr ReachabilityFlags d = kReachabilityFlagsIsDirect;

class ReachabilityServiceTest : public testing::Test {
protected:
    test::TestPlatform platform;
    test::FakeNetworkStateSource* source = new test::FakeNetworkStateSource;
    SourceNetworkReachability service{std::unique_ptr<NetworkStateSource>(source)};
};

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
        {"8.8.8.8", R, 0},
        {"192.168.2.40", R | d, R | d},
        {"10.10.1.1", R, 0}, // its own route is down
        {"127.0.0.1", R | l | d, R | l | d},
        {"::1", R | l | d, R | l | d},
        {"fd00::5", R | d, 0},
        {"2001:db8::1", 0, 0},
        {"0.0.0.0", R, 0}, // the Internet: a default route
        {"::", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(table.flagsFor(QHostAddress(QString::fromLatin1(c.address))), c.flags);
        EXPECT_EQ(linkOnly.flagsFor(QHostAddress(QString::fromLatin1(c.address))), c.withoutDefault);
    }
    EXPECT_EQ(RouteTable::fromProcText("\n\t\n" + QByteArray(300, 'F'), "zz 40").routes().size(), 0u);
}

TEST_F(ReachabilityServiceTest, NamesAreJudgedByTheirBestAddressAndNothingWhenOffline)
{
    source->names.insert("example.test", {QHostAddress("2001:db8::1"), QHostAddress("192.168.2.9")});
    ReachabilityFlags flags = 99;
    EXPECT_TRUE(service.createWithName("example.test")->getFlags(&flags));
    EXPECT_EQ(flags, R | d);
    EXPECT_TRUE(service.createWithName("unknown.test")->getFlags(&flags));
    EXPECT_EQ(flags, 0u);
    source->disconnected = true;
    EXPECT_TRUE(service.createWithName("example.test")->getFlags(&flags));
    EXPECT_EQ(flags, 0u);

    EXPECT_EQ(service.createWithName(""), nullptr);
    sockaddr_un local{};
    local.sun_family = AF_UNIX;
    EXPECT_EQ(service.createWithAddress(reinterpret_cast<const sockaddr*>(&local)), nullptr);
    EXPECT_EQ(service.createWithAddress(nullptr), nullptr);
}

TEST_F(ReachabilityServiceTest, TheCallbackRunsOnItsQueueForChangesOnlyAndNeverAfterAStop)
{
    sockaddr_in any{};
    any.sin_family = AF_INET;
    auto ref = service.createWithAddress(reinterpret_cast<const sockaddr*>(&any));
    std::vector<ReachabilityFlags> seen;
    SerialQueue queue(QStringLiteral("test"));
    ref->setCallback([&](ReachabilityFlags flags) { seen.push_back(flags); });
    ref->setDispatchQueue(&queue);
    EXPECT_EQ(source->handlerSets, 1);
    platform.dispatcher().drainAll();
    EXPECT_TRUE(seen.empty()); // the starting point is no change

    source->change(test::kIpv4Routes); // same routes
    source->change(test::kIpv4LinkOnly);
    EXPECT_TRUE(seen.empty()); // nothing runs before the queue does
    platform.dispatcher().drainAll();
    source->change(test::kIpv4Routes);
    platform.dispatcher().drainAll();
    EXPECT_EQ(seen, (std::vector<ReachabilityFlags>{0, R}));

    source->change(test::kIpv4LinkOnly); // queued, then stopped before it runs
    ref->setCallback({});
    EXPECT_FALSE(source->handler);
    platform.dispatcher().drainAll();
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(ReachabilityServiceTest, TheKernelRouteListsAreComparedOnATimerWhileWatched)
{
    const QString folder = test::makeTemporaryFolder();
    LinuxNetworkStateSource::Settings settings{folder + "/route", folder + "/ipv6_route", false, std::chrono::seconds(2)};
    ASSERT_TRUE(test::writeFile(settings.ipv4Routes, test::kIpv4Routes));
    LinuxNetworkStateSource kernel(settings);
    EXPECT_EQ(kernel.routes().flagsFor(QHostAddress("8.8.8.8")), R);
    EXPECT_EQ(kernel.addressesOf("192.0.2.7"), QList<QHostAddress>{QHostAddress("192.0.2.7")});
    EXPECT_FALSE(kernel.isDisconnected());

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
