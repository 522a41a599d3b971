#include "LoginItemRows.h"

#include "platform/loginitems/FileURL.h"

#include <QSet>

using platform::LoginItemList;

QString LoginItemRows::pathOfItemURL(const QUrl& url)
{
    QString path = platform::pathFromFileURL(url);
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

std::optional<std::vector<LoginItemRows::Row>> LoginItemRows::collect(const LoginItemList& list,
                                                                      platform::Workspace& workspace)
{
    const std::optional<std::vector<LoginItemList::Item>> items = list.copySnapshot();
    if (!items)
        return std::nullopt;
    std::vector<Row> rows;
    QSet<QString> listed;
    for (const LoginItemList::Item& item : *items) {
        const std::optional<QUrl> url = list.resolveItem(item);
        if (!url)
            continue;
        const QString path = pathOfItemURL(*url);
        if (path.isEmpty() || listed.contains(path))
            continue;
        listed.insert(path);
        // Another program's entry names itself; what was added for a path is shown as that path.
        if (item.describedBy.isEmpty())
            rows.push_back({path, workspace.displayNameAtPath(path), workspace.iconForFile(path)});
        else
            rows.push_back({path, item.displayName, workspace.iconForFile(item.describedBy)});
    }
    return rows;
}

std::optional<LoginItemList::Item> LoginItemRows::itemWithPath(const LoginItemList& list,
                                                               const std::vector<LoginItemList::Item>& items,
                                                               const QString& path)
{
    for (const LoginItemList::Item& item : items) {
        const std::optional<QUrl> url = list.resolveItem(item);
        if (url && pathOfItemURL(*url) == path)
            return item;
    }
    return std::nullopt;
}
