#include "platform/files/RegularFile.h"
#include "platform/workspace/ApplicationCatalog.h"

#include "IsolatedEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using platform::readRegularFile;

TEST(RegularFileTest, OnlyRegularFilesWithinTheLimitAreRead)
{
    const QString folder = test::makeTemporaryFolder();
    const QString fifo = folder + QStringLiteral("/fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(symlink(QFile::encodeName(fifo).constData(), QFile::encodeName(folder + QStringLiteral("/to-fifo")).constData()), 0);
    ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/text"), "0123456789"));
    ASSERT_EQ(symlink("text", QFile::encodeName(folder + QStringLiteral("/to-text")).constData()), 0);

    // Neither the FIFO nor a link to it may block; a folder or a device is no file either.
    for (const char* name : {"/fifo", "/to-fifo", "/missing", ""})
        EXPECT_FALSE(readRegularFile(folder + QLatin1String(name))) << name;
    EXPECT_FALSE(readRegularFile(QStringLiteral("/dev/zero")));
    EXPECT_EQ(readRegularFile(folder + QStringLiteral("/to-text")), QByteArray("0123456789"));
    EXPECT_EQ(readRegularFile(folder + QStringLiteral("/text"), 10), QByteArray("0123456789"));
    EXPECT_FALSE(readRegularFile(folder + QStringLiteral("/text"), 9));
    // Kernel files report no size; the text is read all the same.
    EXPECT_TRUE(readRegularFile(QStringLiteral("/proc/self/stat")).value_or(QByteArray()).startsWith(QByteArray::number(getpid())));
}

TEST(RegularFileTest, DesktopEntryLinkedToFifoDoesNotHoldUpTheCatalog)
{
    const QString folder = test::makeTemporaryFolder();
    const QString fifo = folder + QStringLiteral("/trap");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(symlink(QFile::encodeName(fifo).constData(), QFile::encodeName(folder + QStringLiteral("/trap.desktop")).constData()), 0);
    ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/good.desktop"),
                                "[Desktop Entry]\nType=Application\nName=Good\nExec=good\n"));
    // Given with a trailing slash, the folder still names its entries by their own file names.
    platform::ApplicationCatalog catalog({folder + QLatin1Char('/')}, QStringLiteral("C"));
    EXPECT_TRUE(catalog.refresh());
    ASSERT_EQ(catalog.matcher().entries().size(), 1u);
    EXPECT_EQ(catalog.matcher().entries()[0].id, QStringLiteral("good.desktop"));
}
