#pragma once

#include "AMAppItem.h"
#include "RelatedFileKey.h"

#include <QList>
#include <QString>

namespace platform {
struct DesktopApplication;
}

// Records from paths, and the files an application left in the Library: preferences, caches,
// logs, saved state, application support, downloads and notification tickets. Synchronous,
// stateless, callable from any thread.
class RelatedAppFilesScanner {
public:
    // An installed application as another's search sees it: the keys its own files are found by.
    struct InstalledApplication {
        QString path;
        QList<RelatedFileKey> keys;
    };

    // A record with an empty size. `appFlag` is not used.
    static AMAppItemPtr getAppItemWithFilePath(const QString& path, bool appFlag);
    // A record with the size "0KB" (the application lists measure later).
    static AMAppItemPtr constructItem(const QString& path, bool appFlag);
    // A record with its measured size.
    static AMAppItemPtr aConstructItem(const QString& path, bool appFlag);
    // A desktop application of this machine: a system application, named by its entry.
    static AMAppItemPtr constructItem(const platform::DesktopApplication& application);
    // The size text of everything at the path.
    static QString getFileSizeItem(const QString& path);
    // The application's record (measured), then its related files, each path once. An entry that
    // another of the `installed` applications takes as far (a longer or an equal key) is not listed.
    static AMAppItemGroup relatedFilesToApplicationAtPath(const QString& path,
                                                          const QList<InstalledApplication>& installed = {});
    // The keys of the application at the path: its bundle name, its display name, its identifier.
    static InstalledApplication installedApplication(const QString& path);

    // Whether a bundle identifier names one of the system's own applications.
    static bool isSystemBundleIdentifier(const QString& bundleID);
};

// The seven places, each adding the matching entries of its folders to `list`; a path that is
// in the list already is not added again, nor one that a key of `others` takes as far.
void GetPreferencePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                        const QList<RelatedFileKey>& others = {});
void GetCachePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                   const QList<RelatedFileKey>& others = {});
void GetLogPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                 const QList<RelatedFileKey>& others = {});
void GetSavedStatePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                        const QList<RelatedFileKey>& others = {});
void GetAppSupportPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                        const QList<RelatedFileKey>& others = {});
// The simulated home's Downloads folder, never the person's own.
void GetDownloadPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey,
                      const QList<RelatedFileKey>& others = {});
void GetGrowlPaths(AMAppItemGroup& list, const QString& nameKey, const QList<RelatedFileKey>& others = {});
// Adds the entries of `folder` (one level) that `key` takes and no key of `others` takes as far.
void AddPathIfExists(AMAppItemGroup& list, const QString& folder, const RelatedFileKey& key,
                     const QList<RelatedFileKey>& others = {});
