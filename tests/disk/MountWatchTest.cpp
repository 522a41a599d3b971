#include "disk/DiskManagerViewController.h"
#include "disk/EnumerationGuard.h"
#include "disk/WatchMountUnmount.h"

#include "ScriptedDiskutil.h"

#include "platform/mounts/LinuxMountWatch.h"

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "WorkspaceFakes.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

using MountWatchTest = test::PlatformTest;

TEST_F(MountWatchTest, AReplacedVolumeStateReachesTheTabAsAMountAndAnUnmount)
{
    EnumerationGuard::shared().clear();
    auto* workspace = test::install<test::FakeWorkspace>(platform->workspace);
    auto* diskutil = test::install<ScriptedDiskutil>(platform->commandRunner);
    const QString folder = test::makeTemporaryFolder(QStringLiteral("mounts"));
    const QString state = folder + QStringLiteral("/Volumes.plist");
    const auto replaceState = [&](const QStringList& points) {
        QVariantList volumes;
        for (const QString& point : points)
            volumes.append(QVariantMap{{"MountPoint", point}});
        ASSERT_TRUE(platform->propertyLists->writeToFile(QVariantMap{{"Volumes", volumes}}, state + ".new"));
        ASSERT_TRUE(std::rename(QFile::encodeName(state + ".new").constData(), QFile::encodeName(state).constData()) == 0);
    };
    replaceState({"/", "/Volumes/Backup"});
    QStringList heard;
    auto observe = [&](const QString& name) {
        return workspace->notificationCenter().addObserver(this, name, nullptr, [&heard](const platform::Notification& n) {
            heard << n.name.mid(11) + ' ' + n.userInfo.value(platform::kNSDevicePath).toString();
        });
    };
    const auto mounted = observe(platform::NSWorkspaceDidMountNotification);
    const auto unmounted = observe(platform::NSWorkspaceDidUnmountNotification);
    DiskManagerViewController tab; // rebuilds on either
    tab.view();

    // The platform's watch: the tab keeps its inventory by its generation.
    platform->mountWatch = std::make_unique<platform::LinuxMountWatch>(
        platform::LinuxMountWatch::Settings{folder + "/no-mountinfo", state,
                                            [&](const QString& path) { return platform->propertyLists->propertyListFromFile(path); }},
        platform->dispatcher, platform::Sibling<platform::NotificationCenter>([&] { return &workspace->notificationCenter(); }));
    const platform::MountWatch& watch = *platform->mountWatch;
    // Each change is told against the one before it, the second and third too.
    const char* states[][2] = {{"/Volumes/Stick", "/Volumes/Backup"}, {"/Volumes/Card", "/Volumes/Stick"},
                               {"/Volumes/Backup", "/Volumes/Card"}};
    for (const auto& [mountedNow, unmountedNow] : states) {
        const uint64_t generation = watch.generation();
        replaceState({"/", mountedNow});
        const QDeadlineTimer deadline(10000);
        while (platform.dispatcher().pendingMain() == 0 && !deadline.hasExpired())
            QThread::msleep(5); // the watch's own thread answers the file system's report
        platform.dispatcher().drainAll();
        heard.sort();
        EXPECT_EQ(heard, QStringList({QString("DidMountNotification ") + mountedNow, QString("DidUnmountNotification ") + unmountedNow}));
        EXPECT_NE(watch.generation(), generation);
        heard.clear();
        EXPECT_EQ(diskutil->callsOf("list").size(), 1) << "one enumeration: the second notification met the guard";
        platform.dispatcher().advance(std::chrono::milliseconds(1000)); // the guard's second, and the build after it
        platform.dispatcher().drainAll();
        diskutil->calls.clear();
    }
}
