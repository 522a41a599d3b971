#include "Platform.h"

#include "platform/appleevents/AppleEventSender.h"
#include "platform/appearance/DesktopAppearance.h"
#include "platform/authorization/Authorization.h"
#include "platform/bluetooth/Bluetooth.h"
#include "platform/brightness/DisplayBrightness.h"
#include "platform/bundle/Bundle.h"
#include "platform/commands/CommandRunner.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/files/FileCatalog.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/host/HostStatistics.h"
#include "platform/identity/UserIdentity.h"
#include "platform/ioregistry/IORegistry.h"
#include "platform/kernel/KernelValues.h"
#include "platform/loginitems/LoginItemList.h"
#include "platform/log/SystemLog.h"
#include "platform/mounts/MountWatch.h"
#include "platform/mounts/VolumeTable.h"
#include "platform/notifications/UserNotificationCenter.h"
#include "platform/network/HttpClient.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/power/PowerAssertions.h"
#include "platform/preferences/PreferenceDomains.h"
#include "platform/process/InstanceLock.h"
#include "platform/process/ProcessControl.h"
#include "platform/process/ProcessInfo.h"
#include "platform/process/ProcessListing.h"
#include "platform/reachability/NetworkReachability.h"
#include "platform/scripts/ScriptRunner.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/smc/SmcConnection.h"
#include "platform/sound/AudioHardware.h"
#include "platform/trash/Trash.h"
#include "platform/version/SystemVersionSource.h"
#include "platform/workspace/Workspace.h"

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

Platform* Platform::currentOrNull()
{
    return installed.load(std::memory_order_acquire);
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
