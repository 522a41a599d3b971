#include "files/PosixFileManager.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(FileManagerTest, RemovingALinkLeavesWhatItLeadsTo)
{
    const QString folder = test::makeTemporaryFolder();
    const QString target = folder + QStringLiteral("/keep");
    ASSERT_TRUE(QDir().mkpath(target + QStringLiteral("/inner")));
    ASSERT_TRUE(test::writeFile(target + QStringLiteral("/inner/file"), "data"));
    ASSERT_TRUE(QFile::link(target, folder + QStringLiteral("/link")));
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("/nowhere"), folder + QStringLiteral("/dangling")));

    platform::PosixFileManager files;
    EXPECT_TRUE(files.fileExistsAtPath(folder + QStringLiteral("/dangling")));
    EXPECT_TRUE(files.removeItemAtPath(folder + QStringLiteral("/link")));
    EXPECT_TRUE(files.removeItemAtPath(folder + QStringLiteral("/dangling")));
    EXPECT_TRUE(QFile::exists(target + QStringLiteral("/inner/file")));

    EXPECT_TRUE(files.removeItemAtPath(target));
    EXPECT_FALSE(files.fileExistsAtPath(target));
    EXPECT_FALSE(files.removeItemAtPath(target));
}

TEST(FileManagerTest, CreatesFoldersAndReplacesFiles)
{
    platform::PosixFileManager files;
    const QString folder = test::makeTemporaryFolder() + QStringLiteral("/a/b");
    ASSERT_TRUE(files.createDirectoryAtPath(folder));
    ASSERT_TRUE(files.createFileAtPath(folder + QStringLiteral("/f"), "first"));
    ASSERT_TRUE(files.createFileAtPath(folder + QStringLiteral("/f"), "2"));
    QFile file(folder + QStringLiteral("/f"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("2"));
    EXPECT_FALSE(files.createFileAtPath(folder + QStringLiteral("/missing/f"), "x"));
}
