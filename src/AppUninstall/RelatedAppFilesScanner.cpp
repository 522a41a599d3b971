#include "RelatedAppFilesScanner.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/files/FileCatalog.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
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

void addBothKeys(AMAppItemGroup& list, const QStringList& places, const QString& nameKey, const QString& identifierKey)
{
    for (const QString& folder : places) {
        AddPathIfExists(list, folder, nameKey);
        AddPathIfExists(list, folder, identifierKey);
    }
}

// Whether `name` (lower case) starts with `key` (lower case) and no letter or digit follows it.
bool startsWithWholeKey(const QString& name, const QString& key)
{
    if (key.isEmpty() || !name.startsWith(key))
        return false;
    if (name.size() == key.size())
        return true;
    const QChar next = name.at(key.size());
    if (next.isHighSurrogate() && name.size() > key.size() + 1)
        return !QChar::isLetterOrNumber(QChar::surrogateToUcs4(next, name.at(key.size() + 1)));
    return !next.isLetterOrNumber();
}

} // namespace

bool RelatedAppFilesScanner::isSystemBundleIdentifier(const QString& bundleID)
{
    return bundleID.startsWith(kSystemPrefix);
}

bool RelatedAppFilesScanner::entryMatchesKey(const QString& entryName, const QString& key)
{
    const QString name = entryName.toLower();
    QString blankFree = key;
    blankFree.remove(QLatin1Char(' '));
    return startsWithWholeKey(name, key.toLower()) || startsWithWholeKey(name, blankFree.toLower());
}

AMAppItemPtr RelatedAppFilesScanner::getAppItemWithFilePath(const QString& path, bool)
{
    platform::Platform& platform = platform::Platform::current();
    auto item = std::make_shared<AMAppItem>();
    item->path = path;
    if (platform.workspace)
        item->image = platform.workspace->iconForFile(path);
    item->name = lastPathComponent(path);
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

AMAppItemGroup RelatedAppFilesScanner::relatedFilesToApplicationAtPath(const QString& path)
{
    AMAppItemGroup group{aConstructItem(path, true)};
    const QVariantMap info = infoDictionary(path);
    QString nameKey = info.value(QStringLiteral("CFBundleName")).toString();
    if (nameKey.isEmpty())
        nameKey = info.value(QStringLiteral("CFBundleExecutable")).toString();
    const QString identifierKey = info.value(QStringLiteral("CFBundleIdentifier")).toString();
    if (nameKey.isEmpty() || identifierKey.isEmpty() || identifierKey == QLatin1String(" "))
        return group;
    GetPreferencePaths(group, nameKey, identifierKey);
    GetCachePaths(group, nameKey, identifierKey);
    GetLogPaths(group, nameKey, identifierKey);
    GetSavedStatePaths(group, nameKey, identifierKey);
    GetAppSupportPaths(group, nameKey, identifierKey);
    GetDownloadPaths(group, nameKey, identifierKey);
    GetGrowlPaths(group, nameKey);
    return group;
}

void GetPreferencePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey)
{
    addBothKeys(list, folders(SearchPathDirectory::Library, Domain::User | Domain::Local, QStringLiteral("Preferences")),
                nameKey, identifierKey);
}

void GetCachePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey)
{
    addBothKeys(list, folders(SearchPathDirectory::Caches, Domain::User | Domain::Local), nameKey, identifierKey);
}

void GetLogPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey)
{
    addBothKeys(list, folders(SearchPathDirectory::Library, Domain::User | Domain::Local, QStringLiteral("Logs")),
                nameKey, identifierKey);
}

void GetSavedStatePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey)
{
    addBothKeys(list, folders(SearchPathDirectory::Library, Domain::User, QStringLiteral("Saved Application State")),
                nameKey, identifierKey);
}

void GetAppSupportPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey)
{
    addBothKeys(list, folders(SearchPathDirectory::ApplicationSupport, Domain::User | Domain::Local), nameKey,
                identifierKey);
}

void GetDownloadPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey)
{
    // The simulated home's Downloads: the person's own downloads are never an application's.
    const QString downloads = platform::Platform::current().searchPaths->homeDirectory() + QStringLiteral("/Downloads");
    addBothKeys(list, {downloads}, nameKey, identifierKey);
}

void GetGrowlPaths(AMAppItemGroup& list, const QString& nameKey)
{
    for (const QString& folder :
         folders(SearchPathDirectory::ApplicationSupport, Domain::User, QStringLiteral("Growl/Tickets")))
        AddPathIfExists(list, folder, nameKey + QStringLiteral(".growlTicket"));
}

void AddPathIfExists(AMAppItemGroup& list, const QString& folder, const QString& key)
{
    if (key.isEmpty())
        return;
    const std::optional<QStringList> names = platform::Platform::current().fileManager->contentsOfDirectoryAtPath(folder);
    if (!names)
        return;
    for (const QString& name : *names) {
        if (!RelatedAppFilesScanner::entryMatchesKey(name, key))
            continue;
        const QString path = folder + QLatin1Char('/') + name;
        const bool listed =
            std::any_of(list.cbegin(), list.cend(), [&](const AMAppItemPtr& item) { return item->path == path; });
        if (!listed)
            list << RelatedAppFilesScanner::aConstructItem(path, false);
    }
}
