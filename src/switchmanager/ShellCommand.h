#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

// The Switch Manager's commands, each run as "/bin/bash -c <line>" with the stand-in tools
// first on PATH. Exit statuses are not read.
namespace ShellCommand {

// A reader gives up after this long: its command counts as having printed nothing more.
constexpr std::chrono::milliseconds kReadTimeout{3000};
// A writer that has not ended by then is stopped, so the next one can start.
constexpr std::chrono::milliseconds kWriteTimeout{30000};

// Runs the line and gives its standard output and standard error, decoded as UTF-8. A command
// that has not ended within the time-out gives what it printed so far, and is logged.
QString read(const QString& line);
// Runs the lines one after another on the background queue, each ended before the next
// starts; the caller does not wait. What they print is logged.
void launch(const QStringList& lines);
// As `launch`, then runs `readLine` after the last of them and hands what it printed to `then`
// on the main queue, so a switch can show what the writers left rather than what they meant to.
void launchAndReadBack(const QStringList& lines, const QString& readLine, std::function<void(const QString&)> then);
// Starts a program of the bundle with its arguments on the background queue, not awaited.
void launchProgram(const QString& path, const QStringList& arguments);

} // namespace ShellCommand
