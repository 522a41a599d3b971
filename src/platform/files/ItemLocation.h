#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace platform {

// One folder on the way from a walk's root down to an item, as the walk saw it when it opened it.
struct FolderStep {
    QByteArray name;
    FileIdentity identity;
    // Only where the walk itself followed a link (a link to a folder shown as a folder).
    bool followsLink = false;
};

// Where an item was found: the root a walk started from (opened following a link once, as the
// configured folder may be one), the folders from the root down to the item's parent, and the
// item's name. Names are bytes. An operation over a location reaches the item one component at
// a time and fails when any of them is no longer what was seen.
struct ItemLocation {
    QByteArray rootPath;
    FileIdentity rootIdentity;
    std::vector<FolderStep> folders;
    QByteArray name;
    // The item itself (a link as a link), when known.
    FileIdentity identity;

    // The full path, for the log and for records that keep it.
    QByteArray path() const;
    QString displayPath() const;
};

} // namespace platform
