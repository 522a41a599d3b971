#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// What the program knows of one process from /proc/<pid>: stat, cmdline and the exe link.
struct ProcessRecord {
    qint64 pid = 0;
    qint64 parentPid = 0;
    // Clock ticks from boot to the process's start: with the pid it names one process.
    qint64 startTime = 0;
    unsigned uid = 0;
    char state = '?';
    QString command;       // the kernel's short name (at most 15 bytes)
    QString executable;    // the exe link, without the " (deleted)" of a replaced file
    QStringList arguments; // the command line, argv[0] first

    bool isZombie() const { return state == 'Z' || state == 'X' || state == 'x'; }

    // Fills pid, parentPid, startTime, state and command from the text of /proc/<pid>/stat.
    // The short name is in parentheses and may itself hold blanks and parentheses.
    static std::optional<ProcessRecord> fromStat(const QByteArray& stat);
    // The NUL-separated arguments of /proc/<pid>/cmdline.
    static QStringList splitCommandLine(const QByteArray& cmdline);
    // The exe link's target as the file it names.
    static QString executableFromLink(const QByteArray& target);
};

} // namespace platform
