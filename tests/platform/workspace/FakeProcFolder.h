#pragma once

#include "platform/workspace/LinuxProcFolder.h"

#include <QHash>
#include <QString>
#include <QStringList>

// A folder laid out like /proc, with the files the workspace reads (<pid>/stat, <pid>/cmdline
// and the <pid>/exe link), read by the real reader, which counts how often each process is read.
class FakeProcFolder : public platform::ProcFolder {
public:
    FakeProcFolder();

    const QString& root() const { return root_; }
    // A new process, in a new folder (with a new inode), as the kernel makes one.
    void add(qint64 pid, qint64 parentPid, qint64 startTime, const QString& executable,
             const QStringList& arguments, char state = 'S');
    void remove(qint64 pid);
    // The process runs another program.
    void setExecutable(qint64 pid, const QString& executable);

    std::optional<std::vector<platform::ProcEntry>> list() override { return reader_.list(); }
    std::optional<platform::ProcessRecord> read(qint64 pid, unsigned uid) override;
    int reads(qint64 pid) const { return reads_.value(pid); }

private:
    QString root_;
    platform::LinuxProcFolder reader_;
    QHash<qint64, int> reads_;
};
