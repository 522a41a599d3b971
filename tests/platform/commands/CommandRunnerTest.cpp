#include "platform/commands/PosixCommandRunner.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using platform::PosixCommandRunner;

namespace {

void writeProgram(const QString& path, const QByteArray& script)
{
    QDir().mkpath(QFileInfo(path).path());
    test::writeFile(path, "#!/bin/sh\n" + script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A program of `name` in each folder, that leaves a mark when it runs.
void plantDecoys(const QString& name, const QStringList& folders)
{
    for (const QString& folder : folders)
        writeProgram(folder + QLatin1Char('/') + name, "touch \"$HOME/../pwned\"; echo decoy\n");
}

struct Runner {
    QString folder = test::makeTemporaryFolder();
    QString helpers = folder + QStringLiteral("/helpers");
    QString home = folder + QStringLiteral("/home");
    PosixCommandRunner runner{helpers, home};

    Runner()
    {
        QDir().mkpath(home);
        // A stand-in named like a system tool, to see that Helpers/ comes first on PATH.
        writeProgram(helpers + QStringLiteral("/ls"), "echo stand-in\n");
    }
};

} // namespace

TEST(CommandRunnerTest, EnvironmentPutsHelpersFirstAndTheMacHomeInHome)
{
    Runner r;
    EXPECT_EQ(r.runner.run(QStringLiteral("ls"), {}).standardOutput, QByteArray("stand-in\n"));
    const auto home = r.runner.run(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("printf %s \"$HOME\"")});
    EXPECT_EQ(QString::fromUtf8(home.standardOutput), r.home);
    // Shell lines see the same path.
    const QString output = r.folder + QStringLiteral("/shell.txt");
    r.runner.runShellLine("ls > '" + QFile::encodeName(output) + "'");
    EXPECT_EQ(test::readFile(output), QByteArray("stand-in\n"));
}

TEST(CommandRunnerTest, ArgumentsExitStatusOutputFileAndMissingPrograms)
{
    Runner r;
    const QString hostile = QStringLiteral("a\"; touch pwned; \"$(touch pwned)`touch pwned`\nGrüße");
    QDir::setCurrent(r.folder);
    EXPECT_EQ(QString::fromUtf8(r.runner.run(QStringLiteral("printf"), {QStringLiteral("%s"), hostile}).standardOutput), hostile);
    EXPECT_FALSE(QFile::exists(r.folder + QStringLiteral("/pwned")));
    EXPECT_EQ(r.runner.run(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exit 3")}).exitStatus, 3);
    EXPECT_EQ(r.runner.runShellLine("exit 4").exitStatus, 4);

    const QString output = r.folder + QStringLiteral("/out.txt");
    test::writeFile(output, "old contents that are longer");
    const auto result = r.runner.run(QStringLiteral("printf"), {QStringLiteral("new")}, output);
    EXPECT_TRUE(result.started);
    EXPECT_TRUE(result.standardOutput.isEmpty());
    EXPECT_EQ(test::readFile(output), QByteArray("new"));

    EXPECT_FALSE(r.runner.run(QStringLiteral("no-such-program-here"), {}).started);
    EXPECT_FALSE(r.runner.run(QStringLiteral("printf"), {QStringLiteral("x")},
                              r.folder + QStringLiteral("/missing/folder/out")).started);
}

TEST(CommandRunnerTest, UnsafeHelpersFoldersNeverReachTheCurrentFolder)
{
    test::TestPlatform platform;
    const QString folder = test::makeTemporaryFolder();
    const QString home = folder + QStringLiteral("/home");
    QDir().mkpath(home);
    // "/…/a:b/Helpers" splits into "/…/a" and "b/Helpers", found from the current folder.
    const QString colon = folder + QStringLiteral("/a:b/Helpers");
    writeProgram(colon + QStringLiteral("/ls"), "echo stand-in\n");
    QDir::setCurrent(folder);
    plantDecoys(QStringLiteral("ls"), {folder, folder + QStringLiteral("/b/Helpers"), folder + QStringLiteral("/Helpers")});

    const struct {
        QString helpers;
        QByteArray byName;  // what running "ls" prints; empty when it is refused
        QString reason;
    } cases[] = {
        {colon, "stand-in\n", QStringLiteral("holds \":\"")},
        {QStringLiteral("Helpers"), {}, QStringLiteral("not an absolute path")},
        {QString(), {}, QStringLiteral("not an absolute path")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.helpers));
        PosixCommandRunner runner{c.helpers, home};
        const qsizetype logged = platform.log().messages().size();
        EXPECT_FALSE(runner.runShellLine("ls > out.txt").started);
        EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/out.txt")));
        ASSERT_EQ(platform.log().messages().size(), logged + 1);
        EXPECT_TRUE(platform.log().messages().last().contains(c.reason));

        const auto byName = runner.run(QStringLiteral("ls"), {});
        EXPECT_EQ(byName.started, !c.byName.isEmpty());
        EXPECT_EQ(byName.standardOutput, c.byName);
        EXPECT_EQ(platform.log().messages().size(), logged + (c.byName.isEmpty() ? 2 : 1));
        EXPECT_FALSE(runner.run(QStringLiteral("./ls"), {}).started);
    }
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/pwned")));
}

TEST(CommandRunnerTest, PathKeepsOnlyAbsoluteFolders)
{
    Runner r;
    QDir::setCurrent(r.folder);
    plantDecoys(QStringLiteral("tavrin-decoy"), {r.folder, r.folder + QStringLiteral("/rel")});
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
        EXPECT_FALSE(runner.run(QStringLiteral("tavrin-decoy"), {}).started);
        EXPECT_EQ(runner.runShellLine("tavrin-decoy 2>/dev/null").exitStatus, 127);
        const auto seen = runner.run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("printf %s \"$PATH\"")});
        EXPECT_EQ(seen.standardOutput, QFile::encodeName(r.helpers) + expected);
    }
    EXPECT_FALSE(QFile::exists(r.folder + QStringLiteral("/pwned")));
}
