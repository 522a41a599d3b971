#include "FirstRunLoginItem.h"

#include "platform/Platform.h"
#include "platform/files/FileManager.h"
#include "platform/loginitems/LoginItemList.h"
#include "platform/simulated/SimulatedMac.h"

#include <QUrl>

FirstRunMarker::FirstRunMarker(QString dataFolder)
    : folder_(dataFolder)
    , path_(dataFolder + QStringLiteral("/first-run-done"))
{
}

FirstRunMarker FirstRunMarker::forCurrentUser()
{
    return FirstRunMarker(platform::Platform::current().simulatedMac->dataFolder());
}

bool FirstRunMarker::isSet() const
{
    return platform::Platform::current().fileManager->fileExistsAtPath(path_);
}

bool FirstRunMarker::set()
{
    const auto& files = *platform::Platform::current().fileManager;
    return files.createDirectoryAtPath(folder_) && files.createFileAtPath(path_, {});
}

bool addLoginItemOnFirstRun(FirstRunMarker& marker, platform::LoginItemList& loginItems, const QString& bundlePath)
{
    if (marker.isSet())
        return false;
    marker.set();
    if (bundlePath.isEmpty() || !platform::Platform::current().fileManager->fileExistsAtPath(bundlePath))
        return false;
    return loginItems.insertItemURL(QUrl::fromLocalFile(bundlePath)).has_value();
}
