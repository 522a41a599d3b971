#include "SystemFolder.h"

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
    const QString home = QDir::homePath();
    const QString macHome = p->searchPaths->homeDirectory();
    const QString cases = test::makeTemporaryFolder();
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs";
    ASSERT_TRUE(test::writeFile(config, "XDG_MUSIC_DIR=\"" + QFile::encodeName(cases) + "/It's \\\"Music\\\"\"\n"));
    for (const char* folder : {"/It's \"Music\"", "/Downloads", "/plain", "/up"})
        ASSERT_TRUE(QDir().mkpath(cases + folder));
    for (const char* folder : {"/Documents", "/Downloads"})
        ASSERT_TRUE(QDir().mkpath(home + folder));
    ASSERT_TRUE(QFile::link(home + "/Documents", cases + "/to-documents"));
    ASSERT_TRUE(QFile::link(home, cases + "/up/home"));
    const struct {
        QString path;
        bool isProtected;
    } table[] = {
        {"/", true},
        {"//usr/./bin/", true}, // a listed folder under another spelling
        {home, true},
        {home + "/..", true},
        {QFile::decodeName(qgetenv("HOME")) + "/../..", true},
        {macHome, true},
        {p->searchPaths->pathOnMac("/System"), true},
        {home + "/Documents", true},
        {cases + "/up/home/Documents", true}, // through a link on the way
        {cases + "/It's \"Music\"", true},
        {cases + "/to-documents", false}, // the link itself, not what it leads to
        {cases + "/up/home/Downloads", false}, // the folder a cleanup works on
        {cases + "/plain", false},
    };
    for (const auto& c : table)
        EXPECT_EQ(SystemFolder::isSystemFileWithFilePath(c.path), c.isProtected) << qPrintable(c.path);
    // The Downloads folder is protected when another folder is the one worked on.
    EXPECT_TRUE(SystemFolder::protectedFolders(platform::XdgUserFolder::Documents)
                    .contains(*SystemFolder::identityOf(home + "/Downloads", true)));
    QFile::remove(config);
}
