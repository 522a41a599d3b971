#include "ExecProgram.h"

#include <QRegularExpression>

namespace platform {

namespace {

QString fileName(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

bool ExecProgram::isLauncher(const QString& name)
{
    static const QStringList launchers = {
        QStringLiteral("flatpak"),  QStringLiteral("snap"),        QStringLiteral("gio"),
        QStringLiteral("xdg-open"), QStringLiteral("gtk-launch"),  QStringLiteral("exo-open"),
        QStringLiteral("kioclient"), QStringLiteral("kioclient5"), QStringLiteral("kde-open"),
        QStringLiteral("sudo"),     QStringLiteral("pkexec"),      QStringLiteral("nohup"),
        QStringLiteral("xterm"),    QStringLiteral("x-terminal-emulator"),
    };
    return launchers.contains(name);
}

QStringList ExecProgram::withoutEnv(QStringList command)
{
    while (!command.isEmpty() && fileName(command.first()) == QLatin1String("env")) {
        command.removeFirst();
        while (!command.isEmpty()) {
            const QString& word = command.first();
            if (word == QLatin1String("-u") || word == QLatin1String("--unset")
                || word == QLatin1String("-C") || word == QLatin1String("--chdir")) {
                command.removeFirst();
                if (!command.isEmpty())
                    command.removeFirst();
            } else if (word.startsWith(QLatin1Char('-')) || word.contains(QLatin1Char('='))) {
                command.removeFirst();
            } else {
                break;
            }
        }
    }
    return command;
}

QString ExecProgram::interpreterName(const QString& program)
{
    static const QRegularExpression versioned(QStringLiteral(
        "^(python|perl|ruby|node|lua|php|tclsh|wish|java|pypy)[0-9.]*(-[0-9.]+)?$"));
    static const QStringList plain = {
        QStringLiteral("sh"),   QStringLiteral("bash"), QStringLiteral("dash"),  QStringLiteral("zsh"),
        QStringLiteral("ksh"),  QStringLiteral("csh"),  QStringLiteral("tcsh"),  QStringLiteral("fish"),
        QStringLiteral("gjs"),  QStringLiteral("mono"), QStringLiteral("wine"),  QStringLiteral("nodejs"),
        QStringLiteral("osascript"),
    };
    const QString name = fileName(program);
    if (plain.contains(name))
        return name == QLatin1String("nodejs") ? QStringLiteral("node") : name;
    const QRegularExpressionMatch match = versioned.match(name);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace platform
