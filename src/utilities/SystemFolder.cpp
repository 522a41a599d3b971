#include "SystemFolder.h"

#include "platform/Platform.h"
#include "platform/bundle/Bundle.h"
#include "platform/files/FileManager.h"
#include "platform/plist/PropertyListSerialization.h"

using platform::ProtectedFolders;

namespace {

// Keys from "0" upward; an entry after a gap is never reached.
QStringList listedPaths()
{
    const auto& p = platform::Platform::current();
    const QVariantMap list = p.propertyLists
                                 ->propertyListFromFile(p.bundle->pathForResource(
                                     QStringLiteral("SystemFile"), QStringLiteral("plist")))
                                 .toMap();
    QStringList paths;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QVariant entry = list.value(QString::number(i));
        if (entry.isValid())
            paths << entry.toString();
    }
    return paths;
}

void add(ProtectedFolders& folders, const QString& path)
{
    if (const auto identity = SystemFolder::identityOf(path, true))
        folders.insert(*identity);
}

// Up through "..", which leads to the folders themselves whatever links the path went through,
// until a folder already known ("/" is its own parent) or the folder the cleanup works in.
void addWithAncestors(ProtectedFolders& folders, QString path, const std::optional<platform::FileIdentity>& stop = {})
{
    for (int depth = 0; depth < 256; ++depth, path += QStringLiteral("/..")) {
        const auto identity = SystemFolder::identityOf(path, true);
        if (!identity || folders.contains(*identity) || identity == stop)
            return;
        folders.insert(*identity);
    }
}

ProtectedFolders protectedFolders(platform::XdgUserFolder workingFolder, const QStringList& listed)
{
    const auto& paths = *platform::Platform::current().searchPaths;
    ProtectedFolders folders;
    addWithAncestors(folders, paths.xdgHomeDirectory());
    addWithAncestors(folders, paths.homeDirectory());
    addWithAncestors(folders, QStringLiteral("/"));
    // With the folders that hold them, so that nothing removed or moved takes one along; up to
    // the working folder, which may hold another user folder and is checked on its own.
    const auto working = SystemFolder::identityOf(paths.xdgUserFolder(workingFolder), true);
    QStringList own = paths.xdgBaseDirectories();
    for (int i = 0; i < platform::kXdgUserFolderCount; ++i) {
        const auto folder = platform::XdgUserFolder(i);
        if (folder != workingFolder)
            own << paths.xdgUserFolder(folder) << paths.xdgUsualUserFolder(folder);
    }
    for (const QString& path : std::as_const(own)) {
        if (!path.isNull()) {
            add(folders, path); // even when it is the working folder too
            addWithAncestors(folders, path + QStringLiteral("/.."), working);
        }
    }
    for (const QString& path : listed) {
        add(folders, path);
        add(folders, paths.pathOnMac(path));
    }
    return folders;
}

} // namespace

std::optional<platform::FileIdentity> SystemFolder::identityOf(const QString& path, bool followLink)
{
    const auto attributes = platform::Platform::current().fileManager->attributesOfItemAtPath(path, followLink);
    if (!attributes)
        return std::nullopt;
    return attributes->identity();
}

bool SystemFolder::isSystemFileWithFilePath(const QString& path)
{
    const QStringList listed = listedPaths();
    if (listed.contains(path))
        return true;
    // Only a folder can be one of them: a file is never looked up.
    const auto item = platform::Platform::current().fileManager->attributesOfItemAtPath(path, false);
    return item && item->fileType == platform::FileAttributes::Type::Directory
        && ::protectedFolders(platform::XdgUserFolder::Download, listed).contains(item->identity());
}

ProtectedFolders SystemFolder::protectedFolders(platform::XdgUserFolder workingFolder)
{
    return ::protectedFolders(workingFolder, listedPaths());
}
