#include "FullDiskAccessAuthorizer.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/files/FileCatalog.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/log/SystemLog.h"
#include "platform/text/StringFormat.h"
#include "platform/workspace/Workspace.h"

#include <QStringList>
#include <QUrl>

#include <array>

namespace {

// The folder's entry names, one level; nothing when it cannot be listed.
std::optional<QStringList> listFolder(const platform::FileCatalog& catalog, const QString& path)
{
    platform::FSRef folder;
    std::unique_ptr<platform::FSIterator> iterator;
    if (catalog.pathMakeRef(path, &folder) != platform::noErr
        || catalog.openIterator(folder, &iterator) != platform::noErr || !iterator)
        return std::nullopt;
    QStringList names;
    std::array<platform::FSRef, 40> refs;
    for (;;) {
        std::size_t count = 0;
        const platform::OSErr error =
            iterator->getCatalogInfoBulk(refs.size(), &count, 0, nullptr, refs.data());
        if (error != platform::noErr && error != platform::errFSNoMoreItems)
            return std::nullopt;
        for (std::size_t i = 0; i < count; ++i)
            names << QString::fromUtf8(refs[i].name());
        if (error == platform::errFSNoMoreItems)
            return names;
    }
}

} // namespace

FullDiskAccessAuthorizer& FullDiskAccessAuthorizer::sharedInstance()
{
    // A function-local static is created once, under the language's own lock.
    static FullDiskAccessAuthorizer instance;
    return instance;
}

int FullDiskAccessAuthorizer::statusFor(bool exists, const std::optional<QStringList>& listing)
{
    if (!exists)
        return NotDetermined;
    return listing ? Authorized : Denied;
}

int FullDiskAccessAuthorizer::authorizationStatus() const
{
    platform::Platform& platform = platform::Platform::current();
    // A sandboxed Mac program would take the home of its user record; in the simulated Mac
    // that record's home is the same folder.
    const bool sandboxed = qEnvironmentVariableIsSet("APP_SANDBOX_CONTAINER_ID");
    platform::NSLog(platform::stringWithFormat("isSandboxed : %d", sandboxed ? 1 : 0));
    const QString home = platform.searchPaths->homeDirectory();
    const QString path = home + QStringLiteral("/Library/Safari");
    platform::NSLog(QStringLiteral("userHomePath : %1, path : %2").arg(home, path));

    const bool exists = platform.fileManager->fileExistsAtPath(path);
    const std::optional<QStringList> listing =
        exists ? listFolder(*platform.fileCatalog, path) : std::nullopt;
    platform::NSLog(QStringLiteral("paths : %1")
                        .arg(listing ? QStringLiteral("(%1)").arg(listing->join(QStringLiteral(", ")))
                                     : QStringLiteral("(null)")));
    return statusFor(exists, listing);
}

void FullDiskAccessAuthorizer::requestAuthorization() const
{
    if (PublicUtilities::getSystemVersion() < 1014)
        return;
    platform::Platform::current().workspace->openURL(
        QUrl(QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles")));
}
