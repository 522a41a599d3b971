#include "platform/files/PosixFileCatalog.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace platform;

namespace {

void writeFile(const QString& path, qsizetype size) { ASSERT_TRUE(test::writeFile(path, QByteArray(size, 'x'))); }

FSRef refOf(const QString& path, const FileCatalog& catalog = PosixFileCatalog())
{
    FSRef ref;
    EXPECT_EQ(catalog.pathMakeRef(path, &ref), noErr) << path.toStdString();
    return ref;
}

} // namespace

// 40 files and a folder, plus one name that is no UTF-8 and must come back as its bytes.
TEST(FileCatalogTest, IteratesInBatchesKeepsNamesAsBytesAndSaysWhenDone)
{
    const QString folder = test::makeTemporaryFolder();
    for (int i = 0; i < 40; ++i)
        writeFile(folder + QString("/f%1").arg(i), i);
    QDir().mkdir(folder + "/sub");
    ASSERT_EQ(close(creat((QFile::encodeName(folder) + "/caf\xe9").constData(), 0600)), 0);

    PosixFileCatalog catalog;
    std::unique_ptr<FSIterator> iterator;
    ASSERT_EQ(catalog.openIterator(refOf(folder), &iterator), noErr);
    FSCatalogInfo infos[80];
    FSRef refs[80];
    std::size_t count = 0;
    EXPECT_EQ(iterator->getCatalogInfoBulk(40, &count, kFSCatInfoGettableInfo, infos, refs), noErr);
    EXPECT_EQ(count, 40u);
    std::size_t rest = 0;
    EXPECT_EQ(iterator->getCatalogInfoBulk(40, &rest, kFSCatInfoNodeFlags, infos + 40, refs + 40), errFSNoMoreItems);
    EXPECT_EQ(count + rest, 42u);
    const auto odd = std::find_if(refs, refs + 42, [](const FSRef& ref) { return ref.name() == "caf\xe9"; });
    ASSERT_NE(odd, refs + 42);
    EXPECT_EQ(catalog.getCatalogInfo(*odd, kFSCatInfoGettableInfo, infos), noErr);
    EXPECT_EQ(iterator->getCatalogInfoBulk(40, &rest, kFSCatInfoNodeFlags, infos, refs), errFSNoMoreItems);
    EXPECT_EQ(rest, 0u);
}

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
        writeFile(paths[0] + QString("/f%1").arg(i), 1);

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
    ASSERT_TRUE(QDir().rename(paths[2], top + "/moved"));
    ASSERT_TRUE(QDir().mkpath(paths[5]));
    writeFile(paths[5] + "/planted", 1);
    EXPECT_EQ(iterators[5]->getCatalogInfoBulk(40, &count, kFSCatInfoNodeFlags, infos, refs), ioErr);
    EXPECT_EQ(count, 0u);
}
