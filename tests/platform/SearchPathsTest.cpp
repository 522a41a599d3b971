#include "folders/LinuxSearchPaths.h"
#include "simulated/SimulatedMac.h"

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

TEST(SearchPathsTest, PrivateFolderIsMadeForThisUserOnly)
{
    const QString base = test::makeTemporaryFolder();
    const QString path = LinuxSearchPaths::privateFolder(base, getuid());
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(modeOf(path), 0700u);

    // Loosened permissions are tightened again.
    chmod(QFile::encodeName(path).constData(), 0777);
    EXPECT_EQ(LinuxSearchPaths::privateFolder(base, getuid()), path);
    EXPECT_EQ(modeOf(path), 0700u);
}

TEST(SearchPathsTest, PlantedLinksAndFilesAreRefused)
{
    const QString base = test::makeTemporaryFolder();
    const QString elsewhere = test::makeTemporaryFolder();
    const QString name = QStringLiteral("/tavrin-%1").arg(getuid());
    ASSERT_TRUE(QFile::link(elsewhere, base + name));
    EXPECT_TRUE(LinuxSearchPaths::privateFolder(base, getuid()).isEmpty());

    const QString other = test::makeTemporaryFolder();
    QFile file(other + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(LinuxSearchPaths::privateFolder(other, getuid()).isEmpty());

    // Someone else's folder of that name is refused too.
    EXPECT_TRUE(LinuxSearchPaths::privateFolder(elsewhere, getuid() + 1).isEmpty());
}

TEST(SearchPathsTest, TemporaryFolderFallsBackWhenTheUsualOneIsTaken)
{
    const QString base = test::makeTemporaryFolder();
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(base));
    ASSERT_TRUE(QFile::link(test::makeTemporaryFolder(), base + QStringLiteral("/tavrin-%1").arg(getuid())));
    SimulatedMac mac(base, base + QStringLiteral("/root"));
    LinuxSearchPaths paths(mac);
    const QString first = paths.temporaryDirectory();
    EXPECT_FALSE(first.isEmpty());
    EXPECT_FALSE(QFileInfo(first).isSymLink());
    EXPECT_EQ(modeOf(first), 0700u);
    EXPECT_EQ(paths.temporaryDirectory(), first) << "one folder for the whole process";
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
}

TEST(SearchPathsTest, MacFoldersLieInTheSimulatedMacAndDownloadsIsReal)
{
    SimulatedMac mac(QStringLiteral("/data"), QStringLiteral("/sim"));
    LinuxSearchPaths paths(mac);
    const QString home = QStringLiteral("/sim/Users/") + mac.userName();
    EXPECT_EQ(paths.searchPathsForDirectory(SearchPathDirectory::Library, SearchPathDomain::All, true),
              (QStringList{home + QStringLiteral("/Library"), QStringLiteral("/sim/Library"),
                           QStringLiteral("/sim/Network/Library"), QStringLiteral("/sim/System/Library")}));
    EXPECT_EQ(paths.searchPathsForDirectory(SearchPathDirectory::Applications, SearchPathDomain::User, false),
              QStringList{QStringLiteral("~/Applications")});
    EXPECT_EQ(paths.searchPathsForDirectory(SearchPathDirectory::Downloads, SearchPathDomain::User, true),
              QStringList{QDir::homePath() + QStringLiteral("/Downloads")});
    EXPECT_TRUE(paths.searchPathsForDirectory(SearchPathDirectory::Downloads, SearchPathDomain::Local, true).isEmpty());
}
