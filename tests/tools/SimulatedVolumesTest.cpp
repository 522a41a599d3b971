#include "DiskKeys.h"
#include "EraseFormat.h"
#include "SimulatedVolumes.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/plist/LibplistSerialization.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace diskkeys;

namespace {

struct Mac {
    test::TestPlatform p;
    QString root = test::makeTemporaryFolder("mac");
    DiskCatalog catalog{platform::LibplistSerialization()
                            .propertyListFromFile(p.resourcePath("simulated-mac/Volumes.plist"))
                            .toMap()[kDisks]
                            .toList(),
                        root};
    MountFolders folders{root};
    SimulatedVolumes volumes{catalog, folders};
    bool made = folders.make("/Volumes/Backup") && folders.make("/Volumes/Media");

    QVariantMap info(const QString& form) const { return catalog.information(catalog.find(form)); }
    DiskCatalog::Place at(const QString& form) const { return catalog.find(form); }
    QString folder(const QString& leaf) const { return root + "/Volumes/" + leaf; }
};

const EraseFormat kHfs = *EraseFormat::named("JHFS+");
const EraseFormat kFat = *EraseFormat::named("MS-DOS FAT32");

} // namespace

// Names reach the state and the folder name as they are: no character is interpreted.
TEST(SimulatedVolumesTest, HostileNamesAreRenamedAndErasedAsGiven)
{
    const std::pair<QString, QString> names[] = {
        {"a\"b'c", "a\"b'c"}, {"$(touch pwned)", "$(touch pwned)"}, {"x; rm -rf ~", "x; rm -rf ~"},
        {"two\nlines", "two\nlines"}, {"-n", "-n"}, {"sl/ash", "sl:ash"}, {"..", "Untitled"}, {"Grüße", "Grüße"},
    };
    for (const auto& [name, leaf] : names) {
        SCOPED_TRACE(qPrintable(name));
        Mac mac;
        test::writeFile(mac.folder("Backup/file.txt"), "data");
        ASSERT_TRUE(mac.volumes.rename(mac.at("disk2s1"), name).ok);
        EXPECT_EQ(mac.info("disk2s1")[kVolumeName].toString(), name);
        EXPECT_EQ(mac.info("disk2s1")[kMountPoint].toString(), mac.folder(leaf));
        EXPECT_TRUE(QFile::exists(mac.folder(leaf + "/file.txt")));
        EXPECT_FALSE(QFile::exists(mac.folder("Backup")));
        ASSERT_TRUE(mac.volumes.erase(mac.at("disk2s1"), kHfs, name).ok);
        EXPECT_EQ(mac.info("disk2s1")[kVolumeName].toString(), name);
        EXPECT_EQ(mac.info("disk2s1")[kFilesystemName].toString(), "Journaled HFS+");
        EXPECT_TRUE(QDir(mac.folder(leaf)).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        EXPECT_FALSE(QFile::exists(mac.root + "/Volumes/pwned") || QFile::exists("pwned"));
    }
}

TEST(SimulatedVolumesTest, VolumesOfOneNameAreActedOnByIdentifier)
{
    Mac mac;
    test::writeFile(mac.folder("Backup/keep.txt"), "kept");
    ASSERT_TRUE(mac.volumes.erase(mac.at("disk3s1"), kFat, "Backup").ok);
    EXPECT_EQ(mac.info("disk3s1")[kMountPoint].toString(), mac.folder("Backup 1"));
    ASSERT_TRUE(mac.volumes.unmount(mac.at("disk3s1")).ok);
    EXPECT_FALSE(QFile::exists(mac.folder("Backup 1")));
    EXPECT_TRUE(QFile::exists(mac.folder("Backup/keep.txt")));
    EXPECT_EQ(mac.info("disk2s1")[kMountPoint].toString(), mac.folder("Backup"));
    ASSERT_TRUE(mac.volumes.rename(mac.at("disk2s1"), "Other").ok);
    EXPECT_EQ(mac.info("disk3s1")[kVolumeName].toString(), "Backup");
    // Mounted again, it takes the name's folder, which is free now.
    ASSERT_TRUE(mac.volumes.mount(mac.at("disk3s1")).ok);
    EXPECT_EQ(mac.info("disk3s1")[kMountPoint].toString(), mac.folder("Backup"));
    EXPECT_TRUE(QFile::exists(mac.folder("Other/keep.txt")));
    // An unmounted volume's old folder, taken by another volume since, is not its own to empty.
    ASSERT_TRUE(mac.volumes.unmount(mac.at("disk3s1")).ok);
    ASSERT_TRUE(mac.volumes.rename(mac.at("disk2s1"), "Backup").ok);
    ASSERT_TRUE(mac.volumes.erase(mac.at("disk3s1"), kFat, "X").ok);
    EXPECT_TRUE(QFile::exists(mac.folder("Backup/keep.txt")));
}

// Refusals leave the volume, its state and its files as they were.
TEST(SimulatedVolumesTest, RefusedActionsChangeNothing)
{
    Mac mac;
    const QString outside = test::makeTemporaryFolder("outside");
    test::writeFile(outside + "/precious.txt", "x");
    test::writeFile(mac.folder("Backup/file.txt"), "x");
    const QVariantMap before = mac.catalog.entry(mac.at("disk2s1"));
    const struct {
        const char* what;
        ActionOutcome outcome;
        const char* reason;
    } refusals[] = {
        {"FAT32 name of 12 bytes", mac.volumes.erase(mac.at("disk2s1"), kFat, "ABCDEFGHIJKL"), "at most 11 bytes"},
        {"ExFAT name of 16 letters", mac.volumes.erase(mac.at("disk2s1"), *EraseFormat::named("exfat"), QString(16, QChar(0xE9))), "at most 15"},
        {"name past 255 bytes", mac.volumes.rename(mac.at("disk2s1"), QString(128, QChar(0xE9))), "255 bytes"},
        {"start-up volume erased", mac.volumes.erase(mac.at("/"), kHfs, "X"), "start-up disk"},
        {"start-up volume unmounted", mac.volumes.unmount(mac.at("/")), "in use by the system"},
        {"internal disk ejected", mac.volumes.eject(mac.at("disk1s5")), "not ejectable"},
        {"read-only volume renamed", mac.volumes.rename(mac.at("disk3s1"), "X"), "read-only"},
    };
    for (const auto& r : refusals) {
        EXPECT_FALSE(r.outcome.ok) << r.what;
        EXPECT_TRUE(r.outcome.reason.contains(r.reason)) << r.what << ": " << qPrintable(r.outcome.reason);
    }
    EXPECT_EQ(mac.catalog.entry(mac.at("disk2s1")), before);
    EXPECT_TRUE(QFile::exists(mac.folder("Backup/file.txt")));
    // Erasing removes a link inside the volume, never what it points to.
    QFile::link(outside, mac.folder("Backup/link"));
    ASSERT_TRUE(mac.volumes.erase(mac.at("disk2s1"), kFat, "NEW").ok);
    EXPECT_TRUE(QFile::exists(outside + "/precious.txt"));
    EXPECT_FALSE(QFile::exists(mac.folder("NEW/link")) || QFile::exists(mac.folder("NEW/file.txt")));
}

// FAT32 counts bytes, ExFAT characters: the limit itself is accepted, one more refused.
TEST(SimulatedVolumesTest, EraseNamesUpToTheFormatsLimit)
{
    const auto exfat = *EraseFormat::named("ExFAT");
    const struct {
        const EraseFormat& format;
        QString name;
        bool accepted;
    } cases[] = {
        {kFat, "ABCDEFGHIJK", true}, {kFat, "ABCDEFGHIJKL", false}, {kFat, QString(5, QChar(0xC9)) + "X", true},
        {kFat, QString(6, QChar(0xC9)), false}, {exfat, QString(15, QChar(0xE9)), true}, {exfat, QString(16, 'e'), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.format.nameProblem(c.name).isEmpty(), c.accepted) << qPrintable(c.name);
}

TEST(SimulatedVolumesTest, EjectUnmountsTheWholeDiskAndHidesIt)
{
    Mac mac;
    ASSERT_TRUE(mac.volumes.eject(mac.at("3A9B7C5D-1E2F-4A6B-8C0D-2E4F6A8B0C1D")).ok);
    EXPECT_FALSE(mac.at("disk2s1").found());
    EXPECT_FALSE(QFile::exists(mac.folder("Backup")));
    EXPECT_TRUE(mac.at("disk3s1").found());
}
