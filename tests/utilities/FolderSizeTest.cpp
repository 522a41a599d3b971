#include "PublicUtilities.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "files/PosixFileCatalog.h"
#include "folders/SearchPaths.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace platform;

namespace {

void writeFile(const QString& path, qsizetype size)
{
    ASSERT_TRUE(test::writeFile(path, QByteArray(size, 'x')));
}

uint64_t sizeOf(const QString& path)
{
    FSRef ref;
    if (Platform::current().fileCatalog->pathMakeRef(path, &ref) != noErr)
        return 0;
    return PublicUtilities::sizeOfFileRef(ref);
}

// The real catalog, except that it will not open folders of one name and counts batches.
class DenyingCatalog final : public FileCatalog {
public:
    explicit DenyingCatalog(QByteArray denied) : denied_(std::move(denied)) {}
    OSErr pathMakeRef(const QString& path, FSRef* ref) const override { return real_.pathMakeRef(path, ref); }
    OSErr openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const override
    {
        if (folder.name() == denied_)
            return afpAccessDenied;
        return real_.openIterator(folder, iterator);
    }
    OSErr getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap which, FSCatalogInfo* info) const override
    {
        return real_.getCatalogInfo(ref, which, info);
    }
    OSErr deleteObject(const FSRef& ref) const override { return real_.deleteObject(ref); }

private:
    PosixFileCatalog real_;
    QByteArray denied_;
};

} // namespace

TEST(FolderSizeTest, SumsDataOfFilesAndFolders)
{
    test::TestPlatform p;
    const QString folder = test::makeTemporaryFolder();
    writeFile(folder + QStringLiteral("/single"), 4321);
    EXPECT_EQ(sizeOf(folder + QStringLiteral("/single")), 4321u);

    QDir().mkpath(folder + QStringLiteral("/empty"));
    EXPECT_EQ(sizeOf(folder + QStringLiteral("/empty")), 0u);

    const QString many = folder + QStringLiteral("/many");
    QDir().mkpath(many + QStringLiteral("/inner/deeper"));
    uint64_t expected = 0;
    for (int i = 1; i <= 41; ++i) { // two batches
        writeFile(many + QStringLiteral("/f%1").arg(i), i);
        expected += uint64_t(i);
    }
    writeFile(many + QStringLiteral("/inner/deeper/z"), 1000);
    EXPECT_EQ(sizeOf(many), expected + 1000);
    EXPECT_EQ(sizeOf(folder + QStringLiteral("/missing")), 0u);
}

TEST(FolderSizeTest, LinksAreCountedAsLinksNeverFollowed)
{
    test::TestPlatform p;
    const QString folder = test::makeTemporaryFolder();
    QDir().mkpath(folder + QStringLiteral("/loop"));
    writeFile(folder + QStringLiteral("/loop/data"), 100);
    ASSERT_TRUE(QFile::link(QStringLiteral(".."), folder + QStringLiteral("/loop/up")));
    ASSERT_TRUE(QFile::link(QStringLiteral("self"), folder + QStringLiteral("/loop/self")));
    writeFile(folder + QStringLiteral("/big"), 100000);
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("/big"), folder + QStringLiteral("/loop/big-link")));

    const uint64_t links = QByteArray("..").size() + QByteArray("self").size()
        + QFile::encodeName(folder + QStringLiteral("/big")).size();
    EXPECT_EQ(sizeOf(folder + QStringLiteral("/loop")), 100 + links);
}

TEST(FolderSizeTest, UnreadableSubfolderGivesPartialSum)
{
    test::TestPlatform p;
    p->fileCatalog = std::make_unique<DenyingCatalog>("locked");
    const QString folder = test::makeTemporaryFolder();
    QDir().mkpath(folder + QStringLiteral("/locked"));
    writeFile(folder + QStringLiteral("/locked/secret"), 500);
    writeFile(folder + QStringLiteral("/visible"), 70);
    EXPECT_EQ(sizeOf(folder), 70u);
    EXPECT_EQ(sizeOf(folder + QStringLiteral("/locked")), 0u);
}

TEST(FolderSizeTest, ApplicationFoldersInDomainOrderDeveloperLast)
{
    test::TestPlatform p;
    const QString root = p->searchPaths->pathOnMac(QStringLiteral("/"));
    EXPECT_EQ(PublicUtilities::applicationPaths(),
              (QStringList{p->searchPaths->homeDirectory() + QStringLiteral("/Applications"),
                           root + QStringLiteral("/Applications"), root + QStringLiteral("/Network/Applications"),
                           root + QStringLiteral("/System/Applications"),
                           root + QStringLiteral("/Developer/Applications")}));
}
