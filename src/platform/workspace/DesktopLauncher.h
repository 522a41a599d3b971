#pragma once

#include <QStringList>

namespace platform {

// The desktop's own way to start a program, for the Linux workspace. (Opening an address needs
// the graphical session: the UI layer hands that in.)
namespace DesktopLauncher {

// Starts `arguments` (the program first) as a process of its own, through no shell.
bool startProgram(const QStringList& arguments);

} // namespace DesktopLauncher

} // namespace platform
