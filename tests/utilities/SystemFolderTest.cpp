#include "utilities/SystemFolder.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/folders/SearchPaths.h"
#include "platform/plist/PropertyListSerialization.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(SystemFolderTest, ListedPathsCompareExactlyAndAfterAGapNothingIsReached)
{
    test::TestPlatform p;
    for (const auto& [path, protectedPath] : {std::pair{"/System", true}, {"/usr/bin", true}, {"/system", false},
                                               {"/System/", false}, {"", false}})
        EXPECT_EQ(SystemFolder::isSystemFileWithFilePath(path), protectedPath) << path;
    p->propertyLists->writeToFile(QVariantMap{{QString("0"), QString("/a")}, {QString("2"), QString("/c")}},
                                  p.resourcePath(QString("SystemFile.plist")));
    EXPECT_TRUE(SystemFolder::isSystemFileWithFilePath(QString("/a")));
    EXPECT_FALSE(SystemFolder::isSystemFileWithFilePath(QString("/c")));
    QFile::remove(p.resourcePath(QString("SystemFile.plist")));
    EXPECT_FALSE(SystemFolder::isSystemFileWithFilePath(QString("/a")));
}

TEST(SystemFolderTest, TheUsersAndTheSystemsFoldersAreKnownByIdentityWhateverThePath)
{
    test::TestPlatform p;
    const QString home = QDir::homePath(), cases = test::makeTemporaryFolder();
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs";
    ASSERT_TRUE(test::writeFile(config, "XDG_MUSIC_DIR=\"" + QFile::encodeName(cases) + "/It's \\\"Music\\\"\"\n"
                                        "XDG_DOCUMENTS_DIR=\"$HOME/\"\n")); // disabled, still kept in the home
    for (const QString& folder : {cases + "/It's \"Music\"", cases + "/plain", home + "/Documents", home + "/Downloads",
                                  home + "/.local/state"})
        ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::link(home + "/Documents", cases + "/to-documents") && QFile::link(home, cases + "/home"));
    const std::pair<QString, bool> table[] = {
        {"/", true}, {"//usr/./bin/", true}, // a listed folder under another spelling
        {home, true}, {home + "/..", true}, {QFile::decodeName(qgetenv("HOME")) + "/../..", true},
        {p->searchPaths->homeDirectory(), true}, {p->searchPaths->pathOnMac("/System"), true},
        {home + "/Documents", true}, {cases + "/home/Documents", true}, // through a link on the way
        {cases + "/It's \"Music\"", true},
        // The configuration, data, cache and state folders, and what holds them.
        {home + "/.config", true}, {qEnvironmentVariable("XDG_DATA_HOME"), true}, {home + "/.local", true}, {home + "/.cache", true},
        {home + "/.local/state", true},
        {cases + "/to-documents", false}, // the link itself, not what it leads to
        {cases + "/home/Downloads", false}, // the folder a cleanup works on
        {cases + "/plain", false},
    };
    for (const auto& [path, isProtected] : table)
        EXPECT_EQ(SystemFolder::isSystemFileWithFilePath(path), isProtected) << qPrintable(path);
    // A folder that holds another user folder is protected too, up to the folder worked on.
    ASSERT_TRUE(test::writeFile(config, "XDG_MUSIC_DIR=\"$HOME/Downloads/held/Music\"\n") && QDir().mkpath(home + "/Downloads/held/Music"));
    const auto held = SystemFolder::protectedFolders(platform::XdgUserFolder::Download);
    EXPECT_TRUE(held.contains(*SystemFolder::identityOf(home + "/Downloads/held", true)));
    EXPECT_FALSE(held.contains(*SystemFolder::identityOf(home + "/Downloads", true)));
    // The Downloads folder is protected when another folder is the one worked on.
    EXPECT_TRUE(SystemFolder::protectedFolders(platform::XdgUserFolder::Documents)
                    .contains(*SystemFolder::identityOf(home + "/Downloads", true)));
    QFile::remove(config);
}
