#include "ProcessRecord.h"

#include <QFile>

namespace platform {

namespace {

// Field numbers of proc(5), counted from 1: 3 is the state, the first after the name.
constexpr int kParentPidField = 4;
constexpr int kStartTimeField = 22;

std::optional<qint64> number(const QByteArray& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<ProcessRecord> ProcessRecord::fromStat(const QByteArray& stat)
{
    const qsizetype open = stat.indexOf('(');
    const qsizetype close = stat.lastIndexOf(')');
    if (open <= 0 || close < open)
        return std::nullopt;
    const std::optional<qint64> pid = number(stat.left(open).trimmed());
    if (!pid || *pid == 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(close + 1).simplified().split(' ');
    // fields[0] is field 3.
    if (fields.size() < kStartTimeField - 2 || fields[0].size() != 1)
        return std::nullopt;
    const std::optional<qint64> parent = number(fields[kParentPidField - 3]);
    const std::optional<qint64> start = number(fields[kStartTimeField - 3]);
    if (!parent || !start)
        return std::nullopt;

    ProcessRecord record;
    record.pid = *pid;
    record.parentPid = *parent;
    record.startTime = *start;
    record.state = fields[0].at(0);
    record.command = QString::fromUtf8(stat.mid(open + 1, close - open - 1));
    return record;
}

QStringList ProcessRecord::splitCommandLine(const QByteArray& cmdline)
{
    QStringList arguments;
    QByteArray text = cmdline;
    if (text.endsWith('\0'))
        text.chop(1);
    if (text.isEmpty())
        return arguments;
    for (const QByteArray& argument : text.split('\0'))
        arguments << QFile::decodeName(argument);
    return arguments;
}

QString ProcessRecord::executableFromLink(const QByteArray& target)
{
    QByteArray path = target;
    const QByteArray deleted = " (deleted)";
    if (path.endsWith(deleted))
        path.chop(deleted.size());
    return QFile::decodeName(path);
}

} // namespace platform
