#include "CleanupTestSupport.h"

#include "PlatformTest.h"
#include "TrashFakes.h"
#include "platform/files/NativePath.h"
#include "platform/trash/FreedesktopTrash.h"

#include <QDir>

namespace {

using platform::FreedesktopTrash;

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
    static QByteArray read(const QByteArray& path)
    {
        const int fd = ::open(path.constData(), O_RDONLY);
        char buffer[4096];
        const ssize_t length = fd < 0 ? 0 : ::read(fd, buffer, sizeof buffer);
        if (fd >= 0)
            ::close(fd);
        return QByteArray(buffer, length > 0 ? length : 0);
    }

    QByteArray base;
    FreedesktopTrash::Settings settings;
};

TEST_F(FreedesktopTrashTest, RecyclesEachItemUnderItsOwnBytesWithItsRecord)
{
    FreedesktopTrash trash(settings);
    struct Case {
        QByteArray item;
        QByteArray trashed;  // where it lands
        QByteArray recorded; // the record's Path
    };
    const QByteArray home = base + "/data/Trash";
    const QByteArray volumeTrash = base + "/volume/.Trash-" + QByteArray::number(::getuid());
    test::makeFolder(base + "/home/other");
    const Case cases[] = {
        {base + "/home/it's \"q\"\nx", home + "/files/it's \"q\"\nx",
         (base + "/home/it's \"q\"\nx").toPercentEncoding("/")},
        {base + "/home/\xff\xfe.bin", home + "/files/\xff\xfe.bin", (base + "/home/\xff\xfe.bin").toPercentEncoding("/")},
        {base + "/home/same", home + "/files/same", (base + "/home/same").toPercentEncoding("/")},
        {base + "/home/other/same", home + "/files/same.2", (base + "/home/other/same").toPercentEncoding("/")},
        {base + "/volume/100%", volumeTrash + "/files/100%", "100%25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.toStdString());
        test::makeFile(c.item, 2);
        ASSERT_TRUE(trash.recycleItemAtPath(platform::pathFromNative(c.item)));
        EXPECT_FALSE(test::existsAsItself(c.item));
        EXPECT_TRUE(test::existsAsItself(c.trashed));
        const QByteArray folder = c.trashed.left(c.trashed.lastIndexOf("/files/"));
        const QByteArray record = read(folder + "/info/" + c.trashed.mid(c.trashed.lastIndexOf('/') + 1) + ".trashinfo");
        EXPECT_TRUE(record.startsWith("[Trash Info]\nPath=" + c.recorded + "\nDeletionDate=")) << record.constData();
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
    FreedesktopTrash trash(settings);
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
                            "garbage\n";
    EXPECT_EQ(FreedesktopTrash::mountPointsFromMountInfo(info), (QList<QByteArray>{"/", "/media/my disk"}));
}

} // namespace
