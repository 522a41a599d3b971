#include "platform/commands/PosixCommandRunner.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "TestFiles.h"
#include "TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using platform::PosixCommandRunner;

namespace {

// A program of `name` in each folder, that leaves a mark when it runs.
void plantDecoys(const QString& name, const QStringList& folders)
{
    for (const QString& folder : folders)
        test::placeFile(folder + QLatin1Char('/') + name, "#!/bin/sh\ntouch \"$HOME/../pwned\"; echo decoy\n", true);
}

struct Runner {
    QString folder = test::makeTemporaryFolder();
    QString helpers = folder + "/helpers";
    QString home = folder + "/home";
    bool made = QDir().mkpath(home);
    PosixCommandRunner runner{helpers, home};
};

} // namespace

TEST(CommandRunnerTest, HelpersComeFirstHomeIsTheMacsAndArgumentsStayWhole)
{
    Runner r;
    // A stand-in named like a system tool, found first by name and from shell lines.
    test::placeFile(r.helpers + "/ls", "#!/bin/sh\necho stand-in\n", true);
    EXPECT_EQ(r.runner.run("ls", {}).standardOutput, QByteArray("stand-in\n"));
    r.runner.runShellLine("ls > '" + QFile::encodeName(r.folder) + "/shell.txt'");
    EXPECT_EQ(test::readFile(r.folder + "/shell.txt"), QByteArray("stand-in\n"));
    EXPECT_EQ(QString::fromUtf8(r.runner.run("sh", {"-c", "printf %s \"$HOME\""}).standardOutput), r.home);
    const QString hostile = "a\"; touch pwned; \"$(touch pwned)`touch pwned`\nGrüße";
    QDir::setCurrent(r.folder);
    EXPECT_EQ(QString::fromUtf8(r.runner.run("printf", {"%s", hostile}).standardOutput), hostile);
    EXPECT_FALSE(QFile::exists(r.folder + "/pwned"));
    EXPECT_EQ(r.runner.run("sh", {"-c", "exit 3"}).exitStatus, 3);
    EXPECT_EQ(r.runner.runShellLine("exit 4").exitStatus, 4);
    const QString output = r.folder + "/out.txt";
    test::writeFile(output, "old contents that are longer");
    const auto result = r.runner.run("printf", {"new"}, output);
    EXPECT_TRUE(result.started && result.standardOutput.isEmpty());
    EXPECT_EQ(test::readFile(output), QByteArray("new"));
    EXPECT_FALSE(r.runner.run("no-such-program-here", {}).started);
    EXPECT_FALSE(r.runner.run("printf", {"x"}, r.folder + "/missing/folder/out").started);
}

TEST(CommandRunnerTest, UnsafeHelpersFoldersNeverReachTheCurrentFolder)
{
    test::TestPlatform platform;
    Runner r;
    const QString folder = r.folder;
    // "/…/a:b/Helpers" splits into "/…/a" and "b/Helpers", found from the current folder.
    const QString colon = folder + "/a:b/Helpers";
    test::placeFile(colon + "/ls", "#!/bin/sh\necho stand-in\n", true);
    QDir::setCurrent(folder);
    plantDecoys("ls", {folder, folder + "/b/Helpers", folder + "/Helpers"});
    const struct {
        QString helpers;
        QByteArray byName;  // what running "ls" prints; empty when it is refused
        QString reason;
    } cases[] = {
        {colon, "stand-in\n", "holds \":\""},
        {"Helpers", {}, "not an absolute path"},
        {QString(), {}, "not an absolute path"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.helpers));
        PosixCommandRunner runner{c.helpers, r.home};
        const qsizetype logged = platform.log().messages().size();
        EXPECT_FALSE(runner.runShellLine("ls > out.txt").started);
        EXPECT_FALSE(QFile::exists(folder + "/out.txt"));
        ASSERT_EQ(platform.log().messages().size(), logged + 1);
        EXPECT_TRUE(platform.log().messages().last().contains(c.reason));
        const auto byName = runner.run("ls", {});
        EXPECT_EQ(byName.started, !c.byName.isEmpty());
        EXPECT_EQ(byName.standardOutput, c.byName);
        EXPECT_EQ(platform.log().messages().size(), logged + (c.byName.isEmpty() ? 2 : 1));
        EXPECT_FALSE(runner.run("./ls", {}).started);
    }
    EXPECT_FALSE(QFile::exists(folder + "/pwned"));
}

TEST(CommandRunnerTest, PathKeepsOnlyAbsoluteFolders)
{
    Runner r;
    QDir::setCurrent(r.folder);
    plantDecoys("tavrin-decoy", {r.folder, r.folder + "/rel"});
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"::rel:/usr/bin:.:/bin:", ":/usr/bin:/bin"},
        {"rel:.", ":/usr/local/bin:/usr/bin:/bin"},
        {"", ":/usr/local/bin:/usr/bin:/bin"},
    };
    const QByteArray saved = qgetenv("PATH");
    for (const auto& [inherited, expected] : cases) {
        SCOPED_TRACE(inherited.constData());
        qputenv("PATH", inherited);
        PosixCommandRunner runner{r.helpers, r.home};
        qputenv("PATH", saved);
        EXPECT_FALSE(runner.run("tavrin-decoy", {}).started);
        EXPECT_EQ(runner.runShellLine("tavrin-decoy 2>/dev/null").exitStatus, 127);
        const auto seen = runner.run("/bin/sh", {"-c", "printf %s \"$PATH\""});
        EXPECT_EQ(seen.standardOutput, QFile::encodeName(r.helpers) + expected);
    }
    EXPECT_FALSE(QFile::exists(r.folder + "/pwned"));
}

TEST(CommandRunnerTest, MacToolPathsReachTheirStandIns)
{
    Runner r;
    test::placeFile(r.helpers + "/diskutil", "#!/bin/sh\necho stand-in \"$@\"\n", true);
    test::placeFile(r.folder + "/usr/sbin/diskutil", "#!/bin/sh\necho elsewhere\n", true);
    const std::pair<QString, QByteArray> cases[] = {
        {"/usr/sbin/diskutil", "stand-in -x\n"},
        {"/usr/bin/diskutil", "stand-in -x\n"},
        {"/sbin/diskutil", "stand-in -x\n"},
        {"/bin/diskutil", "stand-in -x\n"},
        {"/bin/echo", "-x\n"},  // no stand-in of that name: the system's own
        {r.folder + "/usr/sbin/diskutil", "elsewhere\n"},
        {"/usr/local/sbin/diskutil", {}},
    };
    for (const auto& [program, output] : cases) {
        SCOPED_TRACE(qPrintable(program));
        EXPECT_EQ(r.runner.run(program, {"-x"}).standardOutput, output);
    }
}
