#pragma once

#include "ApplicationMatcher.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace platform {

// The applications that the desktop entries of the XDG applications folders describe. An
// entry in an earlier folder hides one with the same desktop-file id in a later folder.
// Folders are looked at again only when one of them changed.
class ApplicationCatalog {
public:
    ApplicationCatalog(QStringList folders, QString locale);

    // $XDG_DATA_HOME/applications, then <each of $XDG_DATA_DIRS>/applications.
    static QStringList defaultFolders();

    // Reads the entries again when a folder was added, removed or changed since the last
    // time; gives whether the entries changed (always at the first time).
    bool refresh();
    const ApplicationMatcher& matcher() const { return matcher_; }

private:
    using Signature = std::vector<std::pair<QString, qint64>>;
    Signature signature() const;
    void scan();

    QStringList folders_;
    QString locale_;
    QStringList scannedFolders_; // every folder read by the last scan, subfolders included
    Signature signature_;
    bool scanned_ = false;
    bool racy_ = false;
    ApplicationMatcher matcher_;
};

} // namespace platform
