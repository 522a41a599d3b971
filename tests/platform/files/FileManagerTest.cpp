#include "platform/files/PosixFileCatalog.h"
#include "platform/files/PosixFileManager.h"

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
    std::function<void(const QByteArray& name)> beforeOpen = [](const QByteArray&) {};
    QByteArray undeletable;
    OSErr pathMakeRef(const QString& path, FSRef* ref) const override { return real_.pathMakeRef(path, ref); }
    OSErr openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const override
    {
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
    PosixFileCatalog real_;
};

// Everything under `base`, links listed but not followed.
QStringList contents(const QString& base)
{
    QStringList found;
    QDirIterator it(base, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next().mid(base.size() + 1);
    found.sort();
    return found;
}

} // namespace

// Each shape is built beside "outside/keep", which must survive; then "tree" is removed.
TEST(FileManagerTest, RemovalNeverReachesThroughLinksEvenSwappedInMidway)
{
    const struct {
        const char* name;
        std::function<void(const QString& base, HostileCatalog&)> build;
        bool succeeds;
        QStringList left;
    } cases[] = {
        {"links among 100 files",
         [](const QString& base, HostileCatalog&) {
             QDir().mkpath(base + "/tree/a/b");
             for (int i = 0; i < 100; ++i) // removed while their folder is being read
                 test::writeFile(base + QString("/tree/a/f%1").arg(i), "x");
             QFile::link(base + "/outside", base + "/tree/a/to-folder");
             QFile::link(base + "/outside/keep", base + "/tree/a/b/to-file");
             QFile::link(base + "/nowhere", base + "/tree/dangling");
         },
         true, {}},
        {"the item is a link", [](const QString& b, HostileCatalog&) { QFile::link(b + "/outside", b + "/tree"); }, true, {}},
        {"the item is a file", [](const QString& b, HostileCatalog&) { test::writeFile(b + "/tree", "x"); }, true, {}},
        {"the item is missing", [](const QString&, HostileCatalog&) {}, false, {}},
        {"a folder swapped for a link to the outside just before it is opened",
         [](const QString& base, HostileCatalog& catalog) {
             QDir().mkpath(base + "/tree/a/victim/inner");
             catalog.beforeOpen = [base](const QByteArray& name) {
                 if (name == "victim" && QFile::rename(base + "/tree/a/victim", base + "/outside/moved"))
                     QFile::link(base + "/outside", base + "/tree/a/victim");
             };
         },
         true, {"outside/moved", "outside/moved/inner"}},
        {"an entry that cannot be deleted; the rest is",
         [](const QString& base, HostileCatalog& catalog) {
             QDir().mkpath(base + "/tree/a/b");
             QDir().mkpath(base + "/tree/c/d");
             test::writeFile(base + "/tree/a/b/stuck", "x");
             test::writeFile(base + "/tree/a/b/gone", "x");
             catalog.undeletable = "stuck";
         },
         false, {"tree", "tree/a", "tree/a/b", "tree/a/b/stuck"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString base = test::makeTemporaryFolder();
        ASSERT_TRUE(QDir().mkpath(base + "/outside"));
        ASSERT_TRUE(test::writeFile(base + "/outside/keep", "data"));
        auto catalog = std::make_unique<HostileCatalog>();
        c.build(base, *catalog);
        EXPECT_EQ(PosixFileManager(std::move(catalog)).removeItemAtPath(base + "/tree"), c.succeeds);
        QStringList left = c.left + QStringList{"outside", "outside/keep"};
        left.sort();
        EXPECT_EQ(contents(base), left);
    }
}
