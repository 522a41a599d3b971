#pragma once

#include <QStringList>
#include <QUrl>

namespace platform {

// The desktop's own ways to open an address and to start a program, for the Linux workspace.
namespace DesktopLauncher {

// Opens the address with the desktop's handler for it. False without a graphical session or
// when no handler took it.
bool openUrl(const QUrl& url);
// Starts `arguments` (the program first) as a process of its own, through no shell.
bool startProgram(const QStringList& arguments);

} // namespace DesktopLauncher

} // namespace platform
