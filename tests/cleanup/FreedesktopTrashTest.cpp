#include "CleanupTestSupport.h"
#include "PlatformTest.h"
#include "TrashFakes.h"
#include "platform/files/NativePath.h"
#include "platform/trash/FreedesktopTrash.h"
#include <QDir>
#include <fstream>

namespace {

class FreedesktopTrashTest : public test::PlatformTest {
protected:
    FreedesktopTrashTest() : base(QFile::encodeName(platform.folder()) + "/t")
    {
        for (const char* folder : {"", "/data", "/home", "/volume", "/mac", "/mac/.Trash", "/outside"})
            test::makeFolder(base + folder);
        test::makeFile(base + "/outside/keep", 1);
        settings.homeTrash = QFile::decodeName(base + "/data/Trash");
        settings.mountPoints = [this] { return QList<QByteArray>{"/", base + "/volume"}; };
        settings.plainTrashes = [this] { return QStringList{QFile::decodeName(base + "/mac/.Trash")}; };
        settings.uid = ::getuid();
    }
    QByteArray base;
    platform::FreedesktopTrash::Settings settings;
};

TEST_F(FreedesktopTrashTest, RecyclesEachItemUnderItsOwnBytesWithItsRecord)
{
    platform::FreedesktopTrash trash(settings);
    const QByteArray home = base + "/data/Trash/", volume = base + "/volume/.Trash-" + QByteArray::number(::getuid()) + '/';
    test::makeFolder(base + "/home/other");
    // The item, its name in the Trash and the record's Path (the item's own bytes when empty).
    const std::array<QByteArray, 3> cases[] = {{"/home/it's \"q\"\nx", home + "it's \"q\"\nx", {}},
                                               {"/home/\xff\xfe.bin", home + "\xff\xfe.bin", {}},
                                               {"/home/same", home + "same", {}},
                                               {"/home/other/same", home + "same.2", {}},
                                               {"/volume/100%", volume + "100%", "100%25"}};
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
    for (const QByteArray& item : {base + "/home/a", base + "/home/theirs", base + "/volume/b", base + "/home/fails"}) {
        test::makeFile(item, 1);
        ASSERT_TRUE(trash.recycleItemAtPath(QFile::decodeName(item)));
    }
    test::makeFile(base + "/mac/.Trash/old", 1);
    ASSERT_EQ(::symlink((base + "/outside").constData(), (base + "/mac/.Trash/link").constData()), 0);
    auto fileManager = std::make_unique<test::FailingFileManager>(std::move(platform->fileManager));
    fileManager->failing << QFile::decodeName(base + "/data/Trash/files/fails");
    platform->fileManager = std::move(fileManager);
    const platform::TrashEmptying result = trash.emptyTrash();
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(result.removed, 6); // a and b with their records, old and link
    const auto listing = [](const QByteArray& folder) {
        return QDir(QFile::decodeName(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    };
    EXPECT_EQ(listing(base + "/data/Trash/files"), QStringList({"fails", "theirs"}));
    EXPECT_EQ(listing(base + "/data/Trash/info"), QStringList({"fails.trashinfo", "theirs.trashinfo"}));
    EXPECT_TRUE(listing(volumeTrash + "/files").isEmpty());
    EXPECT_TRUE(listing(base + "/mac/.Trash").isEmpty());
    EXPECT_TRUE(test::existsAsItself(volumeTrash + "/info"));
    EXPECT_TRUE(test::existsAsItself(base + "/outside/keep"));
    EXPECT_TRUE(platform.log().messages().join('\n').contains("Trash: 1 items could not be removed"));
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
