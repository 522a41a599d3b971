#pragma once

#include "platform/loginitems/LoginItemList.h"
#include "platform/workspace/Workspace.h"

#include <QString>
#include <QUrl>

#include <optional>
#include <vector>

// What the Startup Items tab shows of the login items, worked out away from the window.
class LoginItemRows {
public:
    struct Row {
        QString path;
        QString name;
        platform::WorkspaceIcon icon;
    };

    // The path a row shows for an item's URL: the URL's path byte for byte, and a folder's
    // (an application bundle's) without its trailing "/". Empty for what is no file URL.
    static QString pathOfItemURL(const QUrl& url);
    // One row per resolvable item in list order; items that do not resolve are left out, and an
    // item whose path a row already shows adds none. An item another program made shows its own
    // name and the icon of the file that describes it; one added for a path, the workspace's
    // display name and icon of that path. Nothing when the list cannot be read.
    static std::optional<std::vector<Row>> collect(const platform::LoginItemList& list,
                                                   platform::Workspace& workspace);
    // The first item of `items` whose path is `path`.
    static std::optional<platform::LoginItemList::Item>
    itemWithPath(const platform::LoginItemList& list, const std::vector<platform::LoginItemList::Item>& items,
                 const QString& path);
};
