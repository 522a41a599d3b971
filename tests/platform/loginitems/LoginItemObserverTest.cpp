#include "LoginItemFixture.h"
#include "ProcessEvents.h"

using LoginItemObserverTest = LoginItemFixture;

TEST_F(LoginItemObserverTest, AnOutsideChangeIsReportedOnce)
{
    int calls = 0;
    auto observation = list_.addObserver([&] { ++calls; });
    list_.checkForChanges();
    EXPECT_EQ(calls, 0);

    writeEntry(QStringLiteral("outside.desktop"), "[Desktop Entry]\nExec=sh\n");
    list_.checkForChanges();
    EXPECT_EQ(calls, 1);
    list_.checkForChanges();
    EXPECT_EQ(calls, 1);

    // A rewrite in place, with the same size, counts as a change too.
    writeEntry(QStringLiteral("outside.desktop"), "[Desktop Entry]\nExec=ls\n");
    list_.checkForChanges();
    EXPECT_EQ(calls, 2);

    // Files that are no entries do not.
    writeEntry(QStringLiteral("notes.txt"), "x");
    list_.checkForChanges();
    EXPECT_EQ(calls, 2);

    QFile::remove(folder_ + QStringLiteral("/outside.desktop"));
    list_.checkForChanges();
    EXPECT_EQ(calls, 3);
}

TEST_F(LoginItemObserverTest, TheFolderWatchDeliversChangesThroughTheEventLoop)
{
    int calls = 0;
    auto observation = list_.addObserver([&] { ++calls; });
    ASSERT_TRUE(QDir(folder_).exists());

    writeEntry(QStringLiteral("outside.desktop"), "[Desktop Entry]\nExec=sh\n");
    EXPECT_TRUE(processEventsUntil([&] { return calls > 0; }));

    const int before = calls;
    const QString bundle = makeBundle(QStringLiteral("Mine.app"), QStringLiteral("Mine"));
    ASSERT_TRUE(insert(bundle));
    EXPECT_TRUE(processEventsUntil([&] { return calls > before; }));
}

TEST_F(LoginItemObserverTest, ObservationsEndWithTheirOwners)
{
    int first = 0;
    int second = 0;
    auto keep = list_.addObserver([&] { ++first; });
    {
        auto ended = list_.addObserver([&] { ++second; });
    }
    writeEntry(QStringLiteral("one.desktop"), "[Desktop Entry]\nExec=sh\n");
    list_.checkForChanges();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);

    // An observer may end its own observation while it is being told.
    std::unique_ptr<platform::LoginItemList::Observation> self;
    int selfCalls = 0;
    self = list_.addObserver([&] {
        ++selfCalls;
        self.reset();
    });
    writeEntry(QStringLiteral("two.desktop"), "[Desktop Entry]\nExec=sh\n");
    list_.checkForChanges();
    writeEntry(QStringLiteral("three.desktop"), "[Desktop Entry]\nExec=sh\n");
    list_.checkForChanges();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(first, 3);
}

TEST_F(LoginItemObserverTest, AnObservationMayOutliveItsList)
{
    std::unique_ptr<platform::LoginItemList::Observation> observation;
    {
        platform::XdgLoginItemList shortLived(folder_, plists_);
        observation = shortLived.addObserver([] {});
    }
    observation.reset();
    SUCCEED();
}
