#include "platform/folders/LinuxSearchPaths.h"
#include "platform/folders/PrivateFolder.h"
#include "platform/simulated/SimulatedMac.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st {};
    lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(SearchPathsTest, PrivateFoldersRefuseLinksFilesAndOtherOwners)
{
    const QString base = test::makeTemporaryFolder();
    QDir(base).mkdir("loose");
    chmod(QFile::encodeName(base + "/loose").constData(), 0777);
    QDir(base).mkdir("taken");
    QFile::link(test::makeTemporaryFolder(), base + "/link");
    test::writeFile(base + "/file", {});
    const struct {
        const char* name;
        unsigned uidOffset; // another uid stands for a folder that someone else made first
        bool made;
    } cases[] = {{"missing", 0, true}, {"loose", 0, true}, {"link", 0, false}, {"file", 0, false}, {"taken", 1, false}};
    for (const auto& c : cases) {
        const QString path = base + '/' + c.name;
        EXPECT_EQ(PrivateFolder::make(path, getuid() + c.uidOffset), c.made ? path : QString()) << c.name;
        EXPECT_EQ(PrivateFolder::isPrivate(path, getuid() + c.uidOffset), c.made) << c.name;
    }
    EXPECT_EQ(modeOf(base + "/loose"), 0700u);
}

TEST(SearchPathsTest, TemporaryBaseFallsBackToTmpAndRefusesRelativeFolders)
{
    const QString existing = test::makeTemporaryFolder();
    const QString missing = existing + "/missing", tmp = "/tmp";
    const struct {
        QString runtime, tmp, base;
    } cases[] = {{existing, missing, existing}, {missing, existing, existing}, {QString(), missing, tmp},
                 {QString(), QString(), tmp}, {".", "relative/missing", tmp}, {QString(), ".", QString()}};
    for (const auto& c : cases)
        EXPECT_EQ(LinuxSearchPaths::temporaryBase(c.runtime, c.tmp), c.base) << qPrintable(c.runtime + " " + c.tmp);
}

TEST(SearchPathsTest, TemporaryFolderFallsBackWhenTheUsualOneIsTaken)
{
    const QString base = test::makeTemporaryFolder();
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(base));
    ASSERT_TRUE(QFile::link(test::makeTemporaryFolder(), base + QString("/tavrin-%1").arg(getuid())));
    SimulatedMac mac(base, base + "/root");
    LinuxSearchPaths paths(mac);
    const QString first = paths.temporaryDirectory();
    EXPECT_FALSE(first.isEmpty() || QFileInfo(first).isSymLink());
    EXPECT_EQ(modeOf(first), 0700u);
    EXPECT_EQ(paths.temporaryDirectory(), first) << "one folder for the whole process";
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
}

TEST(SearchPathsTest, MacFoldersLieInTheSimulatedMacAndDownloadsIsReal)
{
    SimulatedMac mac("/data", "/sim");
    LinuxSearchPaths paths(mac);
    EXPECT_EQ(paths.searchPathsForDirectory(SearchPathDirectory::Library, SearchPathDomain::All, true),
              (QStringList{"/sim/Users/" + mac.userName() + "/Library", "/sim/Library", "/sim/Network/Library",
                           "/sim/System/Library"}));
    EXPECT_EQ(paths.searchPathsForDirectory(SearchPathDirectory::Applications, SearchPathDomain::User, false),
              QStringList{"~/Applications"});
    EXPECT_EQ(paths.searchPathsForDirectory(SearchPathDirectory::Downloads, SearchPathDomain::User, true),
              QStringList{QDir::homePath() + "/Downloads"});
    EXPECT_TRUE(paths.searchPathsForDirectory(SearchPathDirectory::Downloads, SearchPathDomain::Local, true).isEmpty());
}

TEST(SearchPathsTest, BaseFoldersFallBackToTheHomeAndKernelFoldersAreKnownByTheirFileSystem)
{
    SimulatedMac mac("/data", "/sim");
    LinuxSearchPaths paths(mac);
    const QString home = QDir::homePath();
    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", "relative/cache"); // not absolute: the usual place
    EXPECT_EQ(paths.xdgBaseDirectories(), (QStringList{qEnvironmentVariable("XDG_CONFIG_HOME"), qEnvironmentVariable("XDG_DATA_HOME"),
                                                       home + "/.cache", qEnvironmentVariable("XDG_STATE_HOME")}));
    qputenv("XDG_CACHE_HOME", cache);
    EXPECT_EQ(paths.xdgUsualUserFolder(XdgUserFolder::PublicShare), home + "/Public");
    const QString link = test::makeTemporaryFolder() + "/to-proc";
    ASSERT_TRUE(QFile::link("/proc/self", link));
    for (const auto& [path, kernel] : {std::pair{QString("/proc"), true}, {link, true}, {QString("/sys/kernel"), true},
                                       {home, false}, {QString("/nowhere"), false}})
        EXPECT_EQ(paths.isKernelFolder(path), kernel) << qPrintable(path);
}
