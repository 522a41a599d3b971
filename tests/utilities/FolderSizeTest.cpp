#include "utilities/PublicUtilities.h"

#include "IsolatedEnvironment.h"
#include "TestFiles.h"
#include "TestPlatform.h"

#include "platform/files/FileManager.h"
#include "platform/files/PosixFileCatalog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

uint64_t sizeOf(const QString& path)
{
    FSRef ref;
    if (Platform::current().fileCatalog->pathMakeRef(path, &ref) != noErr)
        return 0;
    return PublicUtilities::sizeOfFileRef(ref);
}

// A chain of `depth` folders named "d" inside `folder`, a file of 0 to 4 bytes in each; built
// relative to descriptors, since its paths pass PATH_MAX. Gives the bytes in it.
uint64_t buildChain(const QString& folder, int depth)
{
    uint64_t total = 0;
    int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < depth && fd >= 0; ++level) {
        const int file = openat(fd, "f", O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        total += uint64_t(write(file, "1234", level % 5));
        close(file);
        mkdirat(fd, "d", 0700);
        const int inner = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = inner;
    }
    close(fd);
    return total;
}

// The real catalog, except that it will not open folders named "locked".
class DenyingCatalog final : public FileCatalog {
public:
    OSErr pathMakeRef(const QString& path, FSRef* ref) const override { return real_.pathMakeRef(path, ref); }
    OSErr openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const override
    {
        return folder.name() == "locked" ? afpAccessDenied : real_.openIterator(folder, iterator);
    }
    OSErr getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap which, FSCatalogInfo* info) const override
    {
        return real_.getCatalogInfo(ref, which, info);
    }
    OSErr deleteObject(const FSRef& ref) const override { return real_.deleteObject(ref); }
    PosixFileCatalog real_;
};

} // namespace

TEST(FolderSizeTest, SumsDataOfFilesAndFoldersOverTwoBatchesWhateverTheirNames)
{
    test::TestPlatform p;
    const QString folder = test::makeTemporaryFolder();
    QDir().mkpath(folder + "/inner/deeper");
    for (int i = 1; i <= 41; ++i)
        test::placeFile(folder + QString("/f%1").arg(i), QByteArray(i, 'x'));
    test::placeFile(folder + "/inner/deeper/z", QByteArray(1000, 'x'));
    // A name that is no UTF-8 is still found by its bytes.
    const int odd = open((QFile::encodeName(folder) + "/caf\xe9").constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(write(odd, "12345", 5), 5);
    close(odd);
    EXPECT_EQ(sizeOf(folder), 1005u + 41 * 42 / 2);
    EXPECT_EQ(sizeOf(folder + "/f41"), 41u);
    EXPECT_EQ(sizeOf(folder + "/inner"), 1000u);
    EXPECT_EQ(sizeOf(folder + "/missing"), 0u);
}

TEST(FolderSizeTest, LinksAreCountedAsLinksNeverFollowed)
{
    test::TestPlatform p;
    const QString folder = test::makeTemporaryFolder();
    QDir().mkpath(folder + "/loop");
    test::placeFile(folder + "/loop/data", QByteArray(100, 'x'));
    test::placeFile(folder + "/big", QByteArray(100000, 'x'));
    ASSERT_TRUE(QFile::link("..", folder + "/loop/up"));
    ASSERT_TRUE(QFile::link("self", folder + "/loop/self"));
    ASSERT_TRUE(QFile::link(folder + "/big", folder + "/loop/big-link"));
    // Each link counts the length of its target text.
    EXPECT_EQ(sizeOf(folder + "/loop"), uint64_t(100 + 2 + 4 + QFile::encodeName(folder + "/big").size()));
}

TEST(FolderSizeTest, UnreadableSubfolderGivesPartialSum)
{
    test::TestPlatform p;
    p->fileCatalog = std::make_unique<DenyingCatalog>();
    const QString folder = test::makeTemporaryFolder();
    QDir().mkpath(folder + "/locked");
    test::placeFile(folder + "/locked/secret", QByteArray(500, 'x'));
    test::placeFile(folder + "/visible", QByteArray(70, 'x'));
    EXPECT_EQ(sizeOf(folder), 70u);
    EXPECT_EQ(sizeOf(folder + "/locked"), 0u);
}

// Deeper than the descriptor limit, with paths past PATH_MAX, on a stack that recursion over
// 3 000 levels would overflow.
TEST(FolderSizeTest, TreeDeeperThanDescriptorsAndStackIsMeasuredAndRemovedExactly)
{
    test::TestPlatform p;
    const QString folder = test::makeTemporaryFolder() + "/deep";
    ASSERT_TRUE(QDir().mkdir(folder));
    const uint64_t expected = buildChain(folder, 3000);
    uint64_t size = 0;
    bool removed = false;
    std::unique_ptr<QThread> walk(QThread::create([&] {
        size = sizeOf(folder);
        removed = p->fileManager->removeItemAtPath(folder);
    }));
    walk->setStackSize(256 * 1024);
    rlimit saved {};
    getrlimit(RLIMIT_NOFILE, &saved);
    const rlimit lowered = {64, saved.rlim_max};
    setrlimit(RLIMIT_NOFILE, &lowered);
    walk->start();
    walk->wait();
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(size, expected);
    EXPECT_TRUE(removed);
    EXPECT_FALSE(QFileInfo::exists(folder));
}
