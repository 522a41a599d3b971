#include "../platform/reachability/FakeNetworkStateSource.h"

#include "utilities/Reachability.h"

#include "ManualDispatcher.h"
#include "TestPlatform.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/reachability/SourceNetworkReachability.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class ReachabilityTest : public testing::Test {
protected:
    test::FakeNetworkStateSource* installSource()
    {
        auto* fake = new test::FakeNetworkStateSource;
        platform->reachability = std::make_unique<SourceNetworkReachability>(std::unique_ptr<NetworkStateSource>(fake));
        return fake;
    }
    // Starts notifications and records what reaches the blocks.
    void watch(Reachability& reachability)
    {
        reachability.setReachableBlock([this](Reachability*) { calls << QStringLiteral("reachable"); });
        reachability.setUnreachableBlock([this](Reachability*) { calls << QStringLiteral("unreachable"); });
        reachability.setReachabilityBlock([this](Reachability*, ReachabilityFlags f) { calls << QString::number(f); });
        EXPECT_TRUE(reachability.startNotifier());
        platform.dispatcher().drainAll();
    }

    test::TestPlatform platform;
    test::FakeNetworkStateSource* source = installSource();
    std::unique_ptr<Reachability> internet = Reachability::reachabilityForInternetConnection();
    QStringList calls;
    int posted = 0;
    Observation observation = NotificationCenter::defaultCenter().addObserver(
        this, kReachabilityChangedNotification, internet.get(), [this](const Notification&) { ++posted; });
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
        {R, true, "XR -------"},  {R | c | t, false, "XR ct-----"}, {R | c, true, "XR c------"},
        {0, false, "X- -------"}, {0xFFFFFFFF, false, "XR ctiCDld"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(internet->isReachableWithFlags(c.flags), c.reachable);
        EXPECT_EQ(Reachability::flagsText(c.flags), QString::fromLatin1(c.text));
    }
    EXPECT_EQ(internet->currentReachabilityStatus(), Reachability::ReachableViaWiFi);
}

TEST_F(ReachabilityTest, ChangesRunTheBlocksOnTheQueueAndPostOnTheMainQueue)
{
    watch(*internet);
    EXPECT_TRUE(internet->startNotifier());
    EXPECT_EQ(source->handlerSets, 1); // started once

    source->change(test::kIpv4LinkOnly);
    source->change(test::kIpv4LinkOnly); // no change
    platform.dispatcher().drainGlobal();
    EXPECT_EQ(calls, QStringList({"unreachable", "0"}));
    EXPECT_EQ(posted, 0);
    platform.dispatcher().drainMain();
    EXPECT_EQ(posted, 1);

    source->change(test::kIpv4Routes);
    platform.dispatcher().drainAll();
    EXPECT_EQ(calls.mid(2), QStringList({"reachable", "2"}));
    EXPECT_EQ(posted, 2);

    internet->stopNotifier();
    source->change(test::kIpv4LinkOnly);
    platform.dispatcher().drainAll();
    EXPECT_EQ(calls.size(), 4);
}

TEST_F(ReachabilityTest, AGoneReachabilityRunsNoBlockAndPostsNothing)
{
    watch(*internet);
    source->change(test::kIpv4LinkOnly); // a change waiting on the queue
    internet.reset();
    EXPECT_FALSE(source->handler);
    platform.dispatcher().drainAll();
    EXPECT_TRUE(calls.isEmpty());
    auto host = Reachability::reachabilityWithHostname(QStringLiteral("example.test"));
    source->names.insert("example.test", {QHostAddress("8.8.8.8")});
    watch(*host);
    source->change(test::kIpv4Routes);
    platform.dispatcher().drainGlobal(); // the blocks ran; the notice waits for the main queue
    const Observation any = NotificationCenter::defaultCenter().addObserver(
        this, kReachabilityChangedNotification, nullptr, [this](const Notification&) { ++posted; });
    host.reset();
    platform.dispatcher().drainMain();
    EXPECT_EQ(calls, QStringList({"reachable", "2"}));
    EXPECT_EQ(posted, 0);
}
