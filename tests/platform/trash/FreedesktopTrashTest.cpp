#include "FileTree.h"
#include "MountNamespace.h"
#include "PlatformTest.h"
#include "TrashFakes.h"
#include "platform/files/NativePath.h"
#include "platform/files/PosixIdentity.h"
#include "platform/trash/FreedesktopTrash.h"
#include "platform/files/FileManager.h"
#include <QDir>
#include <QFile>
#include <fstream>
#include <future>

namespace {

class FreedesktopTrashTest : public test::PlatformTest {
protected:
    FreedesktopTrashTest() : base(QFile::encodeName(platform.folder()) + "/t")
    {
        for (const char* folder : {"", "/data", "/home", "/volume", "/mac", "/mac/.Trash", "/volumes", "/outside"})
            test::makeFolder(base + folder);
        test::makeFile(base + "/outside/keep", 1);
        settings.homeTrash = QFile::decodeName(base + "/data/Trash");
        settings.mountPoints = [this] { return QList<QByteArray>{base + "/volume"}; };
        settings.macHome = QFile::decodeName(base + "/mac");
        settings.volumes = QFile::decodeName(base + "/volumes");
        settings.uid = ::getuid();
        settings.fileManager = platform->fileManager;
    }
    QByteArray base;
    platform::FreedesktopTrash::Settings settings;
};

TEST_F(FreedesktopTrashTest, RecyclesEachItemUnderItsOwnBytesWithItsRecord)
{
    platform::FreedesktopTrash trash(settings);
    const QByteArray home = base + "/data/Trash/", volume = base + "/volume/.Trash-" + QByteArray::number(::getuid()) + '/';
    test::makeFolder(base + "/home/other");
    const QByteArray longName(249, 'n'); // 250 bytes with its last letter: too long with ".trashinfo"
    // The item, its name in the Trash and the record's Path (the item's own bytes when empty).
    const std::array<QByteArray, 3> cases[] = {{"/home/it's \"q\"\nx", home + "it's \"q\"\nx", {}},
                                               {"/home/\xff\xfe.bin", home + "\xff\xfe.bin", {}},
                                               {"/home/same", home + "same", {}},
                                               {"/home/other/same", home + "same.2", {}},
                                               {"/volume/100%", volume + "100%", "100%25"},
                                               {"/home/" + longName + "a", home + longName.left(245), {}},
                                               {"/home/" + longName + "b", home + longName.left(243) + ".2", {}}};
    for (const auto& [item, trashed, recorded] : cases) {
        SCOPED_TRACE(item.toStdString());
        test::makeFile(base + item, 2);
        ASSERT_TRUE(trash.recycleItemAtPath(platform::pathFromNative(base + item)));
        EXPECT_FALSE(test::existsAsItself(base + item));
        const auto slash = trashed.lastIndexOf('/');
        EXPECT_TRUE(test::existsAsItself(trashed.left(slash) + "/files" + trashed.mid(slash)));
        std::ifstream in((trashed.left(slash) + "/info" + trashed.mid(slash) + ".trashinfo").constData());
        const QByteArray record = QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
        const QByteArray path = recorded.isNull() ? (base + item).toPercentEncoding("/") : recorded;
        EXPECT_TRUE(record.startsWith("[Trash Info]\nPath=" + path + "\nDeletionDate=")) << record.constData();
    }
    // A link to a folder goes as a link; what it leads to stays.
    ASSERT_EQ(::symlink((base + "/outside").constData(), (base + "/home/link").constData()), 0);
    ASSERT_TRUE(trash.recycleItemAtPath(QFile::decodeName(base + "/home/link")));
    EXPECT_TRUE(test::existsAsItself(base + "/outside/keep"));
    EXPECT_FALSE(trash.recycleItemAtPath(QFile::decodeName(base + "/home/missing")));
    EXPECT_FALSE(trash.recycleItemAtPath(QStringLiteral("relative")));
}

TEST_F(FreedesktopTrashTest, EmptyingRemovesOnlyTheUsersEntriesAndCountsFailures)
{
    settings.ownerOf = [](const QByteArray& path, uid_t owner) {
        return path.contains("theirs") ? owner + 1 : owner;
    };
    platform::FreedesktopTrash trash(settings);
    const QByteArray volumeTrash = base + "/volume/.Trash-" + QByteArray::number(::getuid());
    test::makeTree(base, {"home/Pictures/", "volumes/Disk/", "volumes/Disk/.Trashes/", "volumes/Disk/.Trashes/old:1",
                          "outside/.Trashes/", "outside/.Trashes/old:1"});
    for (const QByteArray& item : {base + "/home/a", base + "/home/theirs", base + "/volume/b", base + "/home/fails"}) {
        test::makeFile(item, 1);
        ASSERT_TRUE(trash.recycleItemAtPath(QFile::decodeName(item)));
    }
    ASSERT_TRUE(trash.recycleItemAtPath(QFile::decodeName(base + "/home/Pictures"))); // protected since
    struct stat pictures {};
    ASSERT_EQ(::stat(base + "/data/Trash/files/Pictures", &pictures), 0);
    test::makeFile(base + "/mac/.Trash/old", 1);
    ASSERT_EQ(::symlink((base + "/outside").constData(), (base + "/mac/.Trash/link").constData()), 0);
    ASSERT_EQ(::symlink((base + "/outside").constData(), (base + "/volumes/Evil").constData()), 0); // not followed
    auto fileManager = std::make_unique<test::FailingFileManager>(std::move(platform->fileManager));
    fileManager->failing << QFile::decodeName(base + "/data/Trash/files/fails");
    platform->fileManager = std::move(fileManager);
    const platform::TrashEmptying result = trash.emptyTrash({platform::identityOf(pictures)});
    EXPECT_EQ(result.failed, 2);
    EXPECT_EQ(result.removed, 7); // a and b with their records, old, link and the volume's old
    const auto listing = [](const QByteArray& folder) {
        return QDir(QFile::decodeName(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    };
    EXPECT_EQ(listing(base + "/data/Trash/files"), QStringList({"fails", "Pictures", "theirs"}));
    EXPECT_EQ(listing(base + "/data/Trash/info"), QStringList({"fails.trashinfo", "Pictures.trashinfo", "theirs.trashinfo"}));
    EXPECT_TRUE(listing(volumeTrash + "/files").isEmpty());
    EXPECT_TRUE(listing(base + "/mac/.Trash").isEmpty() && listing(base + "/volumes/Disk/.Trashes").isEmpty());
    EXPECT_TRUE(test::existsAsItself(volumeTrash + "/info"));
    EXPECT_EQ(listing(base + "/outside") + listing(base + "/outside/.Trashes"), QStringList({".Trashes", "keep", "old"}));
    EXPECT_TRUE(platform.log().messages().join('\n').contains("Trash: 2 items could not be removed"));
}

// An item reached from its parent's descriptor: however deep, and never through a folder swapped
// since the scan.
TEST_F(FreedesktopTrashTest, ALocationIsTrashedFromItsParentNeverThroughASwap)
{
    platform::FreedesktopTrash trash(settings);
    QByteArray deep = base + "/home";
    platform::FileDescriptor folder(::open(deep.constData(), O_PATH | O_DIRECTORY));
    for (const QByteArray name(250, 'd'); deep.size() <= PATH_MAX; deep += '/' + name) { // made by descriptor
        ASSERT_EQ(::mkdirat(folder.get(), name.constData(), 0700), 0);
        folder = platform::FileDescriptor(::openat(folder.get(), name.constData(), O_PATH | O_DIRECTORY));
    }
    platform::FileDescriptor(::openat(folder.get(), "item", O_WRONLY | O_CREAT, 0600));
    test::makeTree(base, {"home/sub/", "home/sub/victim:1", "outside/victim:1", "home/holder/", "home/holder/Music/"});
    const auto locate = [&](const QByteArray& item) {
        return platform->fileManager->locationOfItemAtPath(platform::pathFromNative(item), platform::pathFromNative(base + "/home"), nullptr);
    };
    const auto deepItem = locate(deep + "/item"), swapped = locate(base + "/home/sub/victim");
    const auto holder = locate(base + "/home/holder");
    ASSERT_TRUE(deepItem && swapped && holder);
    QString refusal;
    EXPECT_FALSE(trash.recycleItemAtLocation(*holder, {holder->identity}, &refusal)); // holds a user folder
    EXPECT_TRUE(refusal.endsWith("is a protected folder or holds one") && test::existsAsItself(base + "/home/holder/Music"));
    ASSERT_EQ(::rename((base + "/home/sub").constData(), (base + "/moved").constData()), 0);
    ASSERT_EQ(::symlink((base + "/outside").constData(), (base + "/home/sub").constData()), 0);
    QString error;
    EXPECT_FALSE(trash.recycleItemAtLocation(*swapped, {}, &error));
    EXPECT_TRUE(error.endsWith("home/sub became a link")) << error.toStdString();
    EXPECT_TRUE(test::existsAsItself(base + "/outside/victim") && test::existsAsItself(base + "/moved/victim"));
    ASSERT_TRUE(trash.recycleItemAtLocation(*deepItem, {}, &error)) << error.toStdString();
    EXPECT_TRUE(test::existsAsItself(base + "/data/Trash/files/item"));
    std::ifstream in((base + "/data/Trash/info/item.trashinfo").constData());
    const std::string record(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(record.find("Path=" + (deep + "/item").toPercentEncoding("/").toStdString() + '\n'), std::string::npos);
}

// A Trash folder that is a mount point (in a namespace of the test's own) is left whole, counted
// as not removed and logged.
TEST_F(FreedesktopTrashTest, AMountedTrashFolderIsNotEmptied)
{
    const QString at = QFile::decodeName(base);
    const auto answer = test::inMountNamespace([&] {
        settings.uid = ::getuid();
        platform::FreedesktopTrash trash(settings);
        QByteArray report;
        for (const QString mounted : {"data/Trash/files", "data/Trash/info", "mac/.Trash", "volumes/Disk/.Trashes"}) {
            if (!test::act(at, "mkdir data/Trash/files; mkdir data/Trash/info; mkdir volumes/Disk; bind outside " + mounted))
                return QByteArray("could not mount");
            const int failed = trash.emptyTrash({}).failed;
            const QStringList refusals = platform.log().messages().filter(mounted + " is another file system or a mount point");
            report += QByteArray::number(failed) + ' ' + QByteArray::number(refusals.size())
                + (QFile::exists(at + "/outside/keep") ? " whole\n" : " emptied\n");
            test::act(at, "umount " + mounted);
        }
        return report;
    });
    if (!answer)
        GTEST_SKIP() << "this system refuses a private user and mount namespace";
    EXPECT_EQ(answer->toStdString(), "1 1 whole\n1 1 whole\n1 1 whole\n1 1 whole\n");
}

// Where an administrator made a volume's `.Trash` as it must be, the user's items go to and are
// emptied from the user's folder in it; any other `.Trash` is left alone.
TEST_F(FreedesktopTrashTest, AVolumesSharedTrashIsUsedAndEmptiedOnlyWhereValid)
{
    const QByteArray uid = QByteArray::number(::getuid());
    const struct {
        const char* name;
        QByteArray shared; // where `.Trash` leads, made with `mode`
        mode_t mode;
        bool isLink;
        QByteArray used;
    } cases[] = {
        {"valid", "/v1/.Trash", 01777, false, "/v1/.Trash/" + uid},
        {"no sticky bit", "/v2/.Trash", 0777, false, "/v2/.Trash-" + uid},
        {"a link to a valid one", "/outside/shared", 01777, true, "/v3/.Trash-" + uid},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray volume = base + c.used.left(3);
        settings.mountPoints = [volume] { return QList<QByteArray>{volume}; };
        platform::FreedesktopTrash trash(settings);
        test::makeTree(base, {c.used.left(3) + '/', c.shared + '/', c.used.left(3) + "/item:1"});
        ASSERT_EQ(::chmod((base + c.shared).constData(), c.mode), 0);
        if (c.isLink) {
            ASSERT_EQ(::symlink((base + c.shared).constData(), (volume + "/.Trash").constData()), 0);
        }
        test::makeTree(base, {c.shared + '/' + uid + '/', c.shared + '/' + uid + "/files/", c.shared + '/' + uid + "/files/earlier:1"});
        ASSERT_TRUE(trash.recycleItemAtPath(platform::pathFromNative(volume + "/item")));
        EXPECT_TRUE(test::existsAsItself(base + c.used + "/files/item"));
        EXPECT_EQ(trash.emptyTrash({}).removed, c.used.contains(".Trash/") ? 3 : 2);
        EXPECT_FALSE(test::existsAsItself(base + c.used + "/files/item"));
        EXPECT_EQ(test::existsAsItself(base + c.shared + '/' + uid + "/files/earlier"), !c.used.contains(".Trash/"));
    }
}

// A mount whose look never ends (a FUSE mount that does not answer) is left out once the
// deadline passes; the other volumes are emptied all the same.
TEST_F(FreedesktopTrashTest, AMountThatDoesNotAnswerIsLeftOutAndTheOthersAreEmptied)
{
    std::promise<void> answer;
    settings.mountPoints = [this] { return QList<QByteArray>{base + "/hung", base + "/volume"}; };
    settings.trashesOn = [held = answer.get_future().share()](const QByteArray& mount) {
        if (mount.endsWith("/hung"))
            held.wait();
        return platform::FreedesktopTrash::userTrashesOn(mount, ::getuid());
    };
    settings.lookUpDeadline = std::chrono::milliseconds(100);
    platform::FreedesktopTrash trash(settings);
    test::makeFile(base + "/volume/item", 1);
    ASSERT_TRUE(trash.recycleItemAtPath(QFile::decodeName(base + "/volume/item")));
    EXPECT_EQ(trash.emptyTrash({}).removed, 2); // the item and its record
    answer.set_value();
    EXPECT_TRUE(platform.log().messages().join('\n').contains("/hung did not answer in time"));
}

TEST(FreedesktopTrashMounts, MountPointsAreReadWithTheirEscapes)
{
    const QByteArray info = "22 1 0:21 / / rw shared:1 - ext4 /dev/sda1 rw\n"
                            "40 22 0:35 / /media/my\\040disk rw - vfat /dev/sdb1 rw\n"
                            "41 22 0:36 / /media/\\377x rw - vfat /dev/sdc1 rw\n" // not UTF-8: kept as bytes
                            "garbage\n";
    EXPECT_EQ(platform::FreedesktopTrash::mountPointsFromMountInfo(info),
              (QList<QByteArray>{"/", "/media/my disk", "/media/\xffx"}));
}

} // namespace
