#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>

namespace platform {

// Runs other programs, with the stand-in tools' folder first on PATH and the Mac home as HOME.
class CommandRunner {
public:
    struct Result {
        bool started = false;      // false when the program could not be started at all
        int exitStatus = -1;       // the exit code, or -1 when it ended by a signal
        QByteArray standardOutput; // when not redirected into a file
        bool timedOut = false;     // ended by the runner after its time-out
    };

    virtual ~CommandRunner() = default;

    // `system`: runs one line through /bin/sh and waits. Gives the exit status as `Result`.
    virtual Result runShellLine(const QByteArray& line) = 0;
    // Runs `program` with `arguments` as they are, through no shell, and waits. Its standard
    // output goes into `outputPath` when one is given (the file is replaced), else it is
    // captured in the result.
    virtual Result run(const QString& program, const QStringList& arguments,
                       const QString& outputPath = {}) = 0;
    // As `run`, with standard output and standard error on one pipe; a program that has not
    // ended within `timeout` is stopped (with everything it started) and gives what it wrote
    // so far. The default reads standard output only and never times out.
    virtual Result runReader(const QString& program, const QStringList& arguments,
                             std::chrono::milliseconds timeout)
    {
        (void)timeout;
        return run(program, arguments);
    }
};

} // namespace platform
