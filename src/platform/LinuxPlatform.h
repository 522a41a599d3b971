#pragma once

#include "Platform.h"

#include <QString>

#include <memory>

namespace platform {

// Every area with its Linux (or simulated) implementation, for the bundle at `bundlePath`.
// Seeds the simulated Mac on first use.
std::unique_ptr<Platform> makeLinuxPlatform(const QString& bundlePath);

} // namespace platform
