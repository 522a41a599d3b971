#pragma once

#include "ProcFolder.h"

#include <QString>

namespace platform {

// A /proc folder read with POSIX calls: never following a link, never blocking on a file that
// is not a regular one.
class LinuxProcFolder final : public ProcFolder {
public:
    explicit LinuxProcFolder(QString root = QStringLiteral("/proc"));

    std::optional<std::vector<ProcEntry>> list() override;
    std::optional<ProcessRecord> read(qint64 pid, unsigned uid) override;
    std::optional<qint64> startTime(qint64 pid) override;
    // The fourth field's total and the fifth field of <root>/loadavg.
    std::optional<TaskMark> taskMark() override;
    // Only <root>/<pid>/stat.
    std::optional<ProcessRecord> readStat(qint64 pid) const;

private:
    QByteArray root_;
};

} // namespace platform
