#include "DownloadsFolder.h"

#include "PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/folders/SearchPaths.h"
#include "platform/identity/UserIdentity.h"

QString downloadsFolder()
{
    const platform::Platform& platform = platform::Platform::current();
    if (PublicUtilities::getSystemVersion() < 1010)
        return platform.searchPaths->pathOnMac(QStringLiteral("/Users/%1/Downloads").arg(platform.identity->userName()));
    const QStringList folders = platform.searchPaths->searchPathsForDirectory(
        platform::SearchPathDirectory::Downloads, platform::SearchPathDomain::User, true);
    return folders.isEmpty() ? QString() : folders.last();
}
