#pragma once

#include "platform/files/ItemLocation.h"
#include "platform/workspace/Workspace.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// One application bundle, one related file or folder, or one desktop application of this
// machine. Records are shared between the lists that show them (a list knows a record by its
// address); background work hands its results to the main thread, which alone writes them.
class AMAppItem {
public:
    // Empty texts, the current date, every flag false.
    AMAppItem();
    // The flags start false whatever `isSystemAppStr` says.
    AMAppItem(platform::WorkspaceIcon image, QString name, QString path, QString bundleID, QString bundleVersion,
              QDateTime date, QString isSystemAppStr, QString size);

    // A new record with this one's values and false flags.
    std::shared_ptr<AMAppItem> copy() const;

    bool isSystemApp = false;
    bool bIsSelected = false;
    bool bIsGetSize = false;
    platform::WorkspaceIcon image; // made into a picture on the main thread
    QString name;
    QString path;
    QString bundleID;
    QString bundleVersion;
    QDateTime date;
    QString isSystemAppStr;
    QString size;
    // Where the related-file search found the item, from the folder it belongs to (its Library,
    // the home, its application folder): removals reach it only that way. Not copied.
    std::optional<platform::ItemLocation> location;
};

using AMAppItemPtr = std::shared_ptr<AMAppItem>;
// An application's record first, then its related files in search order.
using AMAppItemGroup = QList<AMAppItemPtr>;
