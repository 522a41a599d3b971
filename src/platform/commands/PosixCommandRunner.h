#pragma once

#include "CommandRunner.h"

#include <vector>

namespace platform {

// Over `Subprocess`; standard error is passed through to the program's own. Nothing is ever
// found through the current folder: empty and relative PATH folders are dropped, for the
// runner's own lookup and for the PATH that programs and shell lines get.
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
