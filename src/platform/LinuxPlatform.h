#pragma once

#include "Platform.h"

#include <QString>
#include <QUrl>

#include <functional>

#include <memory>

namespace platform {

// Every area with its Linux (or simulated) implementation, for the bundle at `bundlePath`.
// Seeds the simulated Mac on first use. `openOnDesktop` opens an address with the desktop's
// handler (the graphical session's, which the UI layer has); without it nothing is opened that way.
// `showDesktop` asks the window manager to show the desktop. Only a platform given the desktop's
// handler, in a desktop session, reaches the machine's sound server and backlights; any other
// (a test's) uses the simulated speakers and displays.
std::unique_ptr<Platform> makeLinuxPlatform(const QString& bundlePath,
                                            std::function<bool(const QUrl&)> openOnDesktop = {},
                                            std::function<bool()> showDesktop = {});

// The mount watch of `platform`, whose thread starts at once and reaches the platform's
// dispatcher and workspace from then on.
std::unique_ptr<MountWatch> makeLinuxMountWatch(Platform& platform);

} // namespace platform
