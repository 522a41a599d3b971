#include "DiskCatalog.h"
#include "DiskKeys.h"

#include "TestPlatform.h"

#include "platform/plist/LibplistSerialization.h"

#include <gtest/gtest.h>

using namespace diskkeys;

namespace {

const QString kRoot = "/tmp/mac root";

DiskCatalog seed(const test::TestPlatform& p)
{
    const QVariant plist = platform::LibplistSerialization().propertyListFromFile(p.resourcePath("simulated-mac/Volumes.plist"));
    return DiskCatalog(plist.toMap()[kDisks].toList(), kRoot);
}

} // namespace

// What the inventory's exclusion rules look at, for every volume of the seed: the listing's
// content and mount point, and the information's mount point and ejectability.
TEST(DiskCatalogTest, SeedListsWhatTheExclusionRulesRead)
{
    test::TestPlatform p;
    const DiskCatalog catalog = seed(p);
    const QVariantMap list = catalog.listPropertyList();
    const QString apfs = "41504653-0000-11AA-AA11-00306543ECAC";
    const struct {
        QString id, content;
        const char* listedMount;  // null: no MountPoint key in the listing
        QString mountPoint;
        bool ejectable;
    } expected[] = {
        {"disk0s1", "EFI", nullptr, "", false},
        {"disk0s2", "Apple_APFS", nullptr, "", false},
        {"disk1s1", apfs, "/System/Volumes/Data", "/System/Volumes/Data", false},
        {"disk1s2", apfs, nullptr, "", false},
        {"disk1s3", apfs, nullptr, "", false},
        {"disk1s4", apfs, "/System/Volumes/VM", "/System/Volumes/VM", false},
        {"disk1s5", apfs, "/", "/", false},
        {"disk2s1", "DOS_FAT_32", "/tmp/mac root/Volumes/Backup", "/tmp/mac root/Volumes/Backup", true},
        {"disk3s1", "Windows_NTFS", "/tmp/mac root/Volumes/Media", "/tmp/mac root/Volumes/Media", true},
    };
    QVariantList listed;
    for (const QVariant& disk : list[kAllDisksAndPartitions].toList()) {
        const QVariantMap d = disk.toMap();
        EXPECT_NE(d.contains(kPartitions), d.contains(kApfsVolumes)) << qPrintable(d[kDeviceIdentifier].toString());
        listed += d[kPartitions].toList() + d[kApfsVolumes].toList();
    }
    ASSERT_EQ(listed.size(), std::size(expected));
    for (qsizetype i = 0; i < listed.size(); ++i) {
        const auto& e = expected[i];
        SCOPED_TRACE(qPrintable(e.id));
        const QVariantMap entry = listed[i].toMap();
        EXPECT_EQ(entry[kDeviceIdentifier].toString(), e.id);
        EXPECT_EQ(entry[kContent].toString(), e.content);
        EXPECT_EQ(entry.contains(kMountPoint), e.listedMount != nullptr);
        if (e.listedMount) {
            EXPECT_EQ(entry[kMountPoint].toString(), QString(e.listedMount));
        }
        const QVariantMap info = catalog.information(catalog.find(e.id));
        for (const QString& key : {kBusProtocol, kContent, kMountPoint, kEjectable, kVolumeName, kTotalSize, kFreeSpace,
                                   kDeviceIdentifier, kWritable, kParentWholeDisk, kDiskUuid, kDeviceNode})
            EXPECT_TRUE(info.contains(key)) << qPrintable(key);
        EXPECT_EQ(info[kMountPoint].toString(), e.mountPoint);
        EXPECT_EQ(info[kEjectable].toBool(), e.ejectable);
        EXPECT_EQ(info.contains(kApfsContainerFree), e.content == apfs);
    }
    // The start-up volume: APFS, its free space only in the container's figure.
    const QVariantMap startUp = catalog.information(catalog.find("/"));
    EXPECT_EQ(startUp[kVolumeName].toString(), "Macintosh HD");
    EXPECT_EQ(startUp[kDaVolumeName].toString(), "Macintosh HD");
    EXPECT_EQ(startUp[kFreeSpace].toLongLong(), 0);
    EXPECT_GT(startUp[kApfsContainerFree].toLongLong(), 0);
    EXPECT_EQ(startUp[kRecoveryDeviceIdentifier].toString(), "disk1s3");
    // The container itself has no file system, so the inventory adds no volume for it.
    EXPECT_FALSE(catalog.information(catalog.find("disk1")).contains(kFilesystemName));
    EXPECT_EQ(QStringList({"MS-DOS FAT32", "NTFS"}),
              QStringList({catalog.information(catalog.find("disk2s1"))[kFilesystemName].toString(),
                           catalog.information(catalog.find("disk3s1"))[kFilesystemName].toString()}));
}

TEST(DiskCatalogTest, EveryFormOfADeviceFindsIt)
{
    test::TestPlatform p;
    DiskCatalog catalog = seed(p);
    const auto backup = catalog.find("disk2s1");
    for (const char* form : {"/dev/disk2s1", "/dev/rdisk2s1", "3a9b7c5d-1e2f-4a6b-8c0d-2e4f6a8b0c1d",
                                "5F4E3D2C-1B0A-4998-8776-655443322110", "/tmp/mac root/Volumes/Backup", "/Volumes/Backup", "Backup"}) {
        const auto place = catalog.find(form);
        EXPECT_EQ(std::pair(place.disk, place.volume), std::pair(backup.disk, backup.volume)) << form;
    }
    EXPECT_FALSE(catalog.find("disk2").isVolume());
    // A volume named like another device's identifier never shadows that device.
    QVariantMap renamed = catalog.entry(backup);
    renamed[kVolumeName] = "disk3s1";
    catalog.setEntry(backup, renamed);
    EXPECT_EQ(catalog.entry(catalog.find("disk3s1"))[kDeviceIdentifier].toString(), "disk3s1");
    for (const char* unknown : {"", "disk9", "backup", "/Volumes", "/dev/", "Macintosh HD - Data "})
        EXPECT_FALSE(catalog.find(unknown).found()) << unknown;
    // An ejected disk is gone from every look-up and from the listing.
    QVariantMap disk = catalog.disk(backup);
    disk[kEjected] = true;
    catalog.setEntry({backup.disk, -1, {}}, disk);
    EXPECT_FALSE(catalog.find("Backup").found());
    EXPECT_FALSE(catalog.listPropertyList()[kAllDisks].toStringList().contains("disk2"));
    EXPECT_EQ(catalog.highestDiskNumber(), 3);
}
