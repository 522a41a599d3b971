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
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + "/fifo").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("fifo", folder + "/to-fifo"));
    ASSERT_TRUE(test::writeFile(folder + "/text", "0123456789"));
    ASSERT_TRUE(QFile::link("text", folder + "/to-text"));
    // Neither the FIFO nor a link to it may block; a folder or a device is no file either.
    for (const char* name : {"/fifo", "/to-fifo", "/missing", ""})
        EXPECT_FALSE(readRegularFile(folder + QLatin1String(name))) << name;
    EXPECT_FALSE(readRegularFile("/dev/zero"));
    EXPECT_EQ(readRegularFile(folder + "/to-text"), QByteArray("0123456789"));
    EXPECT_EQ(readRegularFile(folder + "/text", 10), QByteArray("0123456789"));
    EXPECT_FALSE(readRegularFile(folder + "/text", 9));
    // Kernel files report no size; the text is read all the same.
    EXPECT_TRUE(readRegularFile("/proc/self/stat").value_or("").startsWith(QByteArray::number(getpid())));
}

TEST(RegularFileTest, DesktopEntryLinkedToFifoDoesNotHoldUpTheCatalog)
{
    const QString folder = test::makeTemporaryFolder();
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + "/trap").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder + "/trap", folder + "/trap.desktop"));
    ASSERT_TRUE(test::writeFile(folder + "/good.desktop", "[Desktop Entry]\nType=Application\nName=Good\nExec=good\n"));
    // Given with a trailing slash, the folder still names its entries by their own file names.
    platform::ApplicationCatalog catalog({folder + '/'}, "C");
    EXPECT_TRUE(catalog.refresh());
    ASSERT_EQ(catalog.matcher().entries().size(), 1u);
    EXPECT_EQ(catalog.matcher().entries()[0].id, QStringLiteral("good.desktop"));
}
