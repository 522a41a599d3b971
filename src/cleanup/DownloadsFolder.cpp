#include "DownloadsFolder.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/dispatch/Lifetime.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/identity/UserIdentity.h"
#include "utilities/SystemFolder.h"

#include <algorithm>

QString downloadsFolder()
{
    const platform::Platform& platform = platform::Platform::current();
    if (PublicUtilities::getSystemVersion() < 1010)
        return platform.searchPaths->pathOnMac(QStringLiteral("/Users/%1/Downloads").arg(platform.identity->userName()));
    const QStringList folders = platform.searchPaths->searchPathsForDirectory(
        platform::SearchPathDirectory::Downloads, platform::SearchPathDomain::User, true);
    return folders.isEmpty() ? QString() : folders.last();
}

namespace {

DownloadsFolderCheck judged(const QString& path, DownloadsFolderCheck::Status status, const QString& reason)
{
    DownloadsFolderCheck found;
    found.path = path;
    found.status = status;
    found.reason = reason;
    return found;
}

DownloadsFolderCheck verdict(const QString& path, const platform::ProtectedFolders& protectedFolders)
{
    using Status = DownloadsFolderCheck::Status;
    if (path.isEmpty())
        return judged(path, Status::Refused, QStringLiteral("the Downloads folder is disabled"));
    // The folder the person set, followed where it is a link (Downloads kept on another disk).
    const auto folder = platform::Platform::current().fileManager->attributesOfItemAtPath(path, true);
    if (!folder)
        return judged(path, Status::Missing, {});
    if (folder->fileType != platform::FileAttributes::Type::Directory)
        return judged(path, Status::Refused, QStringLiteral("it is not a folder"));
    const platform::Platform& platform = platform::Platform::current();
    if (protectedFolders.contains(folder->identity()))
        return judged(path, Status::Refused, QStringLiteral("it is the root, a home, a folder above one, or another user or system folder"));
    const QStringList homes = platform.identity->accountHomes();
    const auto isFolder = [&](const QString& home) { return SystemFolder::identityOf(home, true) == folder->identity(); };
    if (std::any_of(homes.begin(), homes.end(), isFolder))
        return judged(path, Status::Refused, QStringLiteral("it is the home of an account"));
    if (platform.searchPaths->isKernelFolder(path))
        return judged(path, Status::Refused, QStringLiteral("it is on one of the kernel's own file systems"));
    return judged(path, Status::Usable, {});
}

} // namespace

DownloadsFolderCheck DownloadsFolderCheck::check(const QString& path)
{
    auto protectedFolders = SystemFolder::protectedFolders(platform::XdgUserFolder::Download);
    DownloadsFolderCheck found = verdict(path, protectedFolders);
    found.protectedFolders = std::move(protectedFolders);
    return found;
}

void DownloadsFolderCheck::checkInBackground(std::function<void(const DownloadsFolderCheck&)> then)
{
    platform::dispatchAsyncGlobal([then = std::move(then)] {
        platform::dispatchAsyncMain([then, found = check(downloadsFolder())] { then(found); });
    });
}
