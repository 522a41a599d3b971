#include "platform/files/PosixFileCatalog.h"
#include "platform/files/PosixFileManager.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

// More iterators than the catalog keeps descriptors for: the early ones are closed and reopened.
TEST(FileCatalogTest, ClosedFoldersResumeTheirListingButNeverReopenAnotherFolder)
{
    const QString top = test::makeTemporaryFolder();
    constexpr int kDepth = 100;
    QStringList paths{top + "/d"};
    while (paths.size() < kDepth)
        paths << paths.last() + "/d";
    ASSERT_TRUE(QDir().mkpath(paths.last()));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(test::writeFile(paths[0] + QString("/f%1").arg(i), "x"));
    PosixFileCatalog catalog;
    const auto refOf = [&](const QString& path) { FSRef ref; EXPECT_EQ(catalog.pathMakeRef(path, &ref), noErr); return ref; };
    FSCatalogInfo infos[40];
    FSRef refs[40];
    std::size_t count = 0;
    std::vector<std::unique_ptr<FSIterator>> iterators(kDepth);
    ASSERT_EQ(catalog.openIterator(refOf(paths[0]), &iterators[0]), noErr);
    ASSERT_EQ(iterators[0]->getCatalogInfoBulk(40, &count, kFSCatInfoNodeFlags, infos, refs), noErr);
    for (int level = 1; level < kDepth; ++level) {
        ASSERT_EQ(catalog.openIterator(refOf(paths[level]), &iterators[level]), noErr);
        iterators[level]->getCatalogInfoBulk(1, &count, kFSCatInfoNodeFlags, infos, refs);
    }
    EXPECT_EQ(iterators[0]->getCatalogInfoBulk(40, &count, kFSCatInfoNodeFlags, infos, refs), errFSNoMoreItems);
    EXPECT_EQ(count, 11u) << "the 50 files and the folder, read on where the listing stopped";
    // A closed folder moved away, and a look-alike planted in its place.
    ASSERT_TRUE(QDir().rename(paths[2], top + "/moved"));
    ASSERT_TRUE(QDir().mkpath(paths[5]));
    ASSERT_TRUE(test::writeFile(paths[5] + "/planted", "x"));
    EXPECT_EQ(iterators[5]->getCatalogInfoBulk(40, &count, kFSCatInfoNodeFlags, infos, refs), ioErr);
    EXPECT_EQ(count, 0u);
}

// What a scan records from its listing is what a removal over a location checks.
TEST(FileCatalogTest, AListingTellsTheIdentitiesThatALocationIsCheckedAgainst)
{
    const QString root = test::makeTemporaryFolder();
    ASSERT_TRUE(test::writeFile(root + "/file", "x") && QFile::link(root, root + "/link"));
    PosixFileCatalog catalog;
    FSRef rootRef, refs[2];
    FSCatalogInfo infos[2];
    std::size_t count = 0;
    std::unique_ptr<FSIterator> iterator;
    ASSERT_EQ(catalog.pathMakeRef(root, &rootRef), noErr);
    ASSERT_EQ(catalog.openIterator(rootRef, &iterator), noErr);
    iterator->getCatalogInfoBulk(2, &count, kFSCatInfoGettableInfo, infos, refs);
    const PosixFileManager files;
    for (std::size_t i = 0; i < count; ++i) {
        const ItemLocation location{QFile::encodeName(root), iterator->folderIdentity(), {}, refs[i].name(), infos[i].identity()};
        EXPECT_NE(infos[i].identity(), iterator->folderIdentity()) << "a link is itself";
        QString error;
        EXPECT_TRUE(files.removeItemAtLocation(location, {}, &error)) << error.toStdString();
    }
    EXPECT_EQ(count, 2u);
    EXPECT_TRUE(QDir(root).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System));
}
