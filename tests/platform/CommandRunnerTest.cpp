#include "commands/PosixCommandRunner.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using platform::PosixCommandRunner;

namespace {

struct Runner {
    QString folder = test::makeTemporaryFolder();
    QString helpers = folder + QStringLiteral("/helpers");
    QString home = folder + QStringLiteral("/home");
    PosixCommandRunner runner{helpers, home};

    Runner()
    {
        QDir().mkpath(helpers);
        QDir().mkpath(home);
        // A stand-in named like a system tool, to see that Helpers/ comes first on PATH.
        test::writeFile(helpers + QStringLiteral("/ls"), "#!/bin/sh\necho stand-in\n");
        QFile::setPermissions(helpers + QStringLiteral("/ls"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

} // namespace

TEST(CommandRunnerTest, ArgumentsReachTheProgramUntouched)
{
    Runner r;
    const QString hostile = QStringLiteral("a\"; touch pwned; \"$(touch pwned2)`touch pwned3`\nGrüße");
    QDir::setCurrent(r.folder);
    const auto result = r.runner.run(QStringLiteral("printf"), {QStringLiteral("%s"), hostile});
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(QString::fromUtf8(result.standardOutput), hostile);
    EXPECT_FALSE(QFile::exists(r.folder + QStringLiteral("/pwned")));
    EXPECT_FALSE(QFile::exists(r.folder + QStringLiteral("/pwned2")));
    EXPECT_FALSE(QFile::exists(r.folder + QStringLiteral("/pwned3")));
}

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

TEST(CommandRunnerTest, ExitStatusOutputFileAndMissingPrograms)
{
    Runner r;
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
