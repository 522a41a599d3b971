#include "platform/mounts/FolderEmptier.h"

#include "platform/files/FileDescriptor.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using platform::FolderEmptier;

// The mount table's route, with a table of the test's making: a mount point that it names at or
// below the folder, or at the folder that holds it, refuses the erase before anything goes; one
// beside it does not.
TEST(FolderEmptierTest, TheMountTableRefusesAFolderThatIsOrHoldsAMount)
{
    const struct {
        const char* mountedAt; // in the Volumes folder ("" itself); null: the table cannot be read
        FolderEmptier::Outcome outcome;
        const char* reason;
    } cases[] = {
        {"Backup", FolderEmptier::Outcome::Refused, "its folder is the mount point of another file system; nothing was removed"},
        {"Backup/a/b c", FolderEmptier::Outcome::Refused, "another file system is mounted inside its folder; nothing was removed"},
        {"", FolderEmptier::Outcome::Refused, "the folder that holds it is the mount point of another file system; nothing was removed"},
        {nullptr, FolderEmptier::Outcome::Refused, "the mount table cannot be read; nothing was removed"},
        {"Backup 1", FolderEmptier::Outcome::Emptied, ""},
        {"Backupa/b", FolderEmptier::Outcome::Emptied, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mountedAt ? c.mountedAt : "no table");
        const QString volumes = test::makeTemporaryFolder("Volumes");
        ASSERT_TRUE(QDir().mkpath(volumes + "/Backup/a/b c") && test::writeFile(volumes + "/Backup/a/file", "x"));
        const QString real = QFileInfo(volumes).canonicalFilePath();
        const auto table = [&]() -> std::optional<QByteArray> {
            if (!c.mountedAt)
                return std::nullopt;
            const QByteArray point = QFile::encodeName(QDir::cleanPath(real + '/' + c.mountedAt)).replace(" ", "\\040");
            return "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n40 22 0:50 / " + point + " rw - tmpfs tmpfs rw\n";
        };
        const auto result = FolderEmptier(table).empty(volumes, "Backup");
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.reason.toStdString(), c.reason);
        EXPECT_EQ(QFile::exists(volumes + "/Backup/a/file"), c.outcome != FolderEmptier::Outcome::Emptied);
        EXPECT_TRUE(QFileInfo(volumes + "/Backup").isDir());
    }
}

TEST(FolderEmptierTest, ALinkOrAMissingFolderIsNeverFollowed)
{
    const QString volumes = test::makeTemporaryFolder("Volumes"), outside = test::makeTemporaryFolder("outside");
    ASSERT_TRUE(test::writeFile(outside + "/precious", "x") && QFile::link(outside, volumes + "/Linked"));
    const FolderEmptier emptier([] { return QByteArray(); });
    EXPECT_EQ(emptier.empty(volumes, "Linked").reason.toStdString(), "its folder is a link or no folder");
    EXPECT_EQ(emptier.empty(volumes + "/Linked", "precious").outcome, FolderEmptier::Outcome::Refused) << "a linked parent";
    EXPECT_EQ(emptier.empty(volumes, "Gone").outcome, FolderEmptier::Outcome::Missing);
    EXPECT_TRUE(QFile::exists(outside + "/precious"));
}

// Deeper than any stack or descriptor limit would allow a folder each.
TEST(FolderEmptierTest, ATreeOfAnyDepthIsEmptied)
{
    const QString volumes = test::makeTemporaryFolder("Volumes");
    ASSERT_TRUE(QDir().mkpath(volumes + "/Deep") && test::writeFile(volumes + "/Deep/top", "x"));
    platform::FileDescriptor folder(::open(QFile::encodeName(volumes + "/Deep").constData(), O_RDONLY | O_DIRECTORY));
    for (int depth = 0; depth < 8000 && folder.isValid(); ++depth) {
        ASSERT_EQ(::mkdirat(folder.get(), "d", 0700), 0);
        folder = platform::FileDescriptor(::openat(folder.get(), "d", O_RDONLY | O_DIRECTORY));
    }
    ASSERT_TRUE(folder.isValid());
    ASSERT_EQ(::mkdirat(folder.get(), "bottom", 0700), 0);
    const auto result = FolderEmptier([] { return QByteArray(); }).empty(volumes, "Deep");
    EXPECT_EQ(result.outcome, FolderEmptier::Outcome::Emptied) << result.reason.toStdString();
    EXPECT_EQ(QDir(volumes + "/Deep").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}
