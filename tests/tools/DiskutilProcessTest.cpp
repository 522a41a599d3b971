// The built stand-in, run as the program runs it, on the test's own simulated Mac.
#include "DiskKeys.h"
#include "ProgramRun.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/plist/LibplistSerialization.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace diskkeys;

namespace {

struct Stand {
    test::TestPlatform p;
    QString tool = p.bundlePath() + "/Contents/Helpers/diskutil";

    tools::ProgramOutcome run(const QStringList& arguments) const { return tools::runProgram(tool, arguments); }
    QVariantMap plist(const QStringList& arguments) const
    {
        return platform::LibplistSerialization().propertyListFromData(run(arguments).standardOutput).toMap();
    }
};

} // namespace

TEST(DiskutilProcessTest, HostileNamesChangeTheStateThatTheNextRunReads)
{
    Stand s;
    const QString log = test::makeTemporaryFolder() + "/calls";
    qputenv("TAVRIN_TOOL_LOG", QFile::encodeName(log));
    QDir::setCurrent(test::makeTemporaryFolder());
    const QString hostile = "-$(touch pwned); \"q\"\n`touch pwned`";
    const auto renamed = s.run({"rename", "disk2s1", hostile});
    EXPECT_EQ(renamed.exitStatus, 0);
    EXPECT_EQ(QString::fromUtf8(renamed.standardOutput), "Volume on disk2s1 renamed to " + hostile + "\n");
    EXPECT_EQ(s.plist({"info", "-plist", "/dev/disk2s1"})[kVolumeName].toString(), hostile);
    EXPECT_EQ(s.run({"eraseVolume", "MS-DOS FAT32", "-x", "disk2s1"}).exitStatus, 0);
    const QVariantMap erased = s.plist({"info", "-plist", "-x"});
    EXPECT_EQ(erased[kDeviceIdentifier].toString(), "disk2s1");
    EXPECT_EQ(erased[kFilesystemName].toString(), "MS-DOS FAT32");
    EXPECT_TRUE(QFileInfo(erased[kMountPoint].toString()).isDir());
    qunsetenv("TAVRIN_TOOL_LOG");
    EXPECT_EQ(test::readFile(log).count('\n'), 4);
    EXPECT_FALSE(QFile::exists("pwned"));
    EXPECT_FALSE(QFile::exists(QDir::homePath() + "/pwned"));
    // Each run reads the state file again; an unmount is there for the next one, and the file
    // is replaced whole.
    EXPECT_EQ(s.run({"unmount", "disk2s1"}).exitStatus, 0);
    EXPECT_EQ(s.plist({"info", "-plist", "disk2s1"})[kMountPoint].toString(), "");
    EXPECT_FALSE(s.plist({"list", "-plist"})[kVolumesFromDisks].toStringList().contains("-x"));
}

TEST(DiskutilProcessTest, RecordedDevicesAreSeenButNeverActedOn)
{
    Stand s;
    qputenv("TAVRIN_REAL_VOLUMES", QFile::encodeName(test::fixturePath("lsblk/usb-stick.json")));
    EXPECT_TRUE(s.plist({"list", "-plist"})[kAllDisks].toStringList().contains("disk4s1"));
    EXPECT_EQ(s.plist({"info", "-plist", "KINGSTON"})[kDeviceIdentifier].toString(), "disk4s1");
    const struct {
        QStringList arguments;
        const char* error;
    } cases[] = {
        {{"mount", "disk4s1"}, "Volume on disk4s1 failed to mount: the device comes from a recorded device list"},
        {{"eject", "disk4"}, "Disk disk4 failed to eject: the device comes from a recorded device list"},
        {{"rename", "disk4s1", "X"}, "Failed to rename volume on disk4s1: the device comes from a recorded device list"},
        {{"eraseVolume", "ExFAT", "X", "/dev/disk4s1"}, "Could not erase disk4s1: it is a device of this machine"},
        {{"reformat", "disk4s1"}, "Could not erase disk4s1: it is a device of this machine"},
        {{"info", "-plist", "disk9"}, "Could not find disk: disk9"},
        {{"eraseVolume", "FAT64", "X", "disk2s1"}, "\"FAT64\" does not appear to be a valid file system format"},
        {{"rename", "disk2s1"}, "Usage: diskutil rename"},
        {{"format"}, "diskutil: did not recognize verb \"format\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(' ')));
        const auto outcome = s.run(c.arguments);
        EXPECT_EQ(outcome.exitStatus, 1);
        EXPECT_TRUE(outcome.standardError.startsWith(c.error)) << outcome.standardError.constData();
        EXPECT_EQ(outcome.standardError.count('\n'), 1);
        EXPECT_TRUE(outcome.standardOutput.isEmpty());
    }
    qputenv("TAVRIN_REAL_VOLUMES", "0");
    EXPECT_FALSE(s.plist({"list", "-plist"})[kAllDisks].toStringList().contains("disk4"));
}
