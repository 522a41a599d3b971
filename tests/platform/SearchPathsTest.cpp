#include "folders/LinuxSearchPaths.h"
#include "folders/PrivateFolder.h"
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

TEST(SearchPathsTest, PrivateFoldersRefuseLinksFilesAndOtherOwners)
{
    enum class Planted { Nothing, LooseFolder, Link, File };
    const struct {
        const char* name;
        Planted planted;
        unsigned uidOffset; // a non-zero offset stands for a folder someone else made first
        bool made;
    } cases[] = {
        {"missing", Planted::Nothing, 0, true},
        {"loosened", Planted::LooseFolder, 0, true},
        {"link", Planted::Link, 0, false},
        {"file", Planted::File, 0, false},
        {"someone else's", Planted::LooseFolder, 1, false},
    };
    for (const auto& c : cases) {
        const QString path = test::makeTemporaryFolder() + QStringLiteral("/tavrin");
        if (c.planted == Planted::LooseFolder) {
            QDir().mkpath(path);
            chmod(QFile::encodeName(path).constData(), 0777);
        } else if (c.planted == Planted::Link) {
            QFile::link(test::makeTemporaryFolder(), path);
        } else if (c.planted == Planted::File) {
            test::writeFile(path, {});
        }
        const unsigned uid = getuid() + c.uidOffset;
        EXPECT_EQ(PrivateFolder::make(path, uid), c.made ? path : QString()) << c.name;
        EXPECT_EQ(PrivateFolder::isPrivate(path, uid), c.made) << c.name;
        if (c.made) {
            EXPECT_EQ(modeOf(path), 0700u) << c.name;
        }
    }
}

TEST(SearchPathsTest, TemporaryBaseFallsBackToTmpAndRefusesRelativeFolders)
{
    const QString existing = test::makeTemporaryFolder();
    const QString missing = existing + QStringLiteral("/missing");
    const QString file = existing + QStringLiteral("/file");
    ASSERT_TRUE(test::writeFile(file, {}));
    const struct {
        QString runtime, tmp, base;
    } cases[] = {
        {existing, missing, existing},
        {missing, existing, existing},
        {QString(), missing, QStringLiteral("/tmp")},
        {QString(), QString(), QStringLiteral("/tmp")},
        {QString(), file, QStringLiteral("/tmp")},
        {QStringLiteral("."), QStringLiteral("relative/missing"), QStringLiteral("/tmp")},
        {QString(), QStringLiteral("."), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinuxSearchPaths::temporaryBase(c.runtime, c.tmp), c.base)
            << c.runtime.toStdString() << " " << c.tmp.toStdString();
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
