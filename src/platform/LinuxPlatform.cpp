#include "LinuxPlatform.h"

#include "platform/DesktopSession.h"
#include "platform/appearance/DesktopAppearance.h"
#include "platform/appleevents/SimulatedSystemEvents.h"
#include "platform/authorization/SimulatedAuthorization.h"
#include "platform/brightness/BacklightDisplays.h"
#include "platform/brightness/SimulatedDisplays.h"
#include "platform/bluetooth/SimulatedBluetooth.h"
#include "platform/bundle/DirectoryBundle.h"
#include "platform/commands/PosixCommandRunner.h"
#include "platform/dispatch/QtDispatcher.h"
#include "platform/files/PosixFileCatalog.h"
#include "platform/files/PosixFileManager.h"
#include "platform/folders/LinuxSearchPaths.h"
#include "platform/host/LinuxHostStatistics.h"
#include "platform/identity/LinuxUserIdentity.h"
#include "platform/kernel/LinuxKernelValues.h"
#include "platform/ioregistry/SimulatedIORegistry.h"
#include "platform/loginitems/XdgLoginItemList.h"
#include "platform/log/StandardErrorLog.h"
#include "platform/mounts/LinuxMountWatch.h"
#include "platform/mounts/LinuxVolumeTable.h"
#include "platform/notifications/DesktopUserNotificationCenter.h"
#include "platform/network/QtHttpClient.h"
#include "platform/plist/LibplistSerialization.h"
#include "platform/power/PowerAssertions.h"
#include "platform/preferences/PreferenceDomains.h"
#include "platform/process/LinuxInstanceLock.h"
#include "platform/process/LinuxProcessControl.h"
#include "platform/process/LinuxProcessInfo.h"
#include "platform/process/LinuxProcessListing.h"
#include "platform/reachability/LinuxNetworkStateSource.h"
#include "platform/reachability/SourceNetworkReachability.h"
#include "platform/scripts/SimulatedScriptRunner.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/smc/SimulatedSmcConnection.h"
#include "platform/sound/OutputDeviceAudioHardware.h"
#include "platform/sound/SimulatedOutputDevice.h"
#include "platform/sound/SoundServerOutputDevice.h"
#include "platform/trash/FreedesktopTrash.h"
#include "platform/version/SimulatedSystemVersion.h"
#include "platform/workspace/LinuxWorkspace.h"

namespace platform {

namespace {

std::unique_ptr<OutputDevice> outputDevice(bool realDevices, SimulatedMac& mac)
{
    if (realDevices) {
        if (auto server = SoundServerOutputDevice::detect(SoundServerOutputDevice::runProgram))
            return server;
    }
    return std::make_unique<SimulatedOutputDevice>(mac);
}

std::unique_ptr<DisplayBrightness> displays(bool realDevices, SimulatedMac& mac)
{
    if (realDevices && !BacklightDisplays::devicesIn(BacklightDisplays::defaultFolder()).isEmpty())
        return std::make_unique<BacklightDisplays>(BacklightDisplays::defaultFolder(),
                                                   BacklightDisplays::setThroughSessionBus);
    return std::make_unique<SimulatedDisplays>(mac);
}

} // namespace

std::unique_ptr<Platform> makeLinuxPlatform(const QString& bundlePath,
                                            std::function<bool(const QUrl&)> openOnDesktop,
                                            std::function<bool()> showDesktop)
{
    const bool realDevices = openOnDesktop && hasDesktopSession();
    auto p = std::make_unique<Platform>();
    p->log = std::make_unique<StandardErrorLog>();
    p->dispatcher = std::make_unique<QtDispatcher>();
    p->propertyLists = std::make_unique<LibplistSerialization>();
    p->bundle = std::make_unique<DirectoryBundle>(bundlePath, *p->propertyLists);

    const QString dataFolder = SimulatedMac::defaultDataFolder();
    p->simulatedMac = std::make_unique<SimulatedMac>(dataFolder, SimulatedMac::defaultRoot(dataFolder));
    p->simulatedMac->ensureSeeded(p->bundle->pathForResource(QStringLiteral("simulated-mac"), {}));

    p->searchPaths = std::make_unique<LinuxSearchPaths>(*p->simulatedMac);
    p->systemVersion = std::make_unique<SimulatedSystemVersion>(*p->simulatedMac);
    p->fileCatalog = std::make_unique<PosixFileCatalog>();
    p->fileManager = std::make_unique<PosixFileManager>();
    p->commandRunner = std::make_unique<PosixCommandRunner>(p->bundle->helpersPath(),
                                                            p->searchPaths->homeDirectory());
    p->httpClient = std::make_unique<QtHttpClient>();
    p->hostStatistics = std::make_unique<LinuxHostStatistics>();
    p->kernelValues = std::make_unique<LinuxKernelValues>(*p->simulatedMac);
    p->smc = std::make_unique<SimulatedSmcConnection>();
    p->loginItems = std::make_unique<XdgLoginItemList>(XdgLoginItemList::defaultFolder(),
                                                       XdgLoginItemList::defaultSystemFolders(), *p->propertyLists);
    // Real desktop back-ends are chosen here, once, and only inside a desktop session.
    p->preferences = std::make_unique<PreferenceDomains>(PreferenceDomains::forSimulatedMac(*p->simulatedMac, *p->propertyLists));
    p->appearance = makeDesktopAppearance(*p->commandRunner, *p->simulatedMac);
    p->powerAssertions = makePowerAssertions();
    p->bluetooth = std::make_unique<SimulatedBluetooth>(*p->simulatedMac);
    p->scripts = std::make_unique<SimulatedScriptRunner>(std::make_unique<SystemEventsScripts>(*p->preferences, *p->appearance));
    p->identity = std::make_unique<LinuxUserIdentity>();
    p->instanceLock = std::make_unique<LinuxInstanceLock>(LinuxInstanceLock::defaultFolder());
    p->ioRegistry = std::make_unique<SimulatedIORegistry>(*p->simulatedMac);
    p->processInfo = std::make_unique<LinuxProcessInfo>(*p->simulatedMac);
    p->workspace = std::make_unique<LinuxWorkspace>(
        LinuxWorkspace::defaultSettings(*p->bundle, {p->dispatcher, p->simulatedMac, p->searchPaths, p->propertyLists},
                                        std::move(openOnDesktop), std::move(showDesktop)));
    p->processControl = std::make_unique<LinuxProcessControl>();
    p->processListing = std::make_unique<LinuxProcessListing>();
    p->reachability = std::make_unique<SourceNetworkReachability>(
        std::make_unique<LinuxNetworkStateSource>(p->dispatcher, LinuxNetworkStateSource::Settings()));
    p->trash = std::make_unique<FreedesktopTrash>(FreedesktopTrash::defaultSettings(*p->searchPaths, p->fileManager));
    p->authorization = std::make_unique<SimulatedAuthorization>(p->simulatedMac, p->searchPaths, p->fileManager);
    p->audio = std::make_unique<OutputDeviceAudioHardware>(outputDevice(realDevices, *p->simulatedMac));
    p->displays = displays(realDevices, *p->simulatedMac);
    // System Events answers from whichever login-items list is installed at the time.
    p->appleEvents = std::make_unique<SimulatedSystemEvents>([platform = p.get()]() -> LoginItemList& {
        return *platform->loginItems;
    });
    p->volumeTable = std::make_unique<LinuxVolumeTable>(p->commandRunner);
    p->userNotifications = std::make_unique<DesktopUserNotificationCenter>(p->dispatcher, p->commandRunner);
    p->mountWatch = makeLinuxMountWatch(*p);
    return p;
}

std::unique_ptr<MountWatch> makeLinuxMountWatch(Platform& platform)
{
    LinuxMountWatch::Settings mounts;
    mounts.volumeStatePath = SimulatedMac::defaultDataFolder() + QStringLiteral("/Volumes.plist");
    mounts.readState = [&lists = platform.propertyLists](const QString& path) { return lists->propertyListFromFile(path); };
    return std::make_unique<LinuxMountWatch>(
        std::move(mounts), platform.dispatcher,
        Sibling<NotificationCenter>([&platform] { return &platform.workspace->notificationCenter(); }));
}

} // namespace platform
