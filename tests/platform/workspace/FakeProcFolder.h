#pragma once

#include "platform/workspace/LinuxProcFolder.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QHash>

// A folder laid out like /proc (<pid>/stat, <pid>/cmdline and the <pid>/exe link), read by the
// real reader, which counts how often each process is read.
class FakeProcFolder : public platform::ProcFolder {
public:
    const QString& root() const { return root_; }
    QString folder(qint64 pid) const { return root_ + QLatin1Char('/') + QString::number(pid); }

    // A new process, in a folder made beside the old one before that goes, so with a new inode.
    void add(qint64 pid, qint64 parentPid, qint64 startTime, const QString& executable, const QStringList& arguments = {})
    {
        const QString next = folder(pid) + QStringLiteral(".next");
        QDir().mkpath(next);
        // Fields 1 to 22 of proc(5), then a few more, as the kernel writes them.
        const QString name = executable.mid(executable.lastIndexOf(QLatin1Char('/')) + 1).left(15);
        test::writeFile(next + QStringLiteral("/stat"), QStringLiteral("%1 (%2) S %3 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 %4 180224 0 0\n")
                                                            .arg(QString::number(pid), name, QString::number(parentPid),
                                                                 QString::number(startTime)).toUtf8());
        QByteArray cmdline;
        for (const QString& argument : arguments)
            cmdline += QFile::encodeName(argument) + '\0';
        test::writeFile(next + QStringLiteral("/cmdline"), cmdline);
        remove(pid);
        QDir().rename(next, folder(pid));
        setExecutable(pid, executable);
    }
    void remove(qint64 pid)
    {
        QDir(folder(pid)).removeRecursively();
        ++tasks_;
    }
    // The process runs another program.
    void setExecutable(qint64 pid, const QString& executable)
    {
        QFile::remove(folder(pid) + QStringLiteral("/exe"));
        QFile::link(executable, folder(pid) + QStringLiteral("/exe"));
    }

    std::optional<std::vector<platform::ProcEntry>> list() override { return ++lists_, reader_.list(); }
    std::optional<platform::ProcessRecord> read(qint64 pid, unsigned uid) override { return ++reads_[pid], reader_.read(pid, uid); }
    std::optional<qint64> startTime(qint64 pid) override { return ++startReads_, reader_.startTime(pid); }
    // As the kernel's: every process added or removed counts as a task started or ended.
    std::optional<platform::TaskMark> taskMark() override
    {
        return lastPid_ ? std::optional(platform::TaskMark{*lastPid_, tasks_}) : std::nullopt;
    }
    void setLastPid(std::optional<qint64> pid) { lastPid_ = pid; }
    int lists() const { return lists_; }
    int reads(qint64 pid) const { return reads_.value(pid); }
    int startReads() const { return startReads_; }

private:
    QString root_ = test::makeTemporaryFolder(QStringLiteral("proc"));
    platform::LinuxProcFolder reader_{root_};
    QHash<qint64, int> reads_;
    int startReads_ = 0;
    int lists_ = 0;
    std::optional<qint64> lastPid_;
    qint64 tasks_ = 0;
};
