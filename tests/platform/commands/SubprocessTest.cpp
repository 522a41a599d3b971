#include "platform/commands/Subprocess.h"
#include "platform/files/FileDescriptor.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
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
    FileDescriptor readEnd, writeEnd;
    Witness()
    {
        int ends[2];
        if (pipe2(ends, 0) == 0) {
            readEnd.reset(ends[0]);
            writeEnd.reset(ends[1]);
        }
    }
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

Subprocess shell(const QByteArray& line)
{
    return {.executable = "/bin/sh", .arguments = {"sh", "-c", line}};
}

} // namespace

TEST(SubprocessTest, OutputIsKeptWholeAndATimeOutStopsWhatTheProgramStarted)
{
    const QByteArray big = "head -c 300000 /dev/zero";
    struct Case {
        QByteArray line;
        Stream error;
        std::optional<std::chrono::milliseconds> timeout;
        bool group;
        qsizetype output, errors; // the bytes kept of each
        bool timedOut;
        int exitStatus;
    } cases[] = {
        // More than a pipe holds, on each stream in turn: both are drained together.
        {big + "; " + big + " >&2; " + big, Stream::Captured, {}, false, 600000, 300000, false, 0},
        {big + "; " + big + " >&2", Stream::WithOutput, 5s, true, 600000, 0, false, 0},
        {big + " >&2; exit 3", Stream::Discarded, {}, false, 0, 0, false, 3},
        {"echo partial; sleep 30 & wait", Stream::WithOutput, 300ms, true, 8, 0, true, -1},
        {"exec 1>&-; exec 2>&-; sleep 30 & wait", Stream::Captured, 300ms, true, 0, 0, true, -1},
        {"echo partial; exec sleep 30", Stream::Discarded, 300ms, false, 8, 0, true, -1},
        {"kill -9 $$", Stream::Captured, 5s, false, 0, 0, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.constData());
        Witness witness;
        Subprocess process = shell(c.line);
        process.error = c.error;
        process.timeout = c.timeout;
        process.ownProcessGroup = c.group;
        const Subprocess::Result result = process.run();
        EXPECT_TRUE(result.started);
        EXPECT_EQ(result.standardOutput.size(), c.output);
        EXPECT_EQ(result.standardError.size(), c.errors);
        EXPECT_EQ(result.timedOut, c.timedOut);
        EXPECT_EQ(result.exitStatus, c.exitStatus);
        EXPECT_EQ(witness.collect(), QByteArray());
    }
}

TEST(SubprocessTest, AProgramThatCannotStartSaysSoWaitedForOrDetached)
{
    const QString folder = test::makeTemporaryFolder();
    test::writeFile(folder + "/not-executable", "#!/bin/sh\n");
    const QByteArray here = QFile::encodeName(folder);
    struct Case {
        QByteArray executable, workingFolder, outputFile;
    } cases[] = {
        {here + "/missing", {}, {}},
        {here + "/not-executable", {}, {}},
        {here, {}, {}},
        {"/bin/true", here + "/missing", {}},
        {"/bin/true", {}, here + "/missing/output"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.executable.constData());
        Subprocess process{.executable = c.executable, .arguments = {"program"}, .workingFolder = c.workingFolder,
                           .outputFile = c.outputFile};
        const Subprocess::Result result = process.run();
        EXPECT_FALSE(result.started);
        EXPECT_EQ(result.exitStatus, -1);
        if (c.outputFile.isEmpty()) {
            EXPECT_FALSE(process.detach());
        }
    }
    const Subprocess starts{.executable = "/bin/true", .arguments = {"true"}};
    EXPECT_TRUE(starts.detach());
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
    int status = 0;
    EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    EXPECT_EQ(witness.collect(), QFile::encodeName(folder) + "\nCapart\n");
}
