#pragma once

#include "platform/files/FileIdentity.h"

#include <QString>

#include <functional>

// The user's Downloads folder, the one Clean and Rescan scan: below 10.10 "/Users/<login>/Downloads"
// of the Mac, from 10.10 on the last of the user's Downloads folders (the real XDG one here).
// A null text when the user has disabled it.
QString downloadsFolder();

// That folder as a scan may take it. Looks at the disk, so it runs on the global queue.
struct DownloadsFolderCheck {
    enum class Status {
        Usable,
        Missing, // nothing there
        Refused, // disabled, not a folder, or a folder that is not the user's Downloads to clean
    };
    QString path;
    Status status = Status::Missing;
    QString reason; // why it was refused, for the log
    platform::ProtectedFolders protectedFolders; // as they were at the check, for the rows to ask

    static DownloadsFolderCheck check(const QString& path);
    // Checks `downloadsFolder()` on the global queue and hands the result to `then` on the main
    // queue; the caller guards `then` with its lifetime.
    static void checkInBackground(std::function<void(const DownloadsFolderCheck&)> then);
};
