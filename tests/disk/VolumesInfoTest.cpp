#include "disk/VolumesInfo.h"
#include "disk/VolumesManager.h"

#include "platform/workspace/FileSystemFacts.h"

#include "PlatformTest.h"
#include "WorkspaceFakes.h"

#include <gtest/gtest.h>

namespace {

// Volumes by index with their parameter blocks; ejects are recorded and fail for "sdz".
class FakeVolumeTable : public platform::VolumeTable {
public:
    struct Volume {
        QString root;
        platform::GetVolParmsInfoBuffer parms;
    };
    QList<Volume> volumes;
    QList<int16_t> ejected;

    platform::OSErr volumeInfo(int index, platform::VolumeEntry* entry) const override
    {
        if (index > volumes.size())
            return platform::nsvErr;
        *entry = {int16_t(-index), volumes[index - 1].root, volumes[index - 1].root, 0, 1000, 10};
        return platform::noErr;
    }
    platform::OSErr volumeParms(int16_t refNum, platform::GetVolParmsInfoBuffer* parms) const override
    {
        *parms = volumes[-refNum - 1].parms;
        return platform::noErr;
    }
    platform::kern_return_t mediaObjects(const QString& bsdName, std::vector<platform::MediaObject>* objects) const override
    {
        *objects = {{{"IOMedia", bsdName.startsWith("sr") ? "IOCDMedia" : "IOBlockStorage"}, true}};
        return platform::KERN_SUCCESS;
    }
    platform::OSErr ejectVolume(int16_t refNum) override
    {
        ejected << refNum;
        return volumes[-refNum - 1].parms.vMDeviceID == "sdz" ? platform::fBsyErr : platform::noErr;
    }
};

platform::GetVolParmsInfoBuffer parms(const char* device, int32_t attributes, int16_t version = 4)
{
    return {version, 0, attributes, device};
}

} // namespace

using VolumesInfoTest = test::PlatformTest;

TEST_F(VolumesInfoTest, KindsEjectFlagsAndTheVolumesLeftOut)
{
    test::install<test::FakeWorkspace>(platform->workspace);
    auto* table = test::install<FakeVolumeTable>(platform->volumeTable);
    table->volumes = {{"/", parms("sda1", 0)},
                      {"/System/Volumes/Preboot", parms("sda2", 0)},
                      {"/media/dvd", parms("sr0", 0)},
                      {"/media/usb", parms("sdb1", 1 << platform::bIsOnExternalBus)},
                      {"/media/card", parms("mmcblk0p1", (1 << platform::bIsRemovable) | 1, 2)}};
    VolumesInfo info;
    QStringList seen;
    for (const MCVolumeInfo& v : info.volsArray())
        seen << QStringLiteral("%1 %2 %3").arg(v.volRootDir).arg(v.volType).arg(v.bCanEject);
    // An old parameter block (version 2) has no extended attributes to read.
    EXPECT_EQ(seen, QStringList({"/ 0 0", "/media/dvd 2 1", "/media/usb 1 1", "/media/card 0 0"}));
    EXPECT_TRUE(info.volsArray()[0].bIsDefaultVol);
}

TEST_F(VolumesInfoTest, EjectingAllReportsNoneSomeFailedOrAllDone)
{
    test::install<test::FakeWorkspace>(platform->workspace);
    auto* table = test::install<FakeVolumeTable>(platform->volumeTable);
    VolumesManager manager;
    table->volumes = {{"/", parms("sda1", 0)}};
    EXPECT_EQ(manager.ejectAllVolumes(), -1);
    EXPECT_TRUE(table->ejected.isEmpty());
    // A failing eject counts wherever it comes in the list ("sdz" fails).
    for (const QStringList& devices : {QStringList{"sdz", "sdb1", "sdc1"}, {"sdb1", "sdz", "sdc1"}, {"sdb1", "sdc1", "sdz"}}) {
        table->volumes.resize(1);
        table->ejected.clear();
        for (const QString& device : devices)
            table->volumes << FakeVolumeTable::Volume{"/media/" + device, parms(qPrintable(device), 1)};
        EXPECT_EQ(manager.ejectAllVolumes(), 1) << qPrintable(devices.join(' '));
        EXPECT_EQ(table->ejected, QList<int16_t>({-2, -3, -4}));
    }
    table->volumes.removeLast();
    EXPECT_EQ(manager.ejectAllVolumes(), 0);
}

// The whole-media walk: the service and its ancestors until one is whole media, which is a CD
// or DVD or not; what cannot be walked is logged.
TEST_F(VolumesInfoTest, TheWholeMediumDecidesWhetherAVolumeIsOnACdOrDvd)
{
    const platform::MediaObject partition{{"IOMedia"}, false}, disk{{"IOMedia"}, true}, cd{{"IOMedia", "IOCDMedia"}, true},
        dvd{{"IOMedia", "IODVDMedia"}, true}, bus{{"IOService"}, std::nullopt}, noWhole{{"IOMedia"}, std::nullopt};
    const struct {
        platform::kern_return_t started;
        std::vector<platform::MediaObject> objects;
        bool optical;
        const char* logged;
    } cases[] = {
        {platform::KERN_SUCCESS, {partition, cd}, true, nullptr},
        {platform::KERN_SUCCESS, {bus, dvd}, true, nullptr},
        {platform::KERN_SUCCESS, {partition, disk, cd}, false, nullptr}, // the first whole medium decides
        {platform::KERN_SUCCESS, {noWhole, cd}, true, "Could not retrieve Whole property"},
        {platform::KERN_SUCCESS, {}, false, "IORegistryEntryCreateIterator returned a NULL iterator"},
        {platform::kern_return_t(0xe00002bc), {cd}, false, "IORegistryEntryCreateIterator failed returned 0xe00002bc"},
    };
    test::install<FakeVolumeTable>(platform->volumeTable);
    for (const auto& c : cases) {
        VolumesInfo info;
        const auto before = platform.log().messages().size();
        info.FindWholeMedia(c.started, c.objects);
        EXPECT_EQ(info.isCDorDVD(), c.optical) << c.objects.size();
        EXPECT_EQ(platform.log().messages().mid(before), c.logged ? QStringList{c.logged} : QStringList());
    }
}

TEST_F(VolumesInfoTest, ASimulatedVolumesFactsComeFromTheStateByMountPoint)
{
    const QVariantMap internal{{"Internal", true}, {"APFSVolumes", QVariantList{QVariantMap{{"MountPoint", "/"}, {"FilesystemType", "apfs"}}}}};
    const QVariantMap stick{{"Removable", true}, {"Partitions", QVariantList{QVariantMap{{"MountPoint", "/Volumes/Win"}, {"FilesystemType", "ntfs"}, {"Writable", false}},
                                                                             QVariantMap{{"MountPoint", "/Volumes/Win 2"}, {"FilesystemName", "ExFAT"}}}}};
    const QVariantMap state{{"Disks", QVariantList{internal, stick}}};
    const auto onMac = [](const QString& path) { return "/sim" + path; };
    const struct {
        QString path;
        QString type; // empty: no volume there
        bool removable, writable, unmountable;
    } cases[] = {
        {"/sim/", "apfs", false, true, false}, // the start-up volume
        {"/sim/Volumes/Win", "ntfs", true, false, true},
        {"/Volumes/Win 2", "ExFAT", true, true, true},
        {"/sim/Volumes/Wi", "", false, false, false},
    };
    for (const auto& c : cases) {
        const auto facts = platform::simulatedVolumeFacts(state, c.path, onMac);
        ASSERT_EQ(facts.has_value(), !c.type.isEmpty()) << qPrintable(c.path);
        if (!facts)
            continue;
        EXPECT_EQ(facts->type, c.type);
        EXPECT_EQ(std::tuple(facts->removable, facts->writable, facts->unmountable),
                  std::tuple(c.removable, c.writable, c.unmountable)) << qPrintable(c.path);
    }
}
