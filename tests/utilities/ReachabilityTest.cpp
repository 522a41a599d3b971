#include "../platform/reachability/FakeNetworkStateSource.h"

#include "Reachability.h"

#include "ManualDispatcher.h"
#include "TestPlatform.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/reachability/SourceNetworkReachability.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace platform;

namespace {

class ReachabilityTest : public testing::Test {
protected:
    ReachabilityTest()
    {
        platform->reachability = std::make_unique<SourceNetworkReachability>(std::unique_ptr<NetworkStateSource>(source));
    }
    // Starts notifications and records what reaches the blocks and the main queue.
    void watch(Reachability& reachability)
    {
        reachability.setReachableBlock([this](Reachability*) { calls << QStringLiteral("reachable"); });
        reachability.setUnreachableBlock([this](Reachability*) { calls << QStringLiteral("unreachable"); });
        reachability.setReachabilityBlock(
            [this](Reachability*, ReachabilityFlags flags) { calls << QStringLiteral("flags %1").arg(flags); });
        EXPECT_TRUE(reachability.startNotifier());
        platform.dispatcher().drainAll();
    }

    test::TestPlatform platform;
    test::FakeNetworkStateSource* source = new test::FakeNetworkStateSource;
    QStringList calls;
    int posted = 0;
    Observation observation = NotificationCenter::defaultCenter().addObserver(
        this, kReachabilityChangedNotification, nullptr, [this](const Notification&) { ++posted; });
};

} // namespace

TEST_F(ReachabilityTest, FlagsDecideReachabilityAndTheirText)
{
    constexpr ReachabilityFlags R = kReachabilityFlagsReachable, c = kReachabilityFlagsConnectionRequired,
                                t = kReachabilityFlagsTransientConnection;
    struct Case {
        ReachabilityFlags flags;
        bool reachable;
        const char* text;
    } cases[] = {
        {R, true, "XR -------"},
        {R | c | t, false, "XR ct-----"},
        {R | c, true, "XR c------"},
        {R | t, true, "XR -t-----"},
        {0, false, "X- -------"},
        {0xFFFFFFFF, false, "XR ctiCDld"},
        {kReachabilityFlagsIsLocalAddress | kReachabilityFlagsIsDirect, false, "X- -----ld"},
    };
    const auto reachability = Reachability::reachabilityForInternetConnection();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(reachability->isReachableWithFlags(c.flags), c.reachable);
        EXPECT_EQ(Reachability::flagsText(c.flags), QString::fromLatin1(c.text));
    }
}

TEST_F(ReachabilityTest, TheInternetAndLinkLocalTargetsFollowTheRoutes)
{
    auto internet = Reachability::reachabilityForInternetConnection();
    ASSERT_NE(internet, nullptr);
    EXPECT_TRUE(internet->isReachable());
    EXPECT_EQ(internet->currentReachabilityStatus(), Reachability::ReachableViaWiFi);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^<Reachability: 0x[0-9a-f]+ \\(XR -------\\)>$"))
                    .match(internet->description()).hasMatch());
    source->change(test::kIpv4LinkOnly);
    EXPECT_EQ(internet->currentReachabilityStatus(), Reachability::NotReachable);
    EXPECT_FALSE(Reachability::reachabilityForLocalWiFi()->isReachable());
    EXPECT_EQ(Reachability::reachabilityWithHostname(QString()), nullptr);
}

TEST_F(ReachabilityTest, ChangesRunTheBlocksOnTheQueueAndPostOnTheMainQueue)
{
    auto reachability = Reachability::reachabilityWithHostName(QStringLiteral("example.test"));
    source->names.insert("example.test", {QHostAddress("8.8.8.8")});
    watch(*reachability);
    EXPECT_TRUE(reachability->startNotifier());
    EXPECT_EQ(source->handlerSets, 1); // started once

    source->change(test::kIpv4LinkOnly);
    platform.dispatcher().drainGlobal();
    EXPECT_EQ(calls, QStringList({"unreachable", "flags 0"}));
    EXPECT_EQ(posted, 0);
    platform.dispatcher().drainMain();
    EXPECT_EQ(posted, 1);

    source->change(test::kIpv4Routes);
    platform.dispatcher().drainAll();
    EXPECT_EQ(calls.mid(2), QStringList({"reachable", "flags 2"}));
    EXPECT_EQ(posted, 2);

    reachability->stopNotifier();
    source->change(test::kIpv4LinkOnly);
    platform.dispatcher().drainAll();
    EXPECT_EQ(calls.size(), 4);
}

TEST_F(ReachabilityTest, AGoneReachabilityRunsNoBlockAndPostsNothing)
{
    auto reachability = Reachability::reachabilityForInternetConnection();
    watch(*reachability);
    source->change(test::kIpv4LinkOnly); // a change waiting on the queue
    reachability.reset();
    EXPECT_FALSE(source->handler);
    platform.dispatcher().drainAll();
    EXPECT_TRUE(calls.isEmpty());

    reachability = Reachability::reachabilityForInternetConnection();
    watch(*reachability);
    source->change(test::kIpv4Routes);
    platform.dispatcher().drainGlobal(); // the blocks ran; the notice waits for the main queue
    reachability.reset();
    platform.dispatcher().drainMain();
    EXPECT_EQ(calls.size(), 2);
    EXPECT_EQ(posted, 0);
}
