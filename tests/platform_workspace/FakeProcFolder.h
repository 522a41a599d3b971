#pragma once

#include <QString>
#include <QStringList>

// A folder laid out like /proc, with the files the workspace reads: <pid>/stat, <pid>/cmdline
// and the <pid>/exe link.
class FakeProcFolder {
public:
    FakeProcFolder();

    const QString& root() const { return root_; }
    void add(qint64 pid, qint64 parentPid, qint64 startTime, const QString& executable,
             const QStringList& arguments, char state = 'S');
    void remove(qint64 pid);
    void setExecutable(qint64 pid, const QString& executable);

private:
    QString root_;
};
