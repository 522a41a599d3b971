#pragma once

#include "AMAppItem.h"

#include <QString>

namespace platform {
struct DesktopApplication;
}

// Records from paths, and the files an application left in the Library: preferences, caches,
// logs, saved state, application support, downloads and notification tickets. Synchronous,
// stateless, callable from any thread.
class RelatedAppFilesScanner {
public:
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
    // The application's record (measured), then its related files, each path once.
    static AMAppItemGroup relatedFilesToApplicationAtPath(const QString& path);

    // Whether a bundle identifier names one of the system's own applications.
    static bool isSystemBundleIdentifier(const QString& bundleID);
    // Whether a folder entry belongs to the application of `key`: its name starts with the key
    // (or the key without blanks), ignoring case, and no letter or digit follows the key.
    static bool entryMatchesKey(const QString& entryName, const QString& key);
};

// The seven places, each adding the matching entries of its folders to `list`; a path that is
// in the list already is not added again.
void GetPreferencePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey);
void GetCachePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey);
void GetLogPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey);
void GetSavedStatePaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey);
void GetAppSupportPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey);
// The simulated home's Downloads folder, never the person's own.
void GetDownloadPaths(AMAppItemGroup& list, const QString& nameKey, const QString& identifierKey);
void GetGrowlPaths(AMAppItemGroup& list, const QString& nameKey);
// Adds the entries of `folder` (one level) that match `key`.
void AddPathIfExists(AMAppItemGroup& list, const QString& folder, const QString& key);
