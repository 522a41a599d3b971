#include "ScriptedDiskutil.h"

#include "disk/DiskBoxViewController.h"
#include "disk/DiskManagerViewController.h"
#include "disk/EnumerationGuard.h"
#include "disk/ErasePlan.h"
#include "disk/VolumeObj.h"

#include "utilities/CommandOutput.h"
#include "controls/TextImageButton.h"

#include "platform/mounts/MountWatch.h"
#include "platform/mounts/VolumeTable.h"
#include "platform/notifications/UserNotificationCenter.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "UiTestSupport.h"
#include "WorkspaceFakes.h"

#include <QDir>
#include <QRegularExpression>

#include <atomic>

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

class RecordingNotices : public platform::UserNotificationCenter {
public:
    void deliverNotification(const platform::UserNotification& notice) override { delivered << notice.title + ": " + notice.informativeText; }
    void removeAllDeliveredNotifications() override {}
    QStringList delivered;
};

class DiskTabTest : public test::PlatformTest {
protected:
    DiskTabTest()
    {
        EnumerationGuard::shared().clear();
        const QString usb = platform->simulatedMac->root() + QStringLiteral("/Volumes/USB");
        QDir().mkpath(usb);
        diskutil->volumes = {{"disk1s1", "Macintosh HD", "UUID-HD", "APFS", "/"},
                             {"disk2s1", "USB", "UUID-A", "MS-DOS FAT32", usb, true},
                             {"disk3s1", "USB", "UUID-B", "ExFAT", usb + "2", true}};
    }
    ~DiskTabTest() override { EnumerationGuard::shared().clear(); }

    std::unique_ptr<DiskManagerViewController> build()
    {
        auto tab = std::make_unique<DiskManagerViewController>();
        tab->view();
        tab->createView();
        platform.dispatcher().drainAll();
        return tab;
    }
    DiskBoxViewController& boxOf(DiskManagerViewController& tab, const QString& id)
    {
        for (const auto& box : tab.boxes())
            if (box->volumeInfo()->volumePath == id)
                return *box;
        throw std::runtime_error("no box");
    }
    void rename(DiskBoxViewController& box, const QString& name)
    {
        box.renameButtonAction();
        box.renameTextField()->setStringValue(name);
        box.renameOkButtonAction();
        platform.dispatcher().drainAll();
    }

    // Steps only when a test says the volumes changed.
    struct SteppingWatch : platform::MountWatch {
        uint64_t value = nextGeneration();
        uint64_t generation() const override { return value; }
    };

    ScriptedDiskutil* diskutil = test::install<ScriptedDiskutil>(platform->commandRunner);
    SteppingWatch* watch = test::install<SteppingWatch>(platform->mountWatch);
    test::FakeWorkspace* workspace = test::install<test::FakeWorkspace>(platform->workspace);
    RecordingNotices* notices = test::install<RecordingNotices>(platform->userNotifications);
};

} // namespace

TEST_F(DiskTabTest, HostileNamesAreListedRenamedAndErasedAsWholeArgumentsAndNothingElseRuns)
{
    const QStringList names{"a\"b", "$(touch pwned)", "x; rm -rf ~", "two\nlines", "-force", "`id`\\"};
    for (int i = 0; i < names.size(); ++i)
        diskutil->volumes.append({QStringLiteral("disk1s%1").arg(i + 2), names[i], QStringLiteral("U%1").arg(i),
                                  "Journaled HFS+", QStringLiteral("/Volumes/%1").arg(i)});
    auto tab = build();
    for (int i = 0; i < names.size(); ++i) {
        DiskBoxViewController& box = boxOf(*tab, QStringLiteral("disk1s%1").arg(i + 2));
        EXPECT_EQ(box.nameLabel()->stringValue(), names[i]);
        rename(box, names[i] + "!");
        box.makeSureToFormatSelectVolumeWithName(names[i], "ExFAT");
    }
    platform.dispatcher().drainAll();
    static const QRegularExpression identifier("^disk[0-9]+(s[0-9]+)*$");
    for (const QStringList& call : diskutil->calls) {
        EXPECT_TRUE(call[0] == "diskutil" || call[0] == "/usr/sbin/diskutil") << call.join(' ').toStdString();
        if (call[1] == "info") {
            EXPECT_TRUE(identifier.match(QString(call[3]).remove("/dev/")).hasMatch());
        }
    }
    for (int i = 0; i < names.size(); ++i) {
        const QString id = QStringLiteral("disk1s%1").arg(i + 2);
        EXPECT_TRUE(diskutil->calls.contains(QStringList({"diskutil", "rename", id, names[i] + "!"})));
        EXPECT_TRUE(diskutil->calls.contains(QStringList({"diskutil", "eraseVolume", "ExFAT", names[i], id})));
    }
    EXPECT_EQ(diskutil->callsOf("rename").size(), names.size());
    EXPECT_EQ(diskutil->callsOf("eraseVolume").size(), names.size());
}

TEST_F(DiskTabTest, VolumesOfOneNameAreEjectedAndRenamedByTheirOwnIdentifier)
{
    auto tab = build();
    DiskBoxViewController& second = boxOf(*tab, "disk3s1");
    second.mouseDownAction();
    ASSERT_EQ(tab->diskBoxVC(), &second);
    tab->ejectButAction();
    platform.dispatcher().drainAll();
    EXPECT_EQ(diskutil->callsOf("eject"), QList<QStringList>({{"diskutil", "eject", "disk3s1"}}));
    rename(second, "SECOND");
    EXPECT_EQ(diskutil->volumes[1].name, "USB");
    EXPECT_EQ(diskutil->volumes[2].name, "SECOND");
}

TEST_F(DiskTabTest, AVolumeThatChangedSinceTheListIsNeitherRenamedNorErased)
{
    auto tab = build();
    DiskBoxViewController& box = boxOf(*tab, "disk2s1");
    diskutil->volumes[1].uuid = "UUID-OTHER"; // another medium in the same slot
    rename(box, "NEW NAME");
    box.makeSureToFormatSelectVolumeWithName("NEW NAME", "ExFAT");
    platform.dispatcher().drainAll();
    EXPECT_TRUE(diskutil->callsOf("rename").isEmpty());
    EXPECT_TRUE(diskutil->callsOf("eraseVolume").isEmpty());
    EXPECT_EQ(box.nameLabel()->stringValue(), "USB");
    ASSERT_TRUE(box.lastFormatOutcome());
    EXPECT_FALSE(box.lastFormatOutcome()->succeeded);
    EXPECT_TRUE(notices->delivered.last().contains("not the one that was listed"));
}

// The failure names the volume ejected, even when the selection moved before the answer came;
// the notices show on a Mac of version 11 and later too.
TEST_F(DiskTabTest, AnEjectIsReportedAsItEnded)
{
    static_cast<test::FakeSystemVersion&>(*platform->systemVersion).setVersion("14.1");
    diskutil->volumes[2].name = "Camera";
    auto tab = build();
    boxOf(*tab, "disk3s1").mouseDownAction();
    diskutil->ejectStatus = 1;
    tab->ejectButAction();
    boxOf(*tab, "disk2s1").mouseDownAction();
    platform.dispatcher().drainAll();
    EXPECT_EQ(notices->delivered, QStringList({"Disk Not Ejected Properly: Eject 'Camera' before disconnecting or turning it off."}));
    diskutil->ejectStatus = 0;
    tab->ejectButAction();
    platform.dispatcher().drainAll();
    EXPECT_EQ(notices->delivered.last(), "Tavrin: The disk/device can be removed safely.");
}

TEST_F(DiskTabTest, TheToolsReasonForARefusedEraseOrMountIsShown)
{
    auto tab = build();
    diskutil->eraseStatus = diskutil->mountStatus = 1;
    diskutil->actionSays = "Started\nCould not erase disk2s1: it is a device of this machine, which is never erased\n";
    for (const char* id : {"disk2s1", "disk1s1"}) { // an erase, and an APFS reformat
        DiskBoxViewController& box = boxOf(*tab, id);
        box.makeSureToFormatSelectVolumeWithName("X", "ExFAT");
        platform.dispatcher().drainAll();
        ASSERT_TRUE(box.lastFormatOutcome()) << id;
        EXPECT_EQ(box.lastFormatOutcome()->detail, "Could not erase disk2s1: it is a device of this machine, which is never erased");
    }
    boxOf(*tab, "disk2s1").mouseDownAction();
    for (const char* said : {"Volume on disk2s1 failed to unmount: udisksctl is not installed", ""}) {
        diskutil->actionSays = said;
        tab->mountButAction();
        platform.dispatcher().drainAll();
    }
    EXPECT_EQ(notices->delivered, QStringList({"Tavrin: Volume on disk2s1 failed to unmount: udisksctl is not installed",
                                               "Tavrin: 'USB' could not be mounted."}));
}

// A rebuild (every click on the status item makes a new tab) shows the kept inventory and runs
// no diskutil, until the mount watch reports a change or the tab itself changed a volume.
TEST_F(DiskTabTest, TheInventoryIsKeptUntilTheMountWatchReportsAChange)
{
    auto tab = build();
    const auto runs = diskutil->calls.size();
    tab = build();
    EXPECT_EQ(diskutil->calls.size(), runs) << "neither the list nor the boxes' type look-ups run again";
    EXPECT_EQ(boxOf(*tab, "disk3s1").volumeInfo()->volumeType, "ExFAT");
    EXPECT_EQ(tab->allVolumeViews().size(), 5u); // two headers, three boxes
    diskutil->volumes.removeLast();
    watch->value = platform::MountWatch::nextGeneration();
    const DiskBoxViewController* before = tab->boxes().front().get();
    tab->createView();
    tab->createView(); // asked during the build: served after it, and also refused within the second
    platform.dispatcher().drainAll();
    EXPECT_EQ(tab->boxes().front().get(), before);
    EXPECT_EQ(tab->completedBuilds(), 3);
    platform.dispatcher().advance(std::chrono::milliseconds(1000));
    platform.dispatcher().drainAll();
    EXPECT_EQ(diskutil->callsOf("list").size(), 2);
    EXPECT_EQ(tab->allVolumeViews().size(), 4u);
    boxOf(*tab, "disk2s1").mouseDownAction();
    tab->ejectButAction(); // forgets what was kept
    platform.dispatcher().advance(std::chrono::milliseconds(1000));
    platform.dispatcher().drainAll();
    EXPECT_EQ(diskutil->callsOf("list").size(), 3);
}

TEST_F(DiskTabTest, TheErasePathFollowsTheFileSystemTheDialogShows)
{
    struct Case {
        const char* diskType;
        const char* name;
        const char* type;
        QStringList arguments; // empty: refused
    };
    const Case cases[] = {
        {"Journaled HFS+", "Backup", "Journaled HFS+", {"eraseVolume", "Journaled HFS+", "Backup", "disk2s1"}},
        {"Journaled HFS+", "photos 2024 summer", "MS-DOS FAT32", {"eraseVolume", "MS-DOS FAT32", "PHOTOS 2024", "disk2s1"}},
        {"MS-DOS FAT32", " ", "ExFAT", {"eraseVolume", "ExFAT", "NEW", "disk2s1"}},
        {"APFS", "Backup", "APFS", {"reformat", "disk2s1"}},
        {"Windows NT File System (NTFS)", "Backup", "MS-DOS FAT32", {"eraseVolume", "MS-DOS FAT32", "NEW", "disk2s1"}},
        {"", "Backup", "MS-DOS FAT32", {"eraseVolume", "MS-DOS FAT32", "NEW", "disk2s1"}},
        {"ExFAT", "a-name-that-is-far-too-long-for-the-erase-command-line-buffer-of-one-hundred-and-twenty-eight-bytes-xx", "ExFAT", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErasePlan::choose(c.diskType, c.name, c.type, "disk2s1").arguments, c.arguments) << c.name;
    EXPECT_EQ(ErasePlan::choose("ExFAT", "x", "ExFAT", "disk2s1; ls").kind, ErasePlan::Kind::Refused);

    // Format pressed before the box's type look-up came back: the inventory's type decides.
    auto box = std::make_shared<DiskBoxViewController>();
    auto apfs = std::make_shared<VolumeObj>();
    apfs->volumePath = "disk1s1", apfs->diskType = "APFS", apfs->diskUUID = "UUID-HD";
    box->setVolumeInfo(apfs);
    box->makeSureToFormatSelectVolumeWithName("Whatever", "MS-DOS FAT32");
    platform.dispatcher().drainAll();
    EXPECT_EQ(diskutil->calls, QList<QStringList>({{"diskutil", "info", "-plist", "disk1s1"}, {"/usr/sbin/diskutil", "reformat", "disk1s1"}}));
}

TEST_F(DiskTabTest, ALookUpThatDidNotRunGivesNoAnswerEvenWithAnOldFileThere)
{
    struct Failing : ScriptedDiskutil {
        Result run(const QString& program, const QStringList& arguments, const QString&) override
        {
            calls.append(QStringList{program} + arguments);
            return {false, -1, {}};
        }
    };
    diskutil->run("diskutil", {"info", "-plist", "disk2s1"}, CommandOutput::outputPath("OrlaStartMenuRepairTemp.plist"));
    ASSERT_TRUE(DiskBoxViewController::getDisjInfo("disk2s1"));
    test::install<Failing>(platform->commandRunner);
    EXPECT_FALSE(DiskBoxViewController::getDisjInfo("disk2s1"));
    diskutil = test::install<ScriptedDiskutil>(platform->commandRunner); // no volumes: exits 1
    EXPECT_FALSE(DiskBoxViewController::getDisjInfo("disk2s1"));
}

TEST_F(DiskTabTest, TheTabRendersItsBoxesAndSelection)
{
    auto tab = build();
    // A fixed volume sits under "Internal", an ejectable one under "External".
    const auto top = [&](const char* id) { return boxOf(*tab, id).view()->frame().minY(); };
    const auto headers = tab->scrollView()->subviews();
    const auto header = [&](const char* title) {
        for (const View* view : headers)
            if (const auto* field = dynamic_cast<const TextField*>(view); field && field->stringValue() == title)
                return field->frame().minY();
        return -1.0;
    };
    EXPECT_LT(top("disk1s1"), header("Internal"));
    EXPECT_GT(top("disk1s1"), header("External"));
    EXPECT_LT(std::max(top("disk2s1"), top("disk3s1")), header("External"));
    boxOf(*tab, "disk3s1").volumeInfo()->volRootDir = QString(); // shown as not mounted
    boxOf(*tab, "disk3s1").volumeInfo()->volumeFreeSizeNum = 0;
    boxOf(*tab, "disk3s1").mouseDownAction();
    EXPECT_EQ(tab->mountBut()->textField()->stringValue(), "Mount");
    EXPECT_FALSE(tab->openBut()->isDisabled()) << "switched off";
    EXPECT_EQ(boxOf(*tab, "disk1s1").iconName(), "ic_disk_os_but");
    EXPECT_EQ(boxOf(*tab, "disk2s1").iconName(), "ic_disk_usb_but");
    auto window = uitest::makeWindow(Rect(0, 0, 408, 528));
    window->setBackgroundColor(Color::whiteColor());
    window->contentView()->addSubview(*tab->view());
    window->renderToImage().save(test::artifactPath("disk-manager-tab.png"));
}

// A look at a mount can block for as long as its server takes: the tab's main-thread steps (its
// load, a build's first and last step, a selection, Open) ask neither the volume table nor the
// workspace's file-system facts.
TEST_F(DiskTabTest, TheMainThreadNeverLooksAtAMount)
{
    struct CountingTable : platform::VolumeTable {
        mutable std::atomic<int> calls{0};
        platform::OSErr volumeInfo(int, platform::VolumeEntry*) const override { return ++calls, platform::nsvErr; }
        platform::OSErr volumeParms(int16_t, platform::GetVolParmsInfoBuffer*) const override { return ++calls, platform::nsvErr; }
        platform::kern_return_t mediaObjects(const QString&, std::vector<platform::MediaObject>*) const override
        {
            return ++calls, platform::kIOReturnNoDevice;
        }
        platform::OSErr ejectVolume(int16_t) override { return ++calls, platform::nsvErr; }
    };
    struct CountingWorkspace : test::FakeWorkspace {
        int facts = 0;
        QString type = "ntfs";
        bool getFileSystemInfoForPath(const QString&, platform::FileSystemFacts* found) override
        {
            found->type = type;
            return ++facts, true;
        }
    };
    auto* table = test::install<CountingTable>(platform->volumeTable);
    auto* counting = test::install<CountingWorkspace>(platform->workspace);
    const auto lookedAt = [&] { return std::pair(table->calls.load(), counting->facts); };
    auto tab = std::make_unique<DiskManagerViewController>();
    tab->view();
    tab->createView();
    platform.dispatcher().drainMain();
    EXPECT_EQ(lookedAt(), std::pair(0, 0));
    platform.dispatcher().drainGlobal(); // the scan, the enumeration and the folders' facts
    const auto background = lookedAt();
    EXPECT_GT(background.first, 0);
    EXPECT_EQ(background.second, 2) << "the two folders that exist";
    platform.dispatcher().drainMain();
    boxOf(*tab, "disk2s1").mouseDownAction();
    tab->openButAction();
    EXPECT_EQ(lookedAt(), background);
    // The facts found say NTFS (isDisabled is the button's own enabled switch).
    EXPECT_TRUE(!tab->renameBut()->isDisabled() && tab->formatBut()->isDisabled());
    // Looked at again in the background, they now say exFAT: Rename follows.
    counting->type = "exfat";
    platform.dispatcher().drainAll();
    EXPECT_TRUE(tab->renameBut()->isDisabled());
}
