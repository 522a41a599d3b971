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
std::unique_ptr<Platform> makeLinuxPlatform(const QString& bundlePath,
                                            std::function<bool(const QUrl&)> openOnDesktop = {});

} // namespace platform
