#pragma once

#include "platform/files/FileIdentity.h"
#include "platform/folders/SearchPaths.h"

#include <QString>

#include <optional>

// A folder as the file system knows it; the name the App Uninstaller uses.
using FolderIdentity = platform::FileIdentity;

// The folders that a cleanup never offers to remove: the system's own, listed in the bundle's
// "SystemFile" property list under the keys "0", "1", …, and the user's own folders.
class SystemFolder {
public:
    // A listed path, by exact text; or, however it is spelled, an item that is one of the
    // protected folders (a link is itself, never what it leads to).
    static bool isSystemFileWithFilePath(const QString& path); // kept: named by the design, no caller yet
    // The same for a listed item whose identity a scan saw, against a set made beforehand, so
    // that a row can ask without looking at the disk.
    static bool isSystemFile(const QString& path, const platform::FileIdentity& folder,
                             const platform::ProtectedFolders& protectedFolders);
    // What no cleanup may scan as its folder, remove or enter, by identity (links followed): "/",
    // the user's home and the Mac's home with every folder above them, the XDG user folders
    // other than `workingFolder` (as set and under their usual names) and the XDG base folders,
    // with the folders that hold them (up to `workingFolder`), and the listed folders, both on
    // this machine and in the Mac.
    static platform::ProtectedFolders protectedFolders(platform::XdgUserFolder workingFolder);
    // What is at the path now, a link as itself unless `followLink`; nothing when nothing is.
    static std::optional<platform::FileIdentity> identityOf(const QString& path, bool followLink);
};
