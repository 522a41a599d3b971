#include "disk/CVolumeMgr.h"
#include "disk/ConvertSize2String.h"
#include "disk/DiskButtonStates.h"
#include "disk/DiskIdentifier.h"
#include "disk/EnumerationGuard.h"

#include "ManualDispatcher.h"
#include "PlatformTest.h"

#include <gtest/gtest.h>

namespace {

QVariantMap passingInfo(const QString& id)
{
    return {{"DeviceIdentifier", id}, {"MountPoint", "/Volumes/Data"}, {"VolumeName", "Data"},
            {"TotalSize", qulonglong(500107862016)}, {"FreeSpace", 0}, {"APFSContainerFree", qulonglong(120000000000)},
            {"Ejectable", false}, {"FilesystemName", "APFS"}};
}

QVariantMap oneDisk(const QVariantList& partitions)
{
    return {{"AllDisksAndPartitions", QVariantList{QVariantMap{{"DeviceIdentifier", "disk0"}, {"Partitions", partitions}}}}};
}

struct RuleCase {
    const char* rule;
    QVariantMap element; // over {"DeviceIdentifier": "disk0s2"}
    QVariantMap info;    // over passingInfo; an invalid value removes the key
    bool kept;
};

} // namespace

using VolumeInventoryTest = test::PlatformTest;

TEST_F(VolumeInventoryTest, EachExclusionRuleDropsWhatItNamesAndNothingElse)
{
    const QVariant gone;
    const RuleCase cases[] = {
        {"1 partition content", {{"Content", "Apple_APFS"}}, {}, false},
        {"2 partition file system", {{"FilesystemName", "Case-sensitive APFS"}}, {}, false},
        {"3 partition mount point", {{"MountPoint", "/System/Volumes/Data"}}, {}, false},
        {"5 disk image", {}, {{"BusProtocol", "Disk Image"}}, false},
        {"6 information content", {}, {{"Content", "EFI"}}, false},
        {"7 empty mount point, fixed", {}, {{"MountPoint", ""}}, false},
        {"7 empty mount point, ejectable", {}, {{"MountPoint", ""}, {"Ejectable", true}}, true},
        {"8 empty name, fixed", {}, {{"VolumeName", ""}}, false},
        {"8 empty name, ejectable", {}, {{"VolumeName", ""}, {"Ejectable", true}}, true},
        {"9 information file system", {}, {{"FilesystemName", "Case-sensitive APFS"}}, false},
        {"10 virtual memory", {}, {{"MountPoint", "/System/Volumes/VM"}}, false},
        {"10 update, ejectable", {}, {{"MountPoint", "/System/Volumes/Update"}, {"Ejectable", true}}, true},
        {"11 no mount point", {}, {{"MountPoint", gone}, {"Ejectable", true}}, false},
        {"11 temporary", {}, {{"MountPoint", "/private/tmp/x/"}}, false},
        {"12 tiny", {}, {{"TotalSize", 29999999}}, false},
        {"12 smallest kept", {}, {{"TotalSize", 30000000}}, true},
        {"12 zero size kept", {}, {{"TotalSize", 0}}, true},
        {"13 hardware name, fixed", {}, {{"VolumeName", "xART"}}, false},
        {"13 hardware name, ejectable", {}, {{"VolumeName", "xART"}, {"Ejectable", true}}, true},
        {"14 unmounted preboot", {}, {{"VolumeName", "Preboot"}, {"MountPoint", ""}, {"Ejectable", true}}, false},
        {"15 arbitration name", {}, {{"DAVolumeName", "Update"}}, false},
    };
    for (const RuleCase& c : cases) {
        QVariantMap element{{"DeviceIdentifier", "disk0s2"}};
        element.insert(c.element);
        QVariantMap info = passingInfo("disk0s2");
        for (auto it = c.info.begin(); it != c.info.end(); ++it)
            it->isValid() ? void(info.insert(it.key(), *it)) : void(info.remove(it.key()));
        CVolumeMgr manager;
        int lookups = 0;
        const auto volumes = manager.volumesFromDiskList(oneDisk({QVariantMap{{"Content", "EFI"}}, element}),
                                                         [&](const QString&) { ++lookups; return info; });
        EXPECT_EQ(volumes.size(), c.kept ? 1 : 0) << c.rule;
        EXPECT_EQ(lookups, std::atoi(c.rule) <= 3 ? 0 : 1)
            << c.rule << ": the partition's own rules come before its look-up";
    }
    CVolumeMgr manager;
    EXPECT_TRUE(manager.volumesFromDiskList(oneDisk({QVariantMap{{"DeviceIdentifier", "disk0s2"}}}),
                                            [](const QString&) { return std::nullopt; })
                    .isEmpty())
        << "4 no information";
}

TEST_F(VolumeInventoryTest, TheDictionaryCarriesTheContainerFreeSpaceAndTheMountPoint)
{
    CVolumeMgr manager;
    const auto volumes = manager.volumesFromDiskList(oneDisk({QVariantMap{{"Content", "EFI"}}, QVariantMap{{"DeviceIdentifier", "disk0s2"}}}),
                                                     [](const QString& id) { return passingInfo(id); });
    ASSERT_EQ(volumes.size(), 1);
    EXPECT_EQ(volumes[0].value("FreeSpace"), "120000000000");
    EXPECT_EQ(volumes[0].value("volumeTotalSize"), "500.11 GB");
    EXPECT_EQ(volumes[0].value("volumeFreeSize"), "120.00 GB");
    EXPECT_EQ(volumes[0].value("MountPoint"), "/Volumes/Data");
}

TEST_F(VolumeInventoryTest, RecoveryAndBooterIdentifiersComeFromTheDisksFirstMountedSystemVolume)
{
    const auto element = [](const char* id) { return QVariantMap{{"DeviceIdentifier", id}}; };
    QHash<QString, QVariantMap> infos;
    for (const char* id : {"disk1s2", "disk1s3", "disk1s4", "disk1s5"})
        infos.insert(id, passingInfo(id));
    infos["disk1s2"].insert({{"VolumeName", "VM"}, {"RecoveryDeviceIdentifier", "disk1s3"}, {"BooterDeviceIdentifier", "disk1s5"}});
    infos["disk1s3"].insert({{"VolumeName", "Recovery"}, {"RecoveryDeviceIdentifier", "disk1s4"}});
    infos["disk1s4"].insert("VolumeName", "Recovery");
    infos["disk1s5"].insert("VolumeName", "Preboot");
    CVolumeMgr manager;
    const auto volumes = manager.volumesFromDiskList(
        oneDisk({element("disk1s2"), element("disk1s3"), element("disk1s4"), element("disk1s5")}),
        [&](const QString& id) { return infos.value(id); });
    QStringList kept;
    for (const auto& volume : volumes)
        kept << volume.value("volumePath").toString();
    // The VM volume's identifiers win over the later Recovery volume's own.
    EXPECT_EQ(kept, QStringList({"disk1s2", "disk1s4"}));
}

TEST_F(VolumeInventoryTest, AWholeDiskIsLookedUpOnlyWithoutPartitionsAndContent)
{
    const auto disk = [](const char* content) {
        return QVariantMap{{"AllDisksAndPartitions",
                            QVariantList{QVariantMap{{"DeviceIdentifier", "disk4"}, {"Content", content}}}}};
    };
    CVolumeMgr manager;
    const auto lookup = [](const QString& id) { return passingInfo(id); };
    EXPECT_TRUE(manager.volumesFromDiskList(disk("FDisk_partition_scheme"), lookup).isEmpty());
    const auto whole = manager.volumesFromDiskList(disk(""), lookup);
    ASSERT_EQ(whole.size(), 1);
    EXPECT_EQ(whole[0].value("volumePath"), "disk4");
    QVariantMap untitled = passingInfo("disk4");
    untitled.remove("VolumeName");
    EXPECT_EQ(manager.volumesFromDiskList(disk(""), [&](const QString&) { return untitled; })[0].value("volumeName"),
              "Untitled");
}

TEST_F(VolumeInventoryTest, SizeTextsStepByThousandsInSinglePrecision)
{
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "0 byte"},          {999, "999 byte"},          {1000, "1.00 KB"},
        {999999, "1000.00 KB"}, {1000000, "1.00 MB"},       {1500000, "1.50 MB"},
        {999999999, "1000.00 MB"}, {1000000000, "1.00 GB"}, {500107862016, "500.11 GB"},
        {1125, "1.12 KB"}, // a tie rounds as C's printf rounds it, to even
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(convertSize2String(bytes), QString::fromLatin1(text)) << bytes;
}

TEST_F(VolumeInventoryTest, OnlyAWholeDeviceIdentifierIsOne)
{
    for (const auto& [text, identifier] : {std::pair{"disk2", true}, {"disk2s1s3", true}, {"disk2\n", false},
                                           {"disk2s", false}, {"/dev/disk2", false}, {" disk2", false},
                                           {"disk2; ls", false}, {"", false}})
        EXPECT_EQ(isDeviceIdentifier(text), identifier) << text;
}

TEST_F(VolumeInventoryTest, OneEnumerationPerSecond)
{
    EnumerationGuard guard;
    CVolumeMgr first(guard), second(guard);
    EXPECT_NE(first.enumDiskVolumesInfo().outcome, CVolumeMgr::Outcome::Refused);
    EXPECT_EQ(second.enumDiskVolumesInfo().outcome, CVolumeMgr::Outcome::Refused);
    platform.dispatcher().drainMain();
    platform.dispatcher().advance(std::chrono::milliseconds(999));
    EXPECT_EQ(second.enumDiskVolumesInfo().outcome, CVolumeMgr::Outcome::Refused);
    platform.dispatcher().advance(std::chrono::milliseconds(1));
    EXPECT_NE(second.enumDiskVolumesInfo().outcome, CVolumeMgr::Outcome::Refused);
}

TEST_F(VolumeInventoryTest, ButtonRules)
{
    VolumeObj usb;
    usb.bCanEject = true;
    usb.volRootDir = QString(""); // unmounted
    EXPECT_EQ(DiskButtonStates::forVolume(usb, false, {}).mountTitle, "Mount");
    EXPECT_FALSE(DiskButtonStates::forVolume(usb, false, {}).open);
    usb.volRootDir.reset();
    EXPECT_EQ(DiskButtonStates::forVolume(usb, false, {}).mountTitle, "Unmount");
    VolumeObj start;
    start.volumeMountPoint = "/";
    const auto startStates = DiskButtonStates::forVolume(start, true, "ext4");
    EXPECT_TRUE(startStates.rename && !startStates.format && !startStates.mountTitle);
    const auto ntfs = DiskButtonStates::forVolume(usb, true, "ntfs3");
    EXPECT_TRUE(!ntfs.rename && ntfs.format);
    const auto missing = DiskButtonStates::forVolume(usb, false, "ntfs");
    EXPECT_TRUE(!missing.rename && !missing.format);
}
