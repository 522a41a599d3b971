#include "platform/commands/Subprocess.h"
#include "platform/files/FileDescriptor.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::FileDescriptor;
using platform::Subprocess;
using Stream = Subprocess::Stream;
using namespace std::chrono_literals;

namespace {

// A pipe whose writing end every program started meanwhile inherits: its reading end sees the
// end of the file once the last of them is gone.
struct Witness {
    int ends[2] = {-1, -1};
    bool made = pipe2(ends, 0) == 0;
    FileDescriptor readEnd{ends[0]}, writeEnd{ends[1]};
    // What the programs wrote, once all have ended; "alive" when one still runs after 10 s.
    QByteArray collect()
    {
        writeEnd.reset();
        QByteArray said;
        for (pollfd ready{readEnd.get(), POLLIN, 0}; poll(&ready, 1, 10000) > 0;) {
            char buffer[256];
            const ssize_t n = read(readEnd.get(), buffer, sizeof buffer);
            if (n <= 0)
                return said;
            said.append(buffer, n);
        }
        return "alive";
    }
};

Subprocess shell(const QByteArray& line, Stream error = Stream::Inherited,
                 std::optional<std::chrono::milliseconds> timeout = {}, bool group = false)
{
    return {.executable = "/bin/sh", .arguments = {"sh", "-c", line}, .error = error, .timeout = timeout,
            .ownProcessGroup = group};
}

} // namespace

TEST(SubprocessTest, OutputIsKeptWholeAndATimeOutStopsWhatTheProgramStarted)
{
    const QByteArray big = "head -c 300000 /dev/zero";
    const struct {
        Subprocess process;
        qsizetype output, errors; // the bytes kept of each
        bool timedOut;
        int exitStatus;
    } cases[] = {
        // More than a pipe holds, on each stream in turn: both are drained together.
        {shell(big + "; " + big + " >&2; " + big, Stream::Captured), 600000, 300000, false, 0},
        {shell(big + "; " + big + " >&2", Stream::WithOutput, 5s, true), 600000, 0, false, 0},
        {shell(big + " >&2; exit 3", Stream::Discarded), 0, 0, false, 3},
        {shell("echo partial; sleep 30 & wait", Stream::WithOutput, 300ms, true), 8, 0, true, -1},
        {shell("exec 1>&-; exec 2>&-; sleep 30 & wait", Stream::Captured, 300ms, true), 0, 0, true, -1},
        {shell("echo partial; exec sleep 30", Stream::Discarded, 300ms), 8, 0, true, -1},
        {shell("kill -9 $$", Stream::Captured, 5s), 0, 0, false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.process.arguments.back().constData());
        Witness witness;
        const Subprocess::Result result = c.process.run();
        EXPECT_TRUE(result.started);
        EXPECT_EQ(std::tuple(result.standardOutput.size(), result.standardError.size(), result.timedOut, result.exitStatus),
                  std::tuple(c.output, c.errors, c.timedOut, c.exitStatus));
        EXPECT_EQ(witness.collect(), QByteArray());
    }
}

TEST(SubprocessTest, AProgramThatCannotStartSaysSoWaitedForOrDetached)
{
    const QString folder = test::makeTemporaryFolder();
    test::writeFile(folder + "/not-executable", "#!/bin/sh\n");
    const QByteArray here = QFile::encodeName(folder);
    const Subprocess cases[] = {
        {.executable = here + "/missing", .arguments = {"program"}},
        {.executable = here + "/not-executable", .arguments = {"program"}},
        {.executable = "/bin/true", .arguments = {"true"}, .workingFolder = here + "/missing"},
        {.executable = "/bin/true", .arguments = {"true"}, .outputFile = here + "/missing/output"},
    };
    for (const Subprocess& c : cases) {
        SCOPED_TRACE(c.executable.constData());
        const Subprocess::Result result = c.run();
        EXPECT_FALSE(result.started);
        EXPECT_EQ(result.exitStatus, -1);
        EXPECT_FALSE(c.outputFile.isEmpty() && c.detach()); // a detached program keeps our streams
    }
}

TEST(SubprocessTest, ADetachedProgramRunsInItsFolderAndSessionAndIsNotOurChild)
{
    const QString folder = test::makeTemporaryFolder() + "/with 'quotes' $(x) and Grüße";
    ASSERT_TRUE(QDir().mkpath(folder));
    Witness witness;
    const QByteArray fd = QByteArray::number(witness.writeEnd.get());
    Subprocess process = shell("pwd >&" + fd + "; printf %s \"$LC_ALL\" >&" + fd
                               + "; [ \"$(cut -d' ' -f6 /proc/$$/stat)\" != " + QByteArray::number(getsid(0))
                               + " ] && echo apart >&" + fd);
    process.workingFolder = QFile::encodeName(folder);
    process.environment = Subprocess::currentEnvironmentWith({"LC_ALL=C"});
    ASSERT_TRUE(process.detach());
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    EXPECT_EQ(witness.collect(), QFile::encodeName(folder) + "\nCapart\n");
}
