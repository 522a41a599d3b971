#include "RelatedAppFilesScanner.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/files/FileCatalog.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/log/SystemLog.h"
#include "platform/plist/PropertyListSerialization.h"

#include <algorithm>

namespace {

using platform::SearchPathDirectory;
namespace Domain = platform::SearchPathDomain;

const QString kSystemPrefix = QStringLiteral("com.apple.");

QVariantMap infoDictionary(const QString& bundlePath)
{
    const platform::PropertyListSerialization* lists = platform::Platform::current().propertyLists.get();
    return lists ? lists->propertyListFromFile(bundlePath + QStringLiteral("/Contents/Info.plist")).toMap()
                 : QVariantMap();
}

QString lastPathComponent(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The name a file viewer shows ("Pocket Timer", not "Pocket Timer.app"), else the last component.
QString displayNameOf(const QString& path)
{
    platform::Workspace* workspace = platform::Platform::current().workspace.get();
    const QString name = workspace ? workspace->displayNameAtPath(path) : QString();
    return name.isEmpty() ? lastPathComponent(path) : name;
}

QStringList folders(SearchPathDirectory directory, unsigned domains, const QString& subfolder = {})
{
    QStringList found =
        platform::Platform::current().searchPaths->searchPathsForDirectory(directory, domains, true);
    if (!subfolder.isEmpty()) {
        for (QString& folder : found)
            folder += QLatin1Char('/') + subfolder;
    }
    return found;
}

using Kind = RelatedFileKey::Kind;

void addBothKeys(AMAppItemGroup& list, const QStringList& places, const QString& nameKey, const QString& identifierKey,
                 const QList<RelatedFileKey>& others)
{
    for (const QString& folder : places) {
        AddPathIfExists(list, folder, RelatedFileKey(nameKey, Kind::Name), others);
        AddPathIfExists(list, folder, RelatedFileKey(identifierKey, Kind::Identifier), others);
    }
}

// Where the item at the path is now, below the longest of `roots` that holds it.
std::optional<platform::ItemLocation> locate(const QString& path, const QStringList& roots, QString* error)
{
    QString root;
    for (const QString& candidate : roots)
        if (candidate.size() > root.size() && path.startsWith(candidate + QLatin1Char('/')))
            root = candidate;
    return platform::Platform::current().fileManager->locationOfItemAtPath(path, root, error);
}

// "CFBundleName", else "CFBundleExecutable".
QString nameKeyOf(const QVariantMap& info)
{
    const QString name = info.value(QStringLiteral("CFBundleName")).toString();
    return name.isEmpty() ? info.value(QStringLiteral("CFBundleExecutable")).toString() : name;
}

} // namespace

bool RelatedAppFilesScanner::isSystemBundleIdentifier(const QString& bundleID)
{
    return bundleID.startsWith(kSystemPrefix);
}

AMAppItemPtr RelatedAppFilesScanner::getAppItemWithFilePath(const QString& path, bool)
{
    platform::Platform& platform = platform::Platform::current();
    auto item = std::make_shared<AMAppItem>();
    item->path = path;
    if (platform.workspace)
        item->image = platform.workspace->iconForFile(path);
    item->name = displayNameOf(path);
    const QVariantMap info = infoDictionary(path);
    item->bundleID = info.value(QStringLiteral("CFBundleIdentifier")).toString();
    item->isSystemApp = isSystemBundleIdentifier(item->bundleID);
    item->isSystemAppStr = item->isSystemApp ? QStringLiteral("YES") : QStringLiteral("NO");
    item->bundleVersion = info.value(QStringLiteral("CFBundleShortVersionString")).toString();
    if (const auto attributes = platform.fileManager->attributesOfItemAtPath(path, false))
        item->date = attributes->fileCreationDate;
    return item;
}

AMAppItemPtr RelatedAppFilesScanner::constructItem(const QString& path, bool appFlag)
{
    AMAppItemPtr item = getAppItemWithFilePath(path, appFlag);
    item->size = QStringLiteral("0KB");
    return item;
}

AMAppItemPtr RelatedAppFilesScanner::aConstructItem(const QString& path, bool appFlag)
{
    AMAppItemPtr item = getAppItemWithFilePath(path, appFlag);
    item->size = getFileSizeItem(path);
    return item;
}

AMAppItemPtr RelatedAppFilesScanner::constructItem(const platform::DesktopApplication& application)
{
    // The package manager's, so never offered for uninstalling.
    auto item = std::make_shared<AMAppItem>(application.icon, application.name, application.desktopEntryPath,
                                            QString(), QString(), QDateTime(), QStringLiteral("YES"),
                                            QStringLiteral("0KB"));
    item->isSystemApp = true;
    return item;
}

QString RelatedAppFilesScanner::getFileSizeItem(const QString& path)
{
    platform::FSRef ref;
    if (platform::Platform::current().fileCatalog->pathMakeRef(path, &ref) != platform::noErr)
        return PublicUtilities::convertVolSpace(0);
    return PublicUtilities::convertVolSpace(PublicUtilities::sizeOfFileRef(ref));
}

AMAppItemGroup RelatedAppFilesScanner::relatedFilesToApplicationAtPath(const QString& path,
                                                                      const QList<InstalledApplication>& installed)
{
    AMAppItemGroup group{aConstructItem(path, true)};
    // Unreachable without a link on the way, the application stays listed and its removal fails.
    group.first()->location = locate(path, PublicUtilities::applicationPaths(), nullptr);
    const QVariantMap info = infoDictionary(path);
    const QString nameKey = nameKeyOf(info);
    const QString identifierKey = info.value(QStringLiteral("CFBundleIdentifier")).toString();
    if (nameKey.isEmpty() || identifierKey.isEmpty() || identifierKey == QLatin1String(" "))
        return group;
    QList<RelatedFileKey> others;
    for (const InstalledApplication& application : installed)
        if (application.path != path)
            others << application.keys;
    GetPreferencePaths(group, nameKey, identifierKey, others);
    GetCachePaths(group, nameKey, identifierKey, others);
    GetLogPaths(group, nameKey, identifierKey, others);
    GetSavedStatePaths(group, nameKey, identifierKey, others);
    GetAppSupportPaths(group, nameKey, identifierKey, others);
    GetDownloadPaths(group, nameKey, identifierKey, others);
    GetGrowlPaths(group, nameKey, others);
    return group;
}

RelatedAppFilesScanner::InstalledApplication RelatedAppFilesScanner::installedApplication(const QString& path)
{
    const QVariantMap info = infoDictionary(path);
    return {path,
            {RelatedFileKey(nameKeyOf(info), Kind::Name), RelatedFileKey(displayNameOf(path), Kind::Name),
             RelatedFileKey(info.value(QStringLiteral("CFBundleIdentifier")).toString(), Kind::Identifier)}};
}

void GetPreferencePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                        const QList<RelatedFileKey>& others)
{
    addBothKeys(list, folders(SearchPathDirectory::Library, Domain::User | Domain::Local, QStringLiteral("Preferences")),
                nameKey, identifierKey, others);
}

void GetCachePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                   const QList<RelatedFileKey>& others)
{
    addBothKeys(list, folders(SearchPathDirectory::Caches, Domain::User | Domain::Local), nameKey, identifierKey, others);
}

void GetLogPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                 const QList<RelatedFileKey>& others)
{
    addBothKeys(list, folders(SearchPathDirectory::Library, Domain::User | Domain::Local, QStringLiteral("Logs")),
                nameKey, identifierKey, others);
}

void GetSavedStatePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                        const QList<RelatedFileKey>& others)
{
    addBothKeys(list, folders(SearchPathDirectory::Library, Domain::User, QStringLiteral("Saved Application State")),
                nameKey, identifierKey, others);
}

void GetAppSupportPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                        const QList<RelatedFileKey>& others)
{
    addBothKeys(list, folders(SearchPathDirectory::ApplicationSupport, Domain::User | Domain::Local), nameKey,
                identifierKey, others);
}

void GetDownloadPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                      const QList<RelatedFileKey>& others)
{
    // The simulated home's Downloads: the person's own downloads are never an application's.
    const QString downloads = platform::Platform::current().searchPaths->homeDirectory() + QStringLiteral("/Downloads");
    addBothKeys(list, {downloads}, nameKey, identifierKey, others);
}

void GetGrowlPaths(AMAppItemGroup& list, const QString& nameKey, const QList<RelatedFileKey>& others)
{
    for (const QString& folder :
         folders(SearchPathDirectory::ApplicationSupport, Domain::User, QStringLiteral("Growl/Tickets")))
        AddPathIfExists(list, folder, RelatedFileKey(nameKey + QStringLiteral(".growlTicket"), Kind::Name), others);
}

void AddPathIfExists(AMAppItemGroup& list, const QString& folder, const RelatedFileKey& key,
                     const QList<RelatedFileKey>& others)
{
    const std::optional<QStringList> names = platform::Platform::current().fileManager->contentsOfDirectoryAtPath(folder);
    if (!names)
        return;
    // A related file is reached from its Library folder, a download from the home.
    const QStringList roots = folders(SearchPathDirectory::Library, Domain::User | Domain::Local)
        << platform::Platform::current().searchPaths->homeDirectory();
    for (const QString& name : *names) {
        const qsizetype length = key.matchLength(name);
        if (length == 0 || RelatedFileKey::claimedByAnother(name, length, others))
            continue;
        const QString path = folder + QLatin1Char('/') + name;
        if (std::any_of(list.cbegin(), list.cend(), [&](const AMAppItemPtr& item) { return item->path == path; }))
            continue;
        QString error;
        std::optional<platform::ItemLocation> location = locate(path, roots, &error);
        if (!location) {
            platform::NSLog(QStringLiteral("Not offered for removal: %1").arg(error));
            continue;
        }
        list << RelatedAppFilesScanner::aConstructItem(path, false);
        list.last()->location = std::move(location);
    }
}
