#pragma once

#include "CommandRunner.h"

#include <vector>

namespace platform {

// Over posix_spawn; standard error is passed through to the program's own.
class PosixCommandRunner final : public CommandRunner {
public:
    // `helpersPath` goes first on PATH; `homePath` becomes HOME.
    PosixCommandRunner(QString helpersPath, QString homePath);

    Result runShellLine(const QByteArray& line) override;
    Result run(const QString& program, const QStringList& arguments,
               const QString& outputPath = {}) override;

private:
    Result spawn(const QByteArray& executable, const std::vector<QByteArray>& arguments,
                 const QString& outputPath);
    QByteArray resolve(const QString& program) const;

    QByteArray path_;
    std::vector<QByteArray> environment_;
};

} // namespace platform
