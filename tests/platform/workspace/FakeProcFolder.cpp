#include "FakeProcFolder.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

FakeProcFolder::FakeProcFolder()
    : root_(test::makeTemporaryFolder(QStringLiteral("proc")))
    , reader_(root_)
{
}

void FakeProcFolder::add(qint64 pid, qint64 parentPid, qint64 startTime, const QString& executable,
                         const QStringList& arguments, char state)
{
    // Made beside the old folder before that goes, so its inode cannot be the old one's.
    const QString folder = root_ + QLatin1Char('/') + QString::number(pid);
    const QString next = folder + QStringLiteral(".next");
    QDir().mkpath(next);
    QFile stat(next + QStringLiteral("/stat"));
    stat.open(QIODevice::WriteOnly);
    // Fields 1 to 22 of proc(5), then a few more, as the kernel writes them.
    const QString name = executable.mid(executable.lastIndexOf(QLatin1Char('/')) + 1);
    stat.write(QStringLiteral("%1 (%2) %3 %4 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 %5 180224 0 0\n")
                   .arg(pid)
                   .arg(name.left(15))
                   .arg(QLatin1Char(state))
                   .arg(parentPid)
                   .arg(startTime)
                   .toUtf8());
    QFile cmdline(next + QStringLiteral("/cmdline"));
    cmdline.open(QIODevice::WriteOnly);
    for (const QString& argument : arguments)
        cmdline.write(QFile::encodeName(argument) + '\0');
    remove(pid);
    QDir().rename(next, folder);
    setExecutable(pid, executable);
}

void FakeProcFolder::setExecutable(qint64 pid, const QString& executable)
{
    const QString link = root_ + QLatin1Char('/') + QString::number(pid) + QStringLiteral("/exe");
    QFile::remove(link);
    if (!executable.isEmpty())
        QFile::link(executable, link);
}

void FakeProcFolder::remove(qint64 pid)
{
    QDir(root_ + QLatin1Char('/') + QString::number(pid)).removeRecursively();
}

std::optional<platform::ProcessRecord> FakeProcFolder::read(qint64 pid, unsigned uid)
{
    ++reads_[pid];
    return reader_.read(pid, uid);
}
