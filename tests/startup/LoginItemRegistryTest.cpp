#include "startup/QLLoginItemRegistry.h"
#include "startup/SystemEventsLoginItems.h"

#include "LoginItemsFixture.h"

#include "platform/appleevents/AppleEventSender.h"
#include "platform/loginitems/FileURL.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Passes events on to the platform's System Events, or answers them itself as a test says.
class SystemEventsInTheMiddle : public AppleEventSender {
public:
    explicit SystemEventsInTheMiddle(std::unique_ptr<AppleEventSender> inner) : inner_(std::move(inner)) {}

    OSErr GetNextProcess(ProcessSerialNumber& psn, OSType& signature) override
    {
        return inner_->GetNextProcess(psn, signature);
    }
    OSErr LaunchApplicationWithCreator(OSType creator, ProcessSerialNumber& psn) override
    {
        return inner_->LaunchApplicationWithCreator(creator, psn);
    }
    OSErr AESend(const AppleEvent& event, AppleEvent& reply, AESendMode mode, long timeoutTicks) override
    {
        ++sends;
        if (timeOuts > 0) {
            --timeOuts;
            return errAETimeout;
        }
        if (beforeSend)
            beforeSend(event);
        return inner_->AESend(event, reply, mode, timeoutTicks);
    }

    int sends = 0;
    int timeOuts = 0;
    std::function<void(const AppleEvent&)> beforeSend;

private:
    std::unique_ptr<AppleEventSender> inner_;
};

class LoginItemRegistryTest : public LoginItemsFixture {
protected:
    LoginItemRegistryTest()
    {
        auto middle = std::make_unique<SystemEventsInTheMiddle>(std::move(platform->appleEvents));
        events = middle.get();
        platform->appleEvents = std::move(middle);
        previousSleeper_ =
            QLLoginItemRegistry::setSleeper([this](std::chrono::seconds time) { sleeps << int(time.count()); });
    }
    ~LoginItemRegistryTest() override { QLLoginItemRegistry::setSleeper(previousSleeper_); }

    QList<QUrl> urls()
    {
        QList<QUrl> result;
        for (const QVariantMap& item : QLLoginItemRegistry::allLoginItems().value_or(QList<QVariantMap>{}))
            result << item.value("URL").toUrl();
        return result;
    }
    QStringList logged() { return platform.log().messages(); }

    SystemEventsInTheMiddle* events = nullptr;
    QList<int> sleeps;

private:
    QLLoginItemRegistry::Sleeper previousSleeper_;
};

} // namespace

TEST_F(LoginItemRegistryTest, AddsListsAndRemovesThroughSystemEventsWhateverThePath)
{
    const QString bundle = makeBundle("Demo");
    // Blanks, quotes, "%", a newline and non-ASCII letters, more than 1023 bytes in all.
    const QString hostile = test::placeFile(base + '/' + QString(250, 'l') + '/' + QString(250, 'o') + '/' + QString(250, 'n')
                                     + "/Quote\"d 100%20 $(x)\nÜ.txt");
    for (const QString& path : {bundle, hostile})
        EXPECT_TRUE(QLLoginItemRegistry::addLoginItemWithPath(path, false)) << qPrintable(path);
    const QList<QUrl> expected{fileURLFromPath(bundle, true), fileURLFromPath(hostile)};
    ASSERT_EQ(urls(), expected);
    EXPECT_EQ(pathFromFileURL(expected[1]), hostile);
    EXPECT_EQ(QLLoginItemRegistry::indexForLoginItemWithPath(hostile), 1);
    // Another spelling of the same path finds the item its clean spelling added.
    EXPECT_EQ(QLLoginItemRegistry::indexForLoginItemWithPath(base + "//Applications/./Demo.app"), 0);
    EXPECT_EQ(QLLoginItemRegistry::indexForLoginItemWithPath(base + "/other"), -1);

    EXPECT_FALSE(QLLoginItemRegistry::addLoginItemWithPath(base + "/missing.app", false));
    EXPECT_FALSE(QLLoginItemRegistry::removeLoginItemAtIndex(2));
    EXPECT_FALSE(QLLoginItemRegistry::removeLoginItemWithPath(base + "/other"));
    EXPECT_TRUE(QLLoginItemRegistry::removeLoginItemWithPath(bundle));
    EXPECT_EQ(urls(), QList<QUrl>{expected[1]});
    EXPECT_TRUE(QLLoginItemRegistry::removeLoginItemAtIndex(0));
    EXPECT_EQ(urls(), QList<QUrl>{});
    EXPECT_EQ(logged(), QStringList({"Couldn't add login item error -43", "Couldn't remove login item error -1728"}));
}

TEST_F(LoginItemRegistryTest, ListingWaitsThroughTimeOutsUpToItsAttempts)
{
    struct Case {
        int timeOuts;
        bool listed;
        int sends;
        int sleeps;
    };
    for (const Case& c : {Case{0, true, 1, 0}, Case{2, true, 3, 2}, Case{60, true, 61, 60}, Case{61, false, 61, 60},
                          Case{500, false, 61, 60}}) {
        events->sends = 0;
        events->timeOuts = c.timeOuts;
        sleeps.clear();
        const int logBefore = int(logged().size());
        EXPECT_EQ(QLLoginItemRegistry::allLoginItems().has_value(), c.listed) << c.timeOuts;
        EXPECT_EQ(events->sends, c.sends) << c.timeOuts;
        EXPECT_EQ(sleeps, QList<int>(c.sleeps, 1)) << c.timeOuts;
        const QStringList lines = logged().mid(logBefore);
        EXPECT_EQ(lines.count("Get login items error -1712 occur."), c.sleeps);
        EXPECT_EQ(lines.contains("Get login items error -1712 and timeout."), !c.listed);
    }
}

TEST_F(LoginItemRegistryTest, RemovingByPathLeavesTheListAloneWhenThePositionChangedMeanwhile)
{
    const QString first = test::placeFile(base + "/first.txt");
    const QString second = test::placeFile(base + "/second.txt");
    ASSERT_TRUE(QLLoginItemRegistry::addLoginItemWithPath(first, false));
    ASSERT_TRUE(QLLoginItemRegistry::addLoginItemWithPath(second, false));
    // Another program's entry lands before them between the look-up and the removal.
    int lists = 0;
    events->beforeSend = [&](const AppleEvent& event) {
        if (event.eventID == fourCharCode("getd") && ++lists == 2)
            writeEntry(autostart, "aaa-other.desktop", first);
    };
    EXPECT_FALSE(QLLoginItemRegistry::removeLoginItemWithPath(second));
    EXPECT_EQ(urls(), QList<QUrl>({fileURLFromPath(first), fileURLFromPath(first), fileURLFromPath(second)}));
}
