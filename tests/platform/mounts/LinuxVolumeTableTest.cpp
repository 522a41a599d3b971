#include "platform/mounts/LinuxVolumeTable.h"

#include "IsolatedEnvironment.h"
#include "PlatformTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <future>

#include <gtest/gtest.h>

using LinuxVolumeTableTest = test::PlatformTest;

// A mount that never answers is given no sizes and logged; it is not asked again while its first
// question is open, and every other mount is measured. A changed table is read again.
TEST_F(LinuxVolumeTableTest, AMountThatDoesNotAnswerIsShownWithoutSizes)
{
    // The dead mount's thread stays blocked until the end of the test.
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    const auto askedDead = std::make_shared<std::atomic<int>>(0);
    const auto measure = [released, askedDead](const QByteArray& path) -> std::optional<platform::MountSizer::Sizes> {
        if (path.endsWith("/dead"))
            ++*askedDead, released.wait();
        return platform::MountSizer::Sizes{4096, uint64_t(path.size())};
    };
    const QString mountinfo = test::makeTemporaryFolder() + "/mountinfo";
    const QByteArray table = "21 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                             "40 21 0:50 / /run/user/1000/dead rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
                             "41 21 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n";
    ASSERT_TRUE(test::writeFile(mountinfo, table));
    {
        platform::LinuxVolumeTable volumes(platform->commandRunner, mountinfo, "/nonexistent", std::chrono::milliseconds(50), measure);
        platform::VolumeEntry entry;
        for (int pass = 0; pass < 2; ++pass) {
            ASSERT_EQ(volumes.volumeInfo(2, &entry), platform::noErr);
            EXPECT_EQ(std::pair(entry.rootPath, entry.totalBytes), std::pair(QString("/run/user/1000/dead"), uint64_t(0)));
            ASSERT_EQ(volumes.volumeInfo(3, &entry), platform::noErr);
            EXPECT_EQ(entry.freeBytes, uint64_t(QByteArray("/media/stick").size()));
        }
        EXPECT_EQ(*askedDead, 1);
        EXPECT_TRUE(platform.log().messages().contains(
            "The volume at /run/user/1000/dead did not answer within 50 ms; it is shown without its sizes"));
        ASSERT_TRUE(test::writeFile(mountinfo, table + "42 21 8:33 / /media/card rw - exfat /dev/sdc1 rw\n"));
        EXPECT_EQ(volumes.volumeInfo(4, &entry), platform::noErr);
        EXPECT_EQ(entry.rootPath, "/media/card");
        EXPECT_EQ(volumes.volumeInfo(5, &entry), platform::nsvErr);
    }
    release.set_value();
}

// From /sys: a partition is media but not whole, its disk is whole, an "sr" drive is a CD.
TEST_F(LinuxVolumeTableTest, TheMediaOfADeviceComeFromItsFolderAndItsDisks)
{
    const QString sys = test::makeTemporaryFolder("sys");
    for (const char* file : {"devices/usb/sdb/dev", "devices/usb/sdb/sdb1/dev", "devices/usb/sdb/sdb1/partition",
                             "devices/ata/sr0/dev"})
        ASSERT_TRUE(QDir().mkpath(QFileInfo(sys + "/" + file).path()) && test::writeFile(sys + "/" + file, "1"));
    QDir().mkpath(sys + "/class/block");
    for (const char* link : {"usb/sdb/sdb1", "usb/sdb", "ata/sr0"})
        QFile::link(sys + "/devices/" + link, sys + "/class/block/" + QFileInfo(link).fileName());
    const platform::LinuxVolumeTable volumes(platform->commandRunner, "/nonexistent", sys + "/class/block");
    const auto described = [&](const QString& name) {
        std::vector<platform::MediaObject> objects;
        QStringList seen{QString::number(volumes.mediaObjects(name, &objects))};
        for (const auto& object : objects)
            seen << object.classes.join('+') + (object.whole.value_or(false) ? " whole" : "");
        return seen;
    };
    EXPECT_EQ(described("sdb1"), QStringList({"0", "IOMedia", "IOMedia whole"}));
    EXPECT_EQ(described("sr0"), QStringList({"0", "IOMedia+IOCDMedia whole"}));
    for (const char* none : {"sdz", "", "../sdb"})
        EXPECT_EQ(described(none), QStringList({QString::number(platform::kIOReturnNoDevice)})) << none;
}
