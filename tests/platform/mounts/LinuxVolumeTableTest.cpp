#include "platform/mounts/LinuxVolumeTable.h"

#include "IsolatedEnvironment.h"
#include "PlatformTest.h"

#include <QFile>

#include <condition_variable>
#include <mutex>

#include <gtest/gtest.h>

using LinuxVolumeTableTest = test::PlatformTest;

// A mount that never answers is given no sizes and logged; it is not asked again while its first
// question is open, and every other mount is measured. A changed table is read again.
TEST_F(LinuxVolumeTableTest, AMountThatDoesNotAnswerIsShownWithoutSizes)
{
    struct Gate {
        std::mutex mutex;
        std::condition_variable released;
        bool release = false;
        int askedDead = 0;
    };
    // Shared with the thread that stays blocked until the end.
    const auto gate = std::make_shared<Gate>();
    const auto measure = [gate](const QByteArray& path) -> std::optional<platform::MountSizer::Sizes> {
        if (path.endsWith("/dead")) {
            std::unique_lock lock(gate->mutex);
            ++gate->askedDead;
            gate->released.wait(lock, [&] { return gate->release; });
        }
        return platform::MountSizer::Sizes{4096, uint64_t(path.size())};
    };
    const QString mountinfo = test::makeTemporaryFolder() + "/mountinfo";
    const QByteArray table = "21 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                             "40 21 0:50 / /run/user/1000/dead rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
                             "41 21 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n";
    ASSERT_TRUE(test::writeFile(mountinfo, table));
    {
        platform::LinuxVolumeTable volumes(mountinfo, "/nonexistent", std::chrono::milliseconds(50), measure);
        platform::VolumeEntry entry;
        for (int pass = 0; pass < 2; ++pass) {
            ASSERT_EQ(volumes.volumeInfo(2, &entry), platform::noErr);
            EXPECT_EQ(std::pair(entry.rootPath, entry.totalBytes), std::pair(QString("/run/user/1000/dead"), uint64_t(0)));
            ASSERT_EQ(volumes.volumeInfo(3, &entry), platform::noErr);
            EXPECT_EQ(entry.freeBytes, uint64_t(QByteArray("/media/stick").size()));
        }
        {
            std::lock_guard lock(gate->mutex);
            EXPECT_EQ(gate->askedDead, 1);
        }
        EXPECT_TRUE(platform.log().messages().contains(
            "The volume at /run/user/1000/dead did not answer within 50 ms; it is shown without its sizes"));
        ASSERT_TRUE(test::writeFile(mountinfo, table + "42 21 8:33 / /media/card rw - exfat /dev/sdc1 rw\n"));
        EXPECT_EQ(volumes.volumeInfo(4, &entry), platform::noErr);
        EXPECT_EQ(entry.rootPath, "/media/card");
        EXPECT_EQ(volumes.volumeInfo(5, &entry), platform::nsvErr);
    }
    std::lock_guard lock(gate->mutex);
    gate->release = true;
    gate->released.notify_all();
}
