#include "DiskCatalog.h"
#include "DiskKeys.h"
#include "DiskNumbering.h"
#include "LsblkMapper.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

using namespace diskkeys;

namespace {

QVariantList recorded(const QString& fixture, int firstNumber = 4)
{
    const LsblkMapper mapper(test::readFile(test::fixturePath("lsblk/" + fixture)));
    return mapper.disks(DiskNumbering::assign({}, mapper.diskNames(), firstNumber),
                        [](const QString&) { return std::optional<qint64>(7); });
}

} // namespace

// Each recorded machine's removable volumes, by identifier, with the keys the inventory reads;
// the system's own disks (hot-plug SATA included), loops and optical drives never appear.
TEST(LsblkMapperTest, RecordedMachinesGiveTheirRemovableVolumesOnly)
{
    const struct {
        const char* fixture;
        QString id, linuxDevice, filesystem, name, mountPoint, bus;
        qint64 free;
        bool writable;
    } cases[] = {
        {"usb-stick.json", "disk4s1", "/dev/sdb1", "MS-DOS FAT32", "KINGSTON", "/media/ana/KINGSTON", "USB", 28400001024, true},
        {"sd-card.json", "disk4s1", "/dev/mmcblk0p1", "ExFAT", "CAMERA", "", "Secure Digital", 0, true},
        {"sd-card.json", "disk4s2", "/dev/mmcblk0p2", "NTFS", "", "/run/media/ana/4D2A1B0C9E8F7A6B", "Secure Digital", 1048576, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id.toStdString() + " of " + c.fixture);
        const DiskCatalog catalog(recorded(c.fixture), {});
        const auto place = catalog.find(c.id);
        ASSERT_TRUE(place.isVolume());
        const QVariantMap info = catalog.information(place);
        EXPECT_EQ(info[kLinuxDevice].toString(), c.linuxDevice);
        EXPECT_EQ(info[kFilesystemName].toString(), c.filesystem);
        EXPECT_EQ(info[kVolumeName].toString(), c.name);
        EXPECT_EQ(info[kMountPoint].toString(), c.mountPoint);  // present, empty when not mounted
        EXPECT_EQ(info[kBusProtocol].toString(), c.bus);
        EXPECT_EQ(info[kFreeSpace].toLongLong(), c.free);
        EXPECT_EQ(info[kWritable].toBool(), c.writable);
        EXPECT_TRUE(info[kEjectable].toBool());
        EXPECT_EQ(info[kParentWholeDisk].toString(), "disk4");
        EXPECT_EQ(info[kDeviceNode].toString(), "/dev/" + c.id);
        // And back: the device node and mount point find the same volume.
        EXPECT_EQ(catalog.find("/dev/" + c.id).volume, place.volume);
        if (!c.mountPoint.isEmpty()) {
            EXPECT_EQ(catalog.find(c.mountPoint).volume, place.volume);
        }
    }
    for (const char* nothing : {"none.json", "system-disk-only.json"})
        EXPECT_TRUE(recorded(nothing).isEmpty()) << nothing;
    EXPECT_TRUE(LsblkMapper("not json").diskNames().isEmpty());
}

TEST(LsblkMapperTest, DisksAreNumberedInOrderAfterTheSimulatedOnes)
{
    const QVariantList disks = recorded("twenty-sticks.json", 7);
    ASSERT_EQ(disks.size(), 20);
    for (int i = 0; i < disks.size(); ++i) {
        const QVariantMap disk = disks[i].toMap();
        EXPECT_EQ(disk[kDeviceIdentifier].toString(), QString("disk%1").arg(7 + i));
        EXPECT_EQ(disk[kContent].toString(), "FDisk_partition_scheme");
        EXPECT_EQ(disk[kPartitions].toList().value(0).toMap()[kDeviceIdentifier].toString(), QString("disk%1s1").arg(7 + i));
    }
    // Two partitions of one name, and one whose name gives no number: each its own identifier.
    const LsblkMapper twins(R"({"blockdevices":[{"name":"sdb","type":"disk","rm":true,"children":[
        {"name":"sdb1","type":"part","fstype":"vfat"},{"name":"sdb1","type":"part","fstype":"vfat"},
        {"name":"odd","type":"part","fstype":"vfat"}]}]})");
    QStringList identifiers;
    for (const QVariant& partition : twins.disks({{"sdb", 4}}).value(0).toMap()[kPartitions].toList())
        identifiers << partition.toMap()[kDeviceIdentifier].toString();
    EXPECT_EQ(identifiers, QStringList({"disk4s1", "disk4s2", "disk4s3"}));
}

// A device keeps its number while present; new ones take the lowest free number.
TEST(LsblkMapperTest, DiskNumbersStayWithTheirDevices)
{
    const struct {
        QMap<QString, int> known;
        QStringList present;
        QMap<QString, int> expected;
    } cases[] = {
        {{}, {"sdb", "sdc"}, {{"sdb", 4}, {"sdc", 5}}},
        {{{"sdb", 4}, {"sdc", 5}}, {"sdc"}, {{"sdc", 5}}},                            // sdb went: sdc stays disk5
        {{{"sdc", 5}}, {"sdb", "sdc", "sdd"}, {{"sdb", 4}, {"sdc", 5}, {"sdd", 6}}},  // newcomers fill the gaps
        {{{"sdb", 2}, {"sdc", 7}, {"sdd", 7}}, {"sdb", "sdc", "sdd"}, {{"sdb", 4}, {"sdc", 7}, {"sdd", 5}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DiskNumbering::assign(c.known, c.present, 4), c.expected) << qPrintable(c.present.join(' '));
}
