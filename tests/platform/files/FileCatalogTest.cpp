#include "platform/files/PosixFileCatalog.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace platform;

namespace {

void writeFile(const QString& path, qsizetype size)
{
    ASSERT_TRUE(test::writeFile(path, QByteArray(size, 'x')));
}

FSRef refOf(const QString& path, const FileCatalog& catalog = PosixFileCatalog())
{
    FSRef ref;
    EXPECT_EQ(catalog.pathMakeRef(path, &ref), noErr) << path.toStdString();
    return ref;
}

} // namespace

TEST(FileCatalogTest, IteratesInBatchesAndSaysWhenDone)
{
    const QString folder = test::makeTemporaryFolder();
    for (int i = 0; i < 41; ++i)
        writeFile(folder + QStringLiteral("/f%1").arg(i), i);
    QDir().mkdir(folder + QStringLiteral("/sub"));

    PosixFileCatalog catalog;
    std::unique_ptr<FSIterator> iterator;
    ASSERT_EQ(catalog.openIterator(refOf(folder), &iterator), noErr);
    FSCatalogInfo infos[40];
    FSRef refs[40];
    std::size_t count = 0;
    EXPECT_EQ(iterator->getCatalogInfoBulk(40, &count, kFSCatInfoGettableInfo, infos, refs), noErr);
    EXPECT_EQ(count, 40u);
    std::size_t rest = 0;
    EXPECT_EQ(iterator->getCatalogInfoBulk(40, &rest, kFSCatInfoNodeFlags, infos, refs), errFSNoMoreItems);
    EXPECT_EQ(count + rest, 42u);
    EXPECT_EQ(iterator->getCatalogInfoBulk(40, &rest, kFSCatInfoNodeFlags, infos, refs), errFSNoMoreItems);
    EXPECT_EQ(rest, 0u);
}

TEST(FileCatalogTest, ReportsEntriesAsTheyAreWithoutFollowingLinks)
{
    const QString folder = test::makeTemporaryFolder();
    writeFile(folder + QStringLiteral("/file"), 1234);
    QDir().mkdir(folder + QStringLiteral("/dir"));
    QFile::link(folder + QStringLiteral("/dir"), folder + QStringLiteral("/link"));

    PosixFileCatalog catalog;
    FSCatalogInfo info;
    ASSERT_EQ(catalog.getCatalogInfo(refOf(folder + QStringLiteral("/file")), kFSCatInfoGettableInfo, &info), noErr);
    EXPECT_EQ(info.dataLogicalSize, 1234u);
    EXPECT_EQ(info.nodeFlags & kFSNodeIsDirectoryMask, 0);
    ASSERT_EQ(catalog.getCatalogInfo(refOf(folder + QStringLiteral("/dir")), kFSCatInfoGettableInfo, &info), noErr);
    EXPECT_NE(info.nodeFlags & kFSNodeIsDirectoryMask, 0);
    ASSERT_EQ(catalog.getCatalogInfo(refOf(folder + QStringLiteral("/link")), kFSCatInfoGettableInfo, &info), noErr);
    EXPECT_EQ(info.nodeFlags & kFSNodeIsDirectoryMask, 0) << "a link to a folder is not a folder";

    std::unique_ptr<FSIterator> iterator;
    EXPECT_EQ(catalog.openIterator(refOf(folder + QStringLiteral("/file")), &iterator), errFSNotAFolder);
    EXPECT_EQ(catalog.openIterator(refOf(folder + QStringLiteral("/link")), &iterator), errFSNotAFolder);
    FSRef missing;
    EXPECT_EQ(catalog.pathMakeRef(folder + QStringLiteral("/missing"), &missing), fnfErr);
    EXPECT_EQ(catalog.openIterator(FSRef(), &iterator), fnfErr);
}

TEST(FileCatalogTest, UnreadableFolderIsAccessDenied)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const QString folder = test::makeTemporaryFolder() + QStringLiteral("/locked");
    QDir().mkdir(folder);
    QFile::setPermissions(folder, QFileDevice::Permissions());
    std::unique_ptr<FSIterator> iterator;
    EXPECT_EQ(PosixFileCatalog().openIterator(refOf(folder), &iterator), afpAccessDenied);
}

TEST(FileCatalogTest, NamesThatAreNotUtf8AreKeptAsBytes)
{
    const QString folder = test::makeTemporaryFolder();
    const QByteArray name = QFile::encodeName(folder) + "/caf\xe9";
    ASSERT_EQ(close(creat(name.constData(), 0600)), 0);
    PosixFileCatalog catalog;
    std::unique_ptr<FSIterator> iterator;
    ASSERT_EQ(catalog.openIterator(refOf(folder), &iterator), noErr);
    FSCatalogInfo info;
    FSRef ref;
    std::size_t count = 0;
    iterator->getCatalogInfoBulk(1, &count, kFSCatInfoGettableInfo, &info, &ref);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(ref.name(), QByteArray("caf\xe9"));
    EXPECT_EQ(catalog.getCatalogInfo(ref, kFSCatInfoGettableInfo, &info), noErr);
}

// More iterators than the catalog keeps descriptors for: the early ones are closed and reopened.
TEST(FileCatalogTest, ClosedFoldersResumeTheirListingButNeverReopenAnotherFolder)
{
    const QString top = test::makeTemporaryFolder();
    constexpr int kDepth = 100;
    QString path = top;
    QStringList paths;
    for (int level = 0; level < kDepth; ++level)
        paths << (path += QStringLiteral("/d"));
    ASSERT_TRUE(QDir().mkpath(path));
    for (int i = 0; i < 50; ++i)
        writeFile(paths[0] + QStringLiteral("/f%1").arg(i), 1);

    PosixFileCatalog catalog;
    FSCatalogInfo infos[40];
    FSRef refs[40];
    std::size_t count = 0;
    std::vector<std::unique_ptr<FSIterator>> iterators(kDepth);
    ASSERT_EQ(catalog.openIterator(refOf(paths[0], catalog), &iterators[0]), noErr);
    ASSERT_EQ(iterators[0]->getCatalogInfoBulk(40, &count, kFSCatInfoNodeFlags, infos, refs), noErr);
    for (int level = 1; level < kDepth; ++level) {
        ASSERT_EQ(catalog.openIterator(refOf(paths[level], catalog), &iterators[level]), noErr);
        iterators[level]->getCatalogInfoBulk(1, &count, kFSCatInfoNodeFlags, infos, refs);
    }

    EXPECT_EQ(iterators[0]->getCatalogInfoBulk(40, &count, kFSCatInfoNodeFlags, infos, refs), errFSNoMoreItems);
    EXPECT_EQ(count, 11u) << "the 50 files and the folder, read on where the listing stopped";

    // A closed folder moved away, and a look-alike planted in its place.
    ASSERT_TRUE(QDir().rename(paths[2], top + QStringLiteral("/moved")));
    ASSERT_TRUE(QDir().mkpath(paths[5]));
    writeFile(paths[5] + QStringLiteral("/planted"), 1);
    EXPECT_EQ(iterators[5]->getCatalogInfoBulk(40, &count, kFSCatInfoNodeFlags, infos, refs), ioErr);
    EXPECT_EQ(count, 0u);
}
