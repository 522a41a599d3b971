#include "LinuxPlatform.h"

#include "platform/authorization/SimulatedAuthorization.h"
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
#include "platform/process/LinuxInstanceLock.h"
#include "platform/process/LinuxProcessControl.h"
#include "platform/process/LinuxProcessInfo.h"
#include "platform/process/LinuxProcessListing.h"
#include "platform/scripts/SimulatedScriptRunner.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/smc/SimulatedSmcConnection.h"
#include "platform/trash/FreedesktopTrash.h"
#include "platform/version/SimulatedSystemVersion.h"
#include "platform/workspace/LinuxWorkspace.h"

namespace platform {

std::unique_ptr<Platform> makeLinuxPlatform(const QString& bundlePath,
                                            std::function<bool(const QUrl&)> openOnDesktop)
{
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
    p->loginItems = std::make_unique<XdgLoginItemList>(XdgLoginItemList::defaultFolder(), *p->propertyLists);
    p->scripts = std::make_unique<SimulatedScriptRunner>();
    p->identity = std::make_unique<LinuxUserIdentity>();
    p->instanceLock = std::make_unique<LinuxInstanceLock>(LinuxInstanceLock::defaultFolder());
    p->ioRegistry = std::make_unique<SimulatedIORegistry>(*p->simulatedMac);
    p->processInfo = std::make_unique<LinuxProcessInfo>(*p->simulatedMac);
    p->workspace = std::make_unique<LinuxWorkspace>(LinuxWorkspace::defaultSettings(*p->bundle, std::move(openOnDesktop)));
    p->processControl = std::make_unique<LinuxProcessControl>();
    p->processListing = std::make_unique<LinuxProcessListing>();
    p->trash = std::make_unique<FreedesktopTrash>(FreedesktopTrash::defaultSettings(*p->searchPaths));
    p->authorization = std::make_unique<SimulatedAuthorization>();
    p->volumeTable = std::make_unique<LinuxVolumeTable>();
    p->userNotifications = std::make_unique<DesktopUserNotificationCenter>();
    LinuxMountWatch::Settings mounts;
    mounts.volumeStatePath = dataFolder + QStringLiteral("/Volumes.plist");
    mounts.readState = [&lists = p->propertyLists](const QString& path) { return lists->propertyListFromFile(path); };
    p->mountWatch = std::make_unique<LinuxMountWatch>(std::move(mounts), *p);
    return p;
}

} // namespace platform
