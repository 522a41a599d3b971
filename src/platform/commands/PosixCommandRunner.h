#pragma once

#include "CommandRunner.h"

#include <vector>

namespace platform {

// Over `Subprocess`, the one way the program and its tools start another program; standard
// error is passed through to the program's own. Shell lines run as `/bin/sh -c`. `Helpers/`
// comes first on PATH and the simulated Mac's home is HOME, so the stand-in tools answer for the
// Mac's; a Mac tool's absolute path (/usr/sbin, /usr/bin, /sbin, /bin) runs the stand-in of that
// name when `Helpers/` has one. Nothing is ever found through the current folder: empty and
// relative PATH folders are dropped, for the runner's own lookup and for the PATH that programs
// and shell lines get; a helpers' folder that is relative or holds ":" stays off PATH, and then
// no shell line runs (logged) and helpers run by absolute path only.
// `runReader` puts standard output and error on one pipe, in a process group of its own that a
// time-out stops whole, keeping what was printed.
class PosixCommandRunner final : public CommandRunner {
public:
    // `helpersPath` goes first on PATH; `homePath` becomes HOME. A helpers' folder that is not
    // absolute, or holds ':' (which would split it on PATH), stays off PATH: shell lines are
    // refused then, since they would reach the system's tools of the same names, and a program
    // named without a folder is looked up in the helpers' folder by its absolute path, or
    // refused when that folder is not absolute.
    PosixCommandRunner(QString helpersPath, QString homePath);

    Result runShellLine(const QByteArray& line) override;
    Result run(const QString& program, const QStringList& arguments,
               const QString& outputPath = {}) override;
    Result runReader(const QString& program, const QStringList& arguments,
                     std::chrono::milliseconds timeout) override;

private:
    QByteArray resolve(const QString& program) const;
    QByteArray standInFor(const QByteArray& path) const;

    QByteArray helpers_;
    QString helpersProblem_;  // why the helpers' folder is not on PATH; empty when it is
    std::vector<QByteArray> searchFolders_;
    std::vector<QByteArray> environment_;
};

} // namespace platform
