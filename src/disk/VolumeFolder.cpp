#include "VolumeFolder.h"

#include "platform/Platform.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/workspace/Workspace.h"

#include <QStringList>

VolumeFolder VolumeFolder::find(const QString& mountPoint)
{
    VolumeFolder folder;
    if (mountPoint.isEmpty())
        return folder;
    auto& platform = platform::Platform::current();
    const QString inside = platform.searchPaths->pathOnMac(mountPoint);
    const QStringList candidates = mountPoint == QLatin1String("/") ? QStringList{inside, mountPoint}
                                                                     : QStringList{mountPoint, inside};
    for (const QString& candidate : candidates) {
        if (!candidate.isEmpty() && platform.fileManager->fileExistsAtPath(candidate)) {
            folder.path = candidate;
            folder.factsRead = platform.workspace->getFileSystemInfoForPath(candidate, &folder.facts);
            break;
        }
    }
    return folder;
}
