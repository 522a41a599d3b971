#include "platform/commands/PosixCommandRunner.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

struct ReaderCase {
    const char* line;
    QByteArray output;
    bool timedOut;
};

// Standard output and standard error share the pipe; a command that does not end (a shell line
// whose child holds the pipe too) is stopped at the time-out with what it printed so far.
TEST(ReaderRunTest, MergesBothStreamsAndStopsAtTheTimeOut)
{
    test::TestPlatform platform;
    const QString folder = test::makeTemporaryFolder();
    platform::PosixCommandRunner runner(folder + "/helpers", folder);
    const ReaderCase cases[] = {
        {"echo out; echo err >&2", "out\nerr\n", false},
        {"echo partial; sleep 30 & wait", "partial\n", true},
        {"exec 1>&-; exec 2>&-; sleep 30", "", true},
    };
    for (const ReaderCase& c : cases) {
        QElapsedTimer clock;
        clock.start();
        const auto result = runner.runReader("/bin/sh", {"-c", c.line}, std::chrono::milliseconds(300));
        EXPECT_EQ(result.standardOutput, c.output) << c.line;
        EXPECT_EQ(result.timedOut, c.timedOut) << c.line;
        EXPECT_LT(clock.elapsed(), 10000) << c.line;
    }
}

// Without the stand-ins on PATH a shell would reach this machine's `killall` and `open`.
TEST(ReaderRunTest, RefusedWhenTheHelpersAreOffPath)
{
    test::TestPlatform platform;
    const QString folder = test::makeTemporaryFolder();
    for (const QString& helpers : {QStringLiteral("relative/helpers"), folder + "/with:colon"}) {
        platform::PosixCommandRunner runner(helpers, folder);
        const auto result = runner.runReader("/bin/bash", {"-c", "touch " + folder + "/ran"}, std::chrono::seconds(5));
        EXPECT_FALSE(result.started) << helpers.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(folder + "/ran"));
}

} // namespace
