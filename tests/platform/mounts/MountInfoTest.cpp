#include "platform/mounts/MountInfo.h"
#include "platform/workspace/FileSystemFacts.h"

#include <gtest/gtest.h>

TEST(MountInfo, LinesAndTheHoldingMount)
{
    const QByteArray text = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                            "30 22 8:17 / /media/me/My\\040Stick rw - vfat /dev/sdb1 rw\n"
                            "31 22 0:5 / /mnt/ro ro - ntfs3 /dev/sdc1 ro\n"
                            "32 22 8:33 / /media/me/Win rw - fuseblk /dev/sdc1 rw\n"
                            "garbage line\n";
    const auto mounts = platform::parseMountInfo(text);
    ASSERT_EQ(mounts.size(), 4);
    EXPECT_EQ(mounts[3].device, "8:33"); // NTFS through FUSE: the device's own type counts
    EXPECT_EQ(platform::fileSystemFactsOfMount(mounts[3], true,
                                               platform::udevFileSystemType("E:ID_FS_TYPE_VERSION=3.1\nE:ID_FS_TYPE=ntfs\n")).type,
              "ntfs");
    EXPECT_EQ(mounts[1].mountPoint, "/media/me/My Stick");
    EXPECT_TRUE(mounts[2].readOnly);
    EXPECT_EQ(platform::mountHolding(mounts, "/media/me/My Stick/a")->source, "/dev/sdb1");
    EXPECT_EQ(platform::mountHolding(mounts, "/media/me/My Sticky")->source, "/dev/sda1");
    EXPECT_EQ(platform::mountPointsInVolumeState(QVariantMap{{"Volumes", QVariantList{QVariantMap{{"MountPoint", "/"}},
                                                                                        QVariantMap{{"MountPoint", ""}}}}}),
              QSet<QString>({"/"}));
}
