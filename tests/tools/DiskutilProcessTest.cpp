// The built stand-in, run as the program runs it, on the test's own simulated Mac.
#include "DiskKeys.h"
#include "Diskutil.h"
#include "ProgramRun.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/plist/LibplistSerialization.h"
#include "platform/simulated/SimulatedMac.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

bool writeProc(const char* file, const QByteArray& text)
{
    QFile proc(file);
    return proc.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && proc.write(text) == text.size();
}

// Runs `body` in a forked child inside a user and mount namespace of its own, where it may mount
// without touching the machine's mounts, and gives what the body said; "SKIP ..." when the
// namespace was refused.
QString inPrivateMountNamespace(const std::function<QString()>& body)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return QStringLiteral("SKIP no pipe");
    const QByteArray uid = "0 " + QByteArray::number(::getuid()) + " 1", gid = "0 " + QByteArray::number(::getgid()) + " 1";
    const pid_t child = ::fork();
    if (child == 0) {
        QByteArray said;
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            said = "SKIP unshare: " + QByteArray(strerror(errno));
        else if (!writeProc("/proc/self/setgroups", "deny") || !writeProc("/proc/self/uid_map", uid)
                 || !writeProc("/proc/self/gid_map", gid) || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            said = "SKIP namespace set-up: " + QByteArray(strerror(errno));
        else
            said = body().toUtf8();
        (void)!::write(pipe[1], said.constData(), std::size_t(said.size()));
        ::_exit(0);
    }
    ::close(pipe[1]);
    QByteArray said;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, n);
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    return child < 0 ? QStringLiteral("SKIP no fork") : QString::fromUtf8(said);
}

} // namespace

// A real file system at or inside a volume's folder, or on the Volumes folder, is never emptied: the erase is refused with
// a one-line reason before anything is removed.
TEST(DiskutilProcessTest, AnEraseNeverEmptiesAMountAtOrInsideTheVolumesFolder)
{
    Stand s;
    ASSERT_EQ(s.run({"list", "-plist"}).exitStatus, 0); // makes the volumes' folders
    const QString backup = s.p->simulatedMac->root() + "/Volumes/Backup";
    const QString outside = test::makeTemporaryFolder("outside");
    const struct {
        const char* what;
        std::function<bool()> mount; // in the child
        const char* reason;
    } cases[] = {
        {"tmpfs on the folder", [&] { return ::mount("tmpfs", QFile::encodeName(backup), "tmpfs", 0, "size=1m") == 0; },
         "its folder is the mount point of another file system; nothing was removed"},
        {"bind mount on the folder", [&] { return ::mount(QFile::encodeName(outside), QFile::encodeName(backup), nullptr, MS_BIND, nullptr) == 0; },
         "its folder is the mount point of another file system; nothing was removed"},
        {"bind mount inside the folder", [&] {
             return QDir().mkpath(backup + "/deep/inner")
                 && ::mount(QFile::encodeName(outside), QFile::encodeName(backup + "/deep/inner"), nullptr, MS_BIND, nullptr) == 0;
         }, "another file system is mounted inside its folder; nothing was removed"},
        {"bind mount on the Volumes folder", [&] {
             return QDir().mkpath(outside + "/Backup")
                 && ::mount(QFile::encodeName(outside), QFile::encodeName(QFileInfo(backup).path()), nullptr, MS_BIND, nullptr) == 0;
         }, "the folder that holds it is the mount point of another file system; nothing was removed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(test::writeFile(outside + "/precious.txt", "real"));
        const QString said = inPrivateMountNamespace([&]() -> QString {
            if (!c.mount() || !test::writeFile(backup + "/own.txt", "volume"))
                return "SKIP mount: " + QString::fromUtf8(strerror(errno));
            const auto erased = s.run({"eraseVolume", "ExFAT", "WIPED", "disk2s1"});
            const QString shown = QString::fromUtf8(erased.standardError);
            if (erased.exitStatus != 1 || shown != QStringLiteral("Could not erase disk2s1: %1\n").arg(c.reason))
                return QStringLiteral("status %1, said: %2").arg(erased.exitStatus).arg(shown);
            if (!QFile::exists(backup + "/own.txt"))
                return QStringLiteral("files were removed");
            return s.plist({"info", "-plist", "disk2s1"})[kVolumeName].toString();
        });
        if (said.startsWith("SKIP"))
            GTEST_SKIP() << qPrintable(said);
        EXPECT_EQ(said.toStdString(), "Backup") << "the volume keeps its name";
        EXPECT_EQ(test::readFile(outside + "/precious.txt"), "real");
    }
}

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
    // A recording that is no regular file is refused at once: nothing real is listed.
    const QString fifo = test::makeTemporaryFolder() + "/fifo";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& recording : {QString("/dev/zero"), fifo, QString("0")}) {
        qputenv("TAVRIN_REAL_VOLUMES", QFile::encodeName(recording));
        EXPECT_EQ(s.plist({"list", "-plist"})[kAllDisks].toStringList().last(), "disk3s1") << qPrintable(recording);
    }
    // Bytes that are no UTF-8 text never become a name.
    char program[] = "diskutil", verb[] = "rename", disk[] = "disk2s1", valid[] = "Gr\xc3\xbc\xc3\x9f""e", invalid[] = "Gr\xfc\xdf""e";
    char* renaming[] = {program, verb, disk, valid};
    EXPECT_TRUE(Diskutil::argumentsAreText(4, renaming));
    renaming[3] = invalid;
    EXPECT_FALSE(Diskutil::argumentsAreText(4, renaming));
}

// A recorded device looked up by its identifier comes from the index that the listing wrote,
// and a changed recording is read again.
TEST(DiskutilProcessTest, ARecordedDeviceIsLookedUpAsTheRecordingIsNow)
{
    Stand s;
    const QString recording = test::makeTemporaryFolder() + "/lsblk.json";
    QByteArray json = test::readFile(test::fixturePath("lsblk/usb-stick.json"));
    ASSERT_TRUE(test::writeFile(recording, json));
    qputenv("TAVRIN_REAL_VOLUMES", QFile::encodeName(recording));
    ASSERT_TRUE(s.plist({"list", "-plist"})[kAllDisks].toStringList().contains("disk4s1"));
    EXPECT_EQ(s.plist({"info", "-plist", "/dev/disk4s1"})[kVolumeName].toString(), "KINGSTON");
    json.replace("KINGSTON", "RENAMED STICK");
    ASSERT_TRUE(test::writeFile(recording, json));
    EXPECT_EQ(s.plist({"info", "-plist", "disk4s1"})[kVolumeName].toString(), "RENAMED STICK");
    EXPECT_EQ(s.run({"info", "-plist", "disk4s9"}).exitStatus, 1);
    qputenv("TAVRIN_REAL_VOLUMES", "0");
}

// A state file that is there but does not read is said so on one line, and never seeded or
// numbered over.
TEST(DiskutilProcessTest, AStateFileThatDoesNotReadIsNeverReplaced)
{
    for (const char* file : {"Volumes", "RealDisks"}) {
        SCOPED_TRACE(file);
        Stand s;
        const QString path = s.p->simulatedMac->dataFolder() + '/' + file + ".plist";
        ASSERT_TRUE(QDir().mkpath(s.p->simulatedMac->dataFolder()) && test::writeFile(path, "<plist><dict><key>Disks"));
        const auto outcome = s.run({"list", "-plist"});
        EXPECT_EQ(outcome.exitStatus, 1);
        EXPECT_EQ(outcome.standardError, "diskutil: could not read the simulated Mac's " + QByteArray(file) + ".plist\n");
        EXPECT_TRUE(outcome.standardOutput.isEmpty());
        EXPECT_EQ(test::readFile(path), "<plist><dict><key>Disks");
    }
}
