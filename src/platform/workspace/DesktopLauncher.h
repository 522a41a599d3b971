#pragma once

#include <QStringList>

namespace platform {

// The desktop's own way to start a program, for the Linux workspace. (Opening an address needs
// the graphical session: the UI layer hands that in.)
namespace DesktopLauncher {

// Starts `arguments` (the program first, found on PATH when it names no folder) detached, in a
// session of its own, through no shell, in `workingDirectory` when one is given. False when it
// could not be started.
bool startProgram(const QStringList& arguments, const QString& workingDirectory);

} // namespace DesktopLauncher

} // namespace platform
