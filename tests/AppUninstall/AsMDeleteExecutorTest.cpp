#include "AppUninstall/AsMDeleteExecutor.h"
#include "AppUninstall/RelatedAppFilesScanner.h"

#include "AuthorizationFakes.h"
#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "TrashFakes.h"

#include "platform/files/PosixFileManager.h"
#include "platform/folders/SearchPaths.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstring>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {

class RecordingDelegate : public AsMDeleteExecutorDelegate {
public:
    void deleteRelatedFile(const AMAppItemPtr& item) override { removed << item->path; }
    void deleteRelatedFileFail(const AMAppItemPtr& item) override { failed << item->path; }
    QStringList removed;
    QStringList failed;
};

unsigned mode(const QString& file)
{
    struct stat info {};
    lstat(QFile::encodeName(file).constData(), &info);
    return info.st_mode & 07777;
}

class AsMDeleteExecutorTest : public test::PlatformTest {
protected:
    AsMDeleteExecutorTest()
    {
        auto failing = std::make_unique<test::FailingFileManager>(std::make_unique<platform::PosixFileManager>());
        files = failing.get();
        platform->fileManager = std::move(failing);
        authorization = test::install<test::FakeAuthorization>(platform->authorization);
    }

    QString item(const QString& name)
    {
        const QString path = platform.folder() + QLatin1Char('/') + name;
        EXPECT_TRUE(QDir().mkpath(path + QStringLiteral("/Contents")));
        return path;
    }

    // Records found now, below the test's folder.
    QList<AMAppItemPtr> records(const QStringList& paths)
    {
        QList<AMAppItemPtr> records;
        for (const QString& path : paths) {
            records << std::make_shared<AMAppItem>();
            records.last()->path = path;
            records.last()->location = files->locationOfItemAtPath(path, platform.folder(), nullptr);
        }
        return records;
    }

    // Removes the records with a fresh deleter and gives what the delegate heard.
    RecordingDelegate run(const QList<AMAppItemPtr>& records)
    {
        RecordingDelegate delegate;
        AsMDeleteExecutor deleter;
        deleter.setDelegate(&delegate);
        deleter.executeDelete(records);
        platform.dispatcher().drainGlobal();
        return delegate;
    }

    test::FailingFileManager* files = nullptr;
    test::FakeAuthorization* authorization = nullptr;
};

TEST_F(AsMDeleteExecutorTest, OutcomesOfOneRecord)
{
    const QString userFolders = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs");
    const struct {
        const char* name;
        bool goneBefore;
        bool plainRemovalFails;
        bool holdsUserFolder;
        bool grant;
        QByteArray toolOutput;
        bool removed;
        int rightsRequests;
    } cases[] = {
        {"plain", false, false, false, true, {}, true, 0},
        {"already-gone", true, false, false, true, {}, true, 0},
        {"granted", false, true, false, true, {}, true, 1},
        {"denied", false, true, false, false, {}, false, 1},
        {"tool-complains", false, true, false, true, "rm: busy\n", false, 1},
        // Rights would remove no protected folder: none are asked for.
        {"holds-music", false, false, true, true, {}, false, 0},
    };
    for (const auto& c : cases) {
        const QString path = item(QString::fromLatin1(c.name));
        const QList<AMAppItemPtr> found = records({path});
        if (c.goneBefore)
            QDir(path).removeRecursively();
        if (c.plainRemovalFails)
            files->failing.insert(path);
        if (c.holdsUserFolder) {
            ASSERT_TRUE(test::writeFile(userFolders, "XDG_MUSIC_DIR=\"" + QFile::encodeName(path) + "/Contents\"\n"));
        }
        authorization->grant = c.grant;
        authorization->toolOutput = c.toolOutput;
        const int requestsBefore = authorization->rightsRequests;
        const RecordingDelegate heard = run(found);
        QFile::remove(userFolders);
        EXPECT_EQ(heard.removed, c.removed ? QStringList{path} : QStringList()) << c.name;
        EXPECT_EQ(heard.failed, c.removed ? QStringList() : QStringList{path}) << c.name;
        EXPECT_EQ(authorization->rightsRequests - requestsBefore, c.rightsRequests) << c.name;
        EXPECT_EQ(authorization->openSessions, 0) << c.name << ": the session ends with the deleter";
        EXPECT_EQ(platform.log().messages().filter(path + QStringLiteral(" stays: ")).isEmpty(), c.removed) << c.name;
    }
}

TEST_F(AsMDeleteExecutorTest, HeldRightsServeEveryRecordAndRefusedOnesAreAskedAgain)
{
    const QStringList paths{item(QStringLiteral("one")), item(QStringLiteral("two"))};
    for (const QString& path : paths)
        files->failing.insert(path);
    EXPECT_EQ(run(records(paths)).removed, paths);
    EXPECT_EQ(authorization->rightsRequests, 1);

    const QStringList again{item(QStringLiteral("three")), item(QStringLiteral("four"))};
    for (const QString& path : again)
        files->failing.insert(path);
    authorization->grant = false;
    EXPECT_EQ(run(records(again)).failed, again);
    EXPECT_EQ(authorization->rightsRequests, 3);
    EXPECT_TRUE(platform.log().messages().contains(QStringLiteral("Copy Rights Unsuccessful: -60006")));
    EXPECT_TRUE(platform.log().messages().contains(QStringLiteral("Alloc authorization failed!!!")));
}

TEST_F(AsMDeleteExecutorTest, EachRemovalTakesAFreshSessionFromTheExternalFormAndFreesIt)
{
    struct Case {
        platform::OSStatus test::FakeAuthorization::*step;
        const char* logged;
        bool removed;
    };
    const Case cases[] = {
        {&test::FakeAuthorization::makeExternalForm, "Make ExternalForm Unsuccessful: -60008", false},
        {&test::FakeAuthorization::createFromExternalForm, "Creat authorization failed: -60008", false},
        {&test::FakeAuthorization::copyHeldRights, "Copy authorization failed: -60008", true},
        {&test::FakeAuthorization::rightGet, "Get authoriztion failed: -60008", true},
    };
    int index = 0;
    for (const Case& c : cases) {
        *authorization = test::FakeAuthorization();
        authorization->*c.step = -60008;
        const QString path = item(QStringLiteral("case%1").arg(index++));
        files->failing.insert(path);
        EXPECT_EQ(run(records({path})).removed, c.removed ? QStringList{path} : QStringList()) << c.logged;
        EXPECT_TRUE(platform.log().messages().contains(QLatin1String(c.logged))) << c.logged;
        EXPECT_EQ(authorization->openSessions, 0) << c.logged;
    }
}

TEST_F(AsMDeleteExecutorTest, OpensOnlyTheOwnersFoldersAndNeverFollowsALink)
{
    const QString path = item(QStringLiteral("locked"));
    const QString outside = platform.folder() + QStringLiteral("/outside.txt");
    QFile(outside).open(QIODevice::WriteOnly);
    QFile(path + QStringLiteral("/Contents/file")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(outside, path + QStringLiteral("/Contents/link")));
    chmod(QFile::encodeName(outside).constData(), 0640);
    chmod(QFile::encodeName(path + QStringLiteral("/Contents/file")).constData(), 0400);
    chmod(QFile::encodeName(path + QStringLiteral("/Contents")).constData(), 0050);
    chmod(QFile::encodeName(path).constData(), 0500);
    files->failing.insert(path);
    authorization->grant = false;

    EXPECT_EQ(run(records({path})).failed, QStringList{path});
    EXPECT_EQ(mode(path), 0700u);
    EXPECT_EQ(mode(path + QStringLiteral("/Contents")), 0750u);
    EXPECT_EQ(mode(path + QStringLiteral("/Contents/file")), 0400u);
    EXPECT_EQ(mode(outside), 0640u);
}

// A mount in the item, or the item a mount point: what is mounted keeps its modes and contents,
// no rights are asked for, since they would remove no mount, and the log says why the item stays.
TEST_F(AsMDeleteExecutorTest, AMountKeepsItsModesAndNoRightsAreAskedFor)
{
    // A mount namespace of this thread's own, where the deleter runs: the machine's mounts stay.
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "no mount namespace of its own: " << strerror(errno);
    const QString data = test::makeTemporaryFolder(QStringLiteral("data"));
    const std::pair<const char*, const char*> cases[] = {{"baz", "baz/backup"}, {"qux", "qux"}};
    for (const auto& [name, mountPoint] : cases) {
        const QString path = item(QString::fromLatin1(name));
        const QByteArray target = QFile::encodeName(platform.folder() + '/' + mountPoint);
        ASSERT_TRUE(QDir().mkpath(data + "/archive/sealed") && QDir().mkpath(QFile::decodeName(target)));
        ASSERT_EQ(mount(QFile::encodeName(data), target, nullptr, MS_BIND, nullptr), 0) << strerror(errno);
        chmod(QFile::encodeName(data + "/archive/sealed"), 0500);
        chmod(QFile::encodeName(data + "/archive"), 0555);
        EXPECT_EQ(run(records({path})).failed, QStringList{path}) << name;
        umount(target);
        EXPECT_EQ(mode(data + "/archive"), 0555u) << name;
        EXPECT_EQ(mode(data + "/archive/sealed"), 0500u) << name;
        EXPECT_EQ(authorization->rightsRequests, 0) << name;
    }
    const QString folder = platform.folder() + '/';
    EXPECT_EQ(platform.log().messages().filter(QStringLiteral(" stays: ")).join('\n').remove(folder),
              "baz stays: baz/backup is another file system or a mount point\nqux stays: qux is a mount point");
}

TEST_F(AsMDeleteExecutorTest, AFolderSwappedSinceTheSearchKeepsItsItemsAndWhatItLeadsTo)
{
    const QString library = platform->searchPaths->homeDirectory() + QStringLiteral("/Library/");
    const AMAppItemGroup group = RelatedAppFilesScanner::relatedFilesToApplicationAtPath(
        platform->searchPaths->pathOnMac(QStringLiteral("/Applications/Sketchbook.app")));
    // Application Support becomes a link to another folder; Caches, another folder of its name.
    for (const char* path : {"elsewhere/Sketchbook/d", "other/org.tavrin-sample.Sketchbook/d"})
        ASSERT_TRUE(QDir().mkpath(library + QLatin1String(path)));
    const auto moveAside = [&](const QString& folder) { return QDir().rename(library + folder, library + folder + ".old"); };
    ASSERT_TRUE(moveAside("Application Support") && QFile::link(library + "elsewhere", library + "Application Support"));
    ASSERT_TRUE(moveAside("Caches") && QDir().rename(library + "other", library + "Caches"));

    const RecordingDelegate heard = run(group);
    EXPECT_EQ(heard.removed.size(), group.size() - 2) << "the bundle and the other places' files go";
    EXPECT_EQ(heard.failed.size(), 2);
    for (const char* path : {"elsewhere/Sketchbook/d", "Caches/org.tavrin-sample.Sketchbook/d",
                             "Application Support.old/Sketchbook", "Caches.old/org.tavrin-sample.Sketchbook"})
        EXPECT_TRUE(QDir(library + QLatin1String(path)).exists()) << path;
    EXPECT_EQ(authorization->rightsRequests, 0) << "a changed place is never tried with rights";
}

TEST_F(AsMDeleteExecutorTest, ADeleterGoneBeforeItsTaskRunsRemovesAndReportsNothing)
{
    const QString path = item(QStringLiteral("kept"));
    RecordingDelegate delegate;
    {
        AsMDeleteExecutor deleter;
        deleter.setDelegate(&delegate);
        deleter.executeDelete(records({path}));
    }
    platform.dispatcher().drainGlobal();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(delegate.removed.isEmpty() && delegate.failed.isEmpty());
}

} // namespace
