#include "TerminalCommand.h"

#include <QHash>

namespace platform::TerminalCommand {

QStringList candidates()
{
    return {QStringLiteral("x-terminal-emulator"), QStringLiteral("xdg-terminal-exec"), QStringLiteral("gnome-terminal"),
            QStringLiteral("konsole"),             QStringLiteral("xfce4-terminal"),    QStringLiteral("mate-terminal"),
            QStringLiteral("kitty"),               QStringLiteral("alacritty"),         QStringLiteral("foot"),
            QStringLiteral("wezterm"),             QStringLiteral("terminator"),        QStringLiteral("urxvt"),
            QStringLiteral("st"),                  QStringLiteral("xterm")};
}

QStringList commandOption(const QString& terminal)
{
    static const QHash<QString, QStringList> options{
        {QStringLiteral("xdg-terminal-exec"), {}},
        {QStringLiteral("kitty"), {}},
        {QStringLiteral("foot"), {}},
        {QStringLiteral("gnome-terminal"), {QStringLiteral("--")}},
        {QStringLiteral("wezterm"), {QStringLiteral("start"), QStringLiteral("--")}},
        {QStringLiteral("xfce4-terminal"), {QStringLiteral("-x")}},
        {QStringLiteral("mate-terminal"), {QStringLiteral("-x")}},
        {QStringLiteral("terminator"), {QStringLiteral("-x")}},
    };
    // x-terminal-emulator, xterm and most others take "-e" and the rest of the line as the command.
    return options.value(terminal.mid(terminal.lastIndexOf(QLatin1Char('/')) + 1), {QStringLiteral("-e")});
}

std::optional<QStringList> wrap(const QStringList& command, const QString& terminalVariable,
                                const FindProgram& findProgram)
{
    if (command.isEmpty())
        return std::nullopt;
    QStringList names = candidates();
    if (!terminalVariable.trimmed().isEmpty())
        names.prepend(terminalVariable.trimmed());
    for (const QString& name : names) {
        const QString program = findProgram(name);
        if (!program.isEmpty())
            return QStringList{program} + commandOption(name) + command;
    }
    return std::nullopt;
}

} // namespace platform::TerminalCommand
