#pragma once

#include "ProcessControl.h"

#include <QString>

namespace platform {

// Holds the process through a pidfd while it checks the start in /proc against the listed one,
// and signals through that pidfd, so a process that took over the identifier is never hit.
// Identifiers below 2 are refused; no program or shell runs; the outcome says what happened.
class LinuxProcessControl final : public ProcessControl {
public:
    explicit LinuxProcessControl(QString procRoot = QStringLiteral("/proc"));

    Outcome forceQuit(qint64 pid, qint64 startTime) override;

private:
    QString procRoot_;
};

} // namespace platform
