#include "files/PosixFileCatalog.h"
#include "files/PosixFileManager.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

// The real catalog, except that it runs a hook before opening a folder (to swap it while the
// removal runs) and refuses to delete entries of one name.
class HostileCatalog final : public FileCatalog {
public:
    std::function<void(const QByteArray& name)> beforeOpen;
    QByteArray undeletable;

    OSErr pathMakeRef(const QString& path, FSRef* ref) const override { return real_.pathMakeRef(path, ref); }
    OSErr openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const override
    {
        if (beforeOpen)
            beforeOpen(folder.name());
        return real_.openIterator(folder, iterator);
    }
    OSErr getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap which, FSCatalogInfo* info) const override
    {
        return real_.getCatalogInfo(ref, which, info);
    }
    OSErr deleteObject(const FSRef& ref) const override
    {
        return ref.name() == undeletable ? afpAccessDenied : real_.deleteObject(ref);
    }

private:
    PosixFileCatalog real_;
};

// Everything under `base`, links listed but not followed.
QStringList contents(const QString& base)
{
    QStringList found;
    QDirIterator it(base, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next().mid(base.size() + 1);
    found.sort();
    return found;
}

void mkdirs(const QString& base, const QStringList& folders)
{
    for (const QString& folder : folders)
        ASSERT_TRUE(QDir().mkpath(base + '/' + folder));
}

} // namespace

// Each shape: `tree` is removed, `outside` holds what must survive.
TEST(FileManagerTest, RemovalNeverReachesThroughLinksEvenSwappedInMidway)
{
    struct Case {
        const char* name;
        std::function<void(const QString& base, HostileCatalog&)> build;
        const char* removed; // the path removed, relative to the base
        bool succeeds;
        QStringList left;
    };
    const QStringList outside = {"outside", "outside/keep"};
    const Case cases[] = {
        {"links inside the tree",
         [](const QString& base, HostileCatalog&) {
             mkdirs(base, {"tree/a/b"});
             QFile::link(base + "/outside", base + "/tree/a/to-folder");
             QFile::link(base + "/outside/keep", base + "/tree/a/b/to-file");
             QFile::link(base + "/nowhere", base + "/tree/dangling");
         },
         "tree", true, outside},
        {"the item itself is a link", [](const QString& base, HostileCatalog&) {
             QFile::link(base + "/outside", base + "/tree");
         },
         "tree", true, outside},
        {"a folder swapped for a link to the outside just before it is opened",
         [](const QString& base, HostileCatalog& catalog) {
             mkdirs(base, {"tree/a/victim/inner"});
             catalog.beforeOpen = [base](const QByteArray& name) {
                 if (name != "victim")
                     return;
                 QFile::rename(base + "/tree/a/victim", base + "/outside/moved");
                 QFile::link(base + "/outside", base + "/tree/a/victim");
             };
         },
         "tree", true, outside + QStringList{"outside/moved", "outside/moved/inner"}},
        {"an entry that cannot be deleted; the rest is",
         [](const QString& base, HostileCatalog& catalog) {
             mkdirs(base, {"tree/a/b", "tree/c/d"});
             test::writeFile(base + "/tree/a/b/stuck", "x");
             test::writeFile(base + "/tree/a/b/gone", "x");
             catalog.undeletable = "stuck";
         },
         "tree", false, outside + QStringList{"tree", "tree/a", "tree/a/b", "tree/a/b/stuck"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString base = test::makeTemporaryFolder();
        mkdirs(base, {"outside"});
        ASSERT_TRUE(test::writeFile(base + "/outside/keep", "data"));
        auto catalog = std::make_unique<HostileCatalog>();
        c.build(base, *catalog);
        PosixFileManager files(std::move(catalog));
        EXPECT_EQ(files.removeItemAtPath(base + '/' + c.removed), c.succeeds);
        QStringList left = c.left;
        left.sort();
        EXPECT_EQ(contents(base), left);
    }
}

TEST(FileManagerTest, RemovesFilesAndEmptyFoldersAndFailsOnMissingOnes)
{
    const QString base = test::makeTemporaryFolder();
    mkdirs(base, {"many"});
    for (int i = 0; i < 100; ++i) // entries removed while their folder is being read
        ASSERT_TRUE(test::writeFile(base + QStringLiteral("/many/f%1").arg(i), "x"));
    ASSERT_TRUE(test::writeFile(base + "/file", "x"));
    PosixFileManager files;
    EXPECT_TRUE(files.fileExistsAtPath(base + "/file"));
    EXPECT_TRUE(files.removeItemAtPath(base + "/file"));
    EXPECT_TRUE(files.removeItemAtPath(base + "/many"));
    EXPECT_FALSE(files.fileExistsAtPath(base + "/many"));
    EXPECT_FALSE(files.removeItemAtPath(base + "/many"));
    EXPECT_EQ(contents(base), QStringList());
}

TEST(FileManagerTest, CreatesFoldersAndReplacesFiles)
{
    PosixFileManager files;
    const QString folder = test::makeTemporaryFolder() + QStringLiteral("/a/b");
    ASSERT_TRUE(files.createDirectoryAtPath(folder));
    ASSERT_TRUE(files.createFileAtPath(folder + QStringLiteral("/f"), "first"));
    ASSERT_TRUE(files.createFileAtPath(folder + QStringLiteral("/f"), "2"));
    QFile file(folder + QStringLiteral("/f"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("2"));
    EXPECT_FALSE(files.createFileAtPath(folder + QStringLiteral("/missing/f"), "x"));
}
