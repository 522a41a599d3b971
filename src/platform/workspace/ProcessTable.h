#pragma once

#include "ProcessRecord.h"

#include <QSet>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace platform {

// The processes of one user, read from a /proc folder and kept between refreshes so that a
// refresh reads only what changed: the folder's listing, the exe link of each known process
// of the user, and in full only the processes that are new or have run another program since.
class ProcessTable {
public:
    ProcessTable(QString procRoot, unsigned uid);

    // `watched` processes also have their start re-read, so one whose identifier passed to
    // another process with the same program is still seen as new.
    void refresh(const QSet<qint64>& watched = {});
    // The user's processes, by identifier.
    std::vector<ProcessRecord> processes() const;
    // How many processes the last refresh read in full.
    int fullReadsOfLastRefresh() const { return fullReads_; }

    // The start of process `pid` (from <procRoot>/<pid>/stat), or nothing when there is none.
    static std::optional<ProcessRecord> readStat(const QString& procRoot, qint64 pid);

private:
    struct Known {
        bool own = false;
        QByteArray executableLink;
        ProcessRecord record;
    };
    std::optional<Known> readProcess(int procFd, qint64 pid);

    QString procRoot_;
    unsigned uid_;
    std::map<qint64, Known> known_;
    int fullReads_ = 0;
};

} // namespace platform
