#include "FirstRunLoginItem.h"

#include "Platform.h"
#include "loginitems/LoginItemList.h"
#include "simulated/SimulatedMac.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

FirstRunMarker::FirstRunMarker(QString dataFolder)
    : path_(dataFolder + QStringLiteral("/first-run-done"))
{
}

FirstRunMarker FirstRunMarker::forCurrentUser()
{
    return FirstRunMarker(platform::Platform::current().simulatedMac->dataFolder());
}

bool FirstRunMarker::isSet() const
{
    return QFileInfo::exists(path_);
}

bool FirstRunMarker::set()
{
    QDir().mkpath(QFileInfo(path_).path());
    QFile file(path_);
    return file.open(QIODevice::WriteOnly);
}

bool addLoginItemOnFirstRun(FirstRunMarker& marker, platform::LoginItemList& loginItems, const QString& bundlePath)
{
    if (marker.isSet())
        return false;
    marker.set();
    if (bundlePath.isEmpty() || !QFileInfo::exists(bundlePath))
        return false;
    return loginItems.insertItemURL(QUrl::fromLocalFile(bundlePath)).has_value();
}
