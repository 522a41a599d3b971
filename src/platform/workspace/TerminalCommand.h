#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace platform {

// The argument vector that runs a command in the user's terminal: the program that
// `$TERMINAL` names, else `x-terminal-emulator`, else `xdg-terminal-exec`, else the first
// common terminal present, each with the option after which it takes a command and its
// arguments as they are (no shell line).
namespace TerminalCommand {

using FindProgram = std::function<QString(const QString& name)>; // a full path, or "" when absent

// The terminals tried after `$TERMINAL`, in order.
QStringList candidates();
// What stands between a terminal program and the command ("-e", "--", ...), by its file name.
QStringList commandOption(const QString& terminal);
// Nothing when no terminal is found.
std::optional<QStringList> wrap(const QStringList& command, const QString& terminalVariable,
                                const FindProgram& findProgram);

} // namespace TerminalCommand

} // namespace platform
