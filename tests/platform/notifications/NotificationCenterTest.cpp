#include "platform/notifications/NotificationCenter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace platform;

namespace {

const QString kPing = "ping", kPong = "pong";

// An observer that keeps its registration as a member, as views and windows do.
struct Listener {
    explicit Listener(NotificationCenter& center, const QString& name = kPing, const void* object = nullptr)
    {
        observation = center.addObserver(this, name, object, [this](const Notification& n) { heard.push_back(n.name); });
    }
    std::vector<QString> heard;
    Observation observation;
};

} // namespace

TEST(NotificationCenterTest, NamesAndObjectsSelectTheObserversThatAreStillThere)
{
    NotificationCenter center;
    int sender = 0, otherSender = 0;
    std::make_unique<Listener>(center).reset(); // gone before anything is posted
    Listener byName(center, kPing);
    Listener byObject(center, kPing, &sender);
    Listener everything(center, QString(), nullptr);
    center.postNotificationName(kPing, &otherSender);
    center.postNotificationName(kPong, &sender);
    center.postNotificationName(kPing, &sender);
    EXPECT_EQ(byName.heard.size(), 2u);
    EXPECT_EQ(byObject.heard, std::vector<QString>{kPing});
    EXPECT_EQ(everything.heard, (std::vector<QString>{kPing, kPong, kPing}));
    EXPECT_EQ(center.observationCount(), 3);
}

TEST(NotificationCenterTest, RemovingAnObserverEndsEveryRegistrationOfIt)
{
    NotificationCenter center;
    int observer = 0, sender = 0, calls = 0;
    const auto count = [&](int n) { return [&calls, n](const Notification&) { calls += n; }; };
    Observation a = center.addObserver(&observer, kPing, nullptr, count(1));
    Observation b = center.addObserver(&observer, kPong, &sender, count(1));
    Observation other = center.addObserver(&sender, kPing, nullptr, count(10));
    center.removeObserver(&observer, kPong, nullptr);
    center.postNotificationName(kPong, &sender);
    EXPECT_EQ(calls, 0);
    center.removeObserver(&observer);
    center.postNotificationName(kPing, nullptr);
    EXPECT_EQ(calls, 10);
    EXPECT_FALSE(a.isActive());
    EXPECT_FALSE(b.isActive());
    EXPECT_TRUE(other.isActive());
}

TEST(NotificationCenterTest, ChangesDuringAPostAreSafe)
{
    NotificationCenter center;
    std::vector<int> order;
    std::unique_ptr<Listener> later;
    Observation added;
    // The first observer destroys a later one and registers a new one while the post runs.
    Observation first = center.addObserver(nullptr, kPing, nullptr, [&](const Notification&) {
        order.push_back(1);
        later.reset();
        added = center.addObserver(nullptr, kPing, nullptr, [&](const Notification&) { order.push_back(3); });
    });
    later = std::make_unique<Listener>(center);
    // This one ends its own registration from inside its callback.
    Observation* self = nullptr;
    Observation second = center.addObserver(nullptr, kPing, nullptr, [&](const Notification&) {
        order.push_back(2);
        self->reset();
    });
    self = &second;
    center.postNotificationName(kPing, nullptr);
    EXPECT_EQ(order, (std::vector<int>{1, 2})); // the destroyed one was skipped, the new one waits
    order.clear();
    first.reset();
    center.postNotificationName(kPing, nullptr);
    EXPECT_EQ(order, std::vector<int>{3});
}

TEST(NotificationCenterTest, RegistrationsMoveAndOutliveTheirCenter)
{
    int calls = 0;
    Observation kept;
    {
        NotificationCenter center;
        Observation original = center.addObserver(nullptr, kPing, nullptr, [&](const Notification&) { ++calls; });
        kept = std::move(original);
        center.postNotificationName(kPing, nullptr);
        Observation replaced = center.addObserver(nullptr, kPing, nullptr, [&](const Notification&) { calls += 100; });
        replaced = center.addObserver(nullptr, kPong, nullptr, [&](const Notification&) {});
        center.postNotificationName(kPing, nullptr); // the replaced registration ended
    }
    EXPECT_EQ(calls, 2);
    kept.reset(); // its center is gone: the sanitizer sees that nothing freed is touched
}
