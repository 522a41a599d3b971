#include "DiskManagerViewController.h"
#include "EnumerationGuard.h"
#include "WatchMountUnmount.h"

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

    platform::LinuxMountWatch watch({folder + "/no-mountinfo", state,
                                     [&](const QString& path) { return platform->propertyLists->propertyListFromFile(path); }},
                                    platform.platform());
    replaceState({"/", "/Volumes/Stick"});
    const QDeadlineTimer deadline(10000);
    while (platform.dispatcher().pendingMain() == 0 && !deadline.hasExpired())
        QThread::msleep(5); // the watch's own thread answers the file system's report
    platform.dispatcher().drainAll();
    heard.sort();
    EXPECT_EQ(heard, QStringList({"DidMountNotification /Volumes/Stick", "DidUnmountNotification /Volumes/Backup"}));
    EXPECT_EQ(diskutil->callsOf("list").size(), 1) << "one rebuild: the second notification met the guard";
}
