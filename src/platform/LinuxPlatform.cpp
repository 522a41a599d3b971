#include "LinuxPlatform.h"

#include "bundle/DirectoryBundle.h"
#include "commands/PosixCommandRunner.h"
#include "dispatch/QtDispatcher.h"
#include "files/PosixFileCatalog.h"
#include "files/QtFileManager.h"
#include "folders/LinuxSearchPaths.h"
#include "host/LinuxHostStatistics.h"
#include "identity/LinuxUserIdentity.h"
#include "kernel/LinuxKernelValues.h"
#include "ioregistry/SimulatedIORegistry.h"
#include "loginitems/XdgLoginItemList.h"
#include "log/StandardErrorLog.h"
#include "network/QtHttpClient.h"
#include "plist/LibplistSerialization.h"
#include "process/LinuxInstanceLock.h"
#include "process/LinuxProcessControl.h"
#include "process/LinuxProcessInfo.h"
#include "process/LinuxProcessListing.h"
#include "scripts/SimulatedScriptRunner.h"
#include "simulated/SimulatedMac.h"
#include "smc/SimulatedSmcConnection.h"
#include "trash/FreedesktopTrash.h"
#include "version/SimulatedSystemVersion.h"
#include "workspace/LinuxWorkspace.h"

namespace platform {

std::unique_ptr<Platform> makeLinuxPlatform(const QString& bundlePath)
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
    p->fileManager = std::make_unique<QtFileManager>();
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
    p->workspace = std::make_unique<LinuxWorkspace>(LinuxWorkspace::defaultSettings(*p->bundle));
    p->processControl = std::make_unique<LinuxProcessControl>();
    p->processListing = std::make_unique<LinuxProcessListing>();
    p->trash = std::make_unique<FreedesktopTrash>(FreedesktopTrash::defaultSettings(*p->searchPaths));
    return p;
}

} // namespace platform
