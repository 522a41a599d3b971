#include "platform/files/PosixFileManager.h"
#include "platform/trash/FreedesktopTrash.h"

#include "IsolatedEnvironment.h"
#include "MountNamespace.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>

#include <array>
#include <functional>

using namespace platform;
using test::act;
using test::inMountNamespace;

namespace {

const PosixFileManager files;

FileIdentity identityAt(const QString& path)
{
    return files.attributesOfItemAtPath(path, true).value_or(FileAttributes{}).identity();
}

// Everything under `base`, links listed but not followed, in one line.
std::string contents(const QString& base)
{
    QStringList found;
    QDirIterator it(base, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next().mid(base.size() + 1);
    found.sort();
    return found.join(' ').toStdString();
}

// base/root/sub/{victim,keep}, base/other/victim.
QString makeTree()
{
    const QString base = test::makeTemporaryFolder();
    act(base, "mkdir root/sub; mkdir other; write root/sub/victim; write root/sub/keep; write other/victim");
    return base;
}

ItemLocation captured(const QString& base, const QString& item)
{
    QString error;
    const auto location = files.locationOfItemAtPath(base + '/' + item, base + "/root", &error);
    EXPECT_TRUE(location) << error.toStdString();
    return location.value_or(ItemLocation{});
}

} // namespace

// The person ticked one item; between the scan and the click the disk changes.
TEST(LocationRemovalTest, OnlyWhatWasFoundIsRemovedAndAChangedComponentFailsTheItem)
{
    using Edit = std::function<void(const QString& base, ItemLocation&)>;
    const auto follow = [](bool followsLink) {
        return [followsLink](const QString& b, ItemLocation& location) {
            location.folders = {{"linked", identityAt(b + "/other"), followsLink}};
            location.identity = identityAt(b + "/other/victim");
        };
    };
    const std::string untouched = "other other/victim root root/sub root/sub/keep root/sub/victim";
    // Names over bytes that go on past them, as a tree's shared name buffer holds them.
    const Edit rawNames = [](const QString&, ItemLocation& location) {
        static constexpr char kNames[] = "subvictimkeep";
        location.folders[0].name = QByteArray::fromRawData(kNames, 3);
        location.name = QByteArray::fromRawData(kNames + 3, 6);
    };
    const struct {
        const char* name;
        const char* item;
        const char* change;
        Edit edit;
        const char* protect;
        const char* reason; // empty when the removal succeeds
        std::string left;
    } cases[] = {
        {"nothing changed", "root/sub/victim", "", {}, "", "", "other other/victim root root/sub root/sub/keep"},
        {"the parent swapped for a link", "root/sub/victim", "mv root/sub moved; ln other root/sub", {}, "",
         "root/sub became a link", "moved moved/keep moved/victim other other/victim root root/sub"},
        {"the parent swapped for another folder", "root/sub/victim", "mv root/sub moved; mkdir root/sub; write root/sub/victim",
         {}, "", "root/sub changed since it was found",
         "moved moved/keep moved/victim other other/victim root root/sub root/sub/victim"},
        {"the root swapped for a link to a look-alike", "root/sub/victim",
         "mv root moved; mkdir decoy/sub; write decoy/sub/victim; ln decoy root", {}, "",
         "root is not the folder that was scanned",
         "decoy decoy/sub decoy/sub/victim moved moved/sub moved/sub/keep moved/sub/victim other other/victim root"},
        {"the item replaced by another of its name", "root/sub/victim", "write root/sub/new; mv root/sub/new root/sub/victim",
         {}, "", "root/sub/victim changed since it was found", untouched},
        {"a step that the walk followed through a link", "root/sub/victim", "ln other root/linked", follow(true), "", "",
         "other root root/linked root/sub root/sub/keep root/sub/victim"},
        {"a link on a step that the walk did not follow", "root/sub/victim", "ln other root/linked", follow(false), "",
         "root/linked became a link", "other other/victim root root/linked root/sub root/sub/keep root/sub/victim"},
        {"a name that climbs out", "root/sub/victim", "", [](const QString&, ItemLocation& l) { l.folders[0].name = ".."; },
         "", "is not a folder's name", untouched},
        {"a protected folder inside", "root/sub", "mkdir root/sub/home; write root/sub/home/mine", {}, "root/sub/home",
         "root/sub/home is protected", "other other/victim root root/sub root/sub/home root/sub/home/mine"},
        {"a protected item", "root/sub", "", {}, "root/sub", "root/sub is protected", untouched},
        {"names with no zero byte after them", "root/sub/victim", "", rawNames, "", "", "other other/victim root root/sub root/sub/keep"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString base = makeTree();
        ItemLocation location = captured(base, c.item);
        act(base, c.change);
        if (c.edit)
            c.edit(base, location);
        QString error; // with no folder to protect, the test's own, which holds everything
        EXPECT_EQ(files.removeItemAtLocation(location, {identityAt(base + '/' + c.protect)}, &error), !*c.reason);
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
        EXPECT_EQ(contents(base), c.left);
    }
}

TEST(LocationRemovalTest, CaptureRefusesWhatIsNotReachedWithoutALinkBelowTheRoot)
{
    const QString base = makeTree();
    act(base, "ln other root/linked");
    const std::pair<const char*, const char*> cases[] = {
        {"root/sub/../../other/victim", "is not below the folder it belongs to"},
        {"root", "is not below the folder it belongs to"},
        {"rootless/victim", "is not below the folder it belongs to"},
        {"root/linked/victim", "root/linked became a link"},
        {"root/sub/missing", "No such file"},
    };
    for (const auto& [item, reason] : cases) {
        SCOPED_TRACE(item);
        QString error;
        EXPECT_FALSE(files.locationOfItemAtPath(base + '/' + item, base + "/root", &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(reason))) << error.toStdString();
    }
}

// 250-byte names, and items below a path longer than PATH_MAX: nothing is reached by a whole path.
TEST(LocationRemovalTest, LongNamesAndItemsDeeperThanAWholePathAreRemoved)
{
    const QByteArray name(250, 'n');
    const QString base = test::makeTemporaryFolder();
    QString deepest = base + "/root";
    FileDescriptor folder(QDir().mkpath(deepest) ? open(QFile::encodeName(deepest), O_PATH | O_DIRECTORY) : -1);
    for (int level = 0; level < 20 && mkdirat(folder.get(), name, 0700) == 0; ++level) {
        folder = FileDescriptor(openat(folder.get(), name, O_PATH | O_DIRECTORY));
        deepest += '/' + QString::fromLatin1(name);
    }
    FileDescriptor(openat(folder.get(), name, O_WRONLY | O_CREAT, 0600));
    ASSERT_GT(deepest.size(), PATH_MAX);
    for (const QString& item : {deepest + '/' + QString::fromLatin1(name), deepest, base + "/root/" + QString::fromLatin1(name)}) {
        QString error;
        const auto location = files.locationOfItemAtPath(item, base + "/root", &error);
        ASSERT_TRUE(location) << error.toStdString();
        EXPECT_EQ(location->name, name);
        EXPECT_TRUE(files.removeItemAtLocation(*location, {}, &error)) << error.toStdString();
    }
    EXPECT_EQ(contents(base), "root");
}

// A mount inside the item, or the item a mount point (a file system of its own, or a bind mount of
// the same device): what is mounted stays whole, neither moved to the Trash (which writes nothing
// on it) nor removed by location or by path, and each says so.
TEST(LocationRemovalTest, MountsAreNeitherRemovedNorEntered)
{
    const QString base = makeTree();
    const auto answer = inMountNamespace([&base] {
        FreedesktopTrash::Settings settings;
        settings.homeTrash = base + "/Trash";
        settings.mountPoints = [] { return FreedesktopTrash::mountPointsFromMountInfo(test::readFile("/proc/self/mountinfo")); };
        settings.uid = getuid();
        FreedesktopTrash trash(settings);
        const std::array<const char*, 3> cases[] = {
            {"root/a", "tmpfs root/a/inner/mnt", "root/a/inner/mnt/data"},
            {"root/b", "tmpfs root/b", "root/b/data"},
            {"root/c", "bind other root/c/inner/bound", "other/victim"},
            {"root/d", "bind other root/d", "other/victim"},
        };
        QByteArray report;
        for (const auto& [item, mounts, mounted] : cases) {
            if (!act(base, mounts + QStringLiteral("; write %1/beside").arg(item)))
                return QByteArray("could not mount");
            QString refusal, error;
            const bool removed = trash.recycleItemAtLocation(captured(base, item), {}, &refusal)
                || files.removeItemAtLocation(captured(base, item), {}, &error) || files.removeItemAtPath(base + '/' + item);
            report += QByteArray(removed ? "removed " : "kept ") + (QFile::exists(base + '/' + mounted) ? "whole " : "emptied ")
                + QString(refusal + "; " + error).remove(base + '/').toUtf8() + '\n';
        }
        return report;
    });
    if (!answer)
        GTEST_SKIP() << "this system refuses a private user and mount namespace";
    EXPECT_EQ(answer->toStdString(),
              "kept whole root/a holds a mount point; root/a/inner/mnt is another file system or a mount point\n"
              "kept whole root/b is a mount point; root/b is a mount point\n"
              "kept whole root/c holds a mount point; root/c/inner/bound is another file system or a mount point\n"
              "kept whole root/d is a mount point; root/d is a mount point\n");
}
