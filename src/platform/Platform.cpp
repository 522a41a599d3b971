#include "Platform.h"

#include "bundle/Bundle.h"
#include "commands/CommandRunner.h"
#include "dispatch/Dispatcher.h"
#include "files/FileCatalog.h"
#include "files/FileManager.h"
#include "folders/SearchPaths.h"
#include "host/HostStatistics.h"
#include "identity/UserIdentity.h"
#include "ioregistry/IORegistry.h"
#include "kernel/KernelValues.h"
#include "loginitems/LoginItemList.h"
#include "log/SystemLog.h"
#include "network/HttpClient.h"
#include "plist/PropertyListSerialization.h"
#include "process/InstanceLock.h"
#include "process/ProcessControl.h"
#include "process/ProcessInfo.h"
#include "process/ProcessListing.h"
#include "scripts/ScriptRunner.h"
#include "simulated/SimulatedMac.h"
#include "smc/SmcConnection.h"
#include "trash/Trash.h"
#include "version/SystemVersionSource.h"
#include "workspace/Workspace.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
std::atomic<Platform*> installed{nullptr};
}

Platform::Platform() = default;
Platform::~Platform() = default;

Platform& Platform::current()
{
    Platform* p = installed.load(std::memory_order_acquire);
    if (!p) {
        std::fputs("Tavrin: no platform installed\n", stderr);
        std::abort();
    }
    return *p;
}

void Platform::install(Platform* platform)
{
    installed.store(platform, std::memory_order_release);
}

ScopedPlatform::ScopedPlatform(Platform& platform)
    : previous_(installed.load(std::memory_order_acquire))
{
    Platform::install(&platform);
}

ScopedPlatform::~ScopedPlatform()
{
    Platform::install(previous_);
}

} // namespace platform
