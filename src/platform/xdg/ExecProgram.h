#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// What the first program of a command is: a launcher or an interpreter only starts what the
// command is really about, and "env" in front only sets its environment.
class ExecProgram {
public:
    // Whether a program of that file name starts other programs (flatpak, xdg-open, sudo ...).
    static bool isLauncher(const QString& name);
    // A command without the "env VAR=value -i ..." in front of its real program.
    static QStringList withoutEnv(QStringList command);
    // "python3.11" -> "python"; empty for a program that is no interpreter.
    static QString interpreterName(const QString& program);
};

} // namespace platform
