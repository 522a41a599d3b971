#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

// The user's session login items, as Launch Services' shared file list of login items offers
// them. Reading (snapshot, resolve) may happen on any thread; observers are added on the main
// thread and called there.
class LoginItemList {
public:
    struct Item {
        QString identifier;  // stable name of the item within the list
        QString displayName;
        QString path;        // what the item starts, as recorded; may no longer exist
        // The file that describes an item another program made (its desktop entry), whose name
        // and icon the item has. Empty for an item added for a path, which is shown as that path.
        QString describedBy;
    };

    // Ends its registration when destroyed; the list may go away first.
    class Observation {
    public:
        virtual ~Observation() = default;
    };

    virtual ~LoginItemList() = default;

    // The items in list order, or nothing when the list cannot be read.
    virtual std::optional<std::vector<Item>> copySnapshot() const = 0;
    // Appends an item for the file at `url` (an application bundle, a program, a document or a
    // folder) and gives it back. A URL that already has an item gives that item. Nothing for a
    // URL that is not an existing local file or when the item cannot be written.
    virtual std::optional<Item> insertItemURL(const QUrl& url) = 0;
    // Whether the item was in the list and is gone now.
    virtual bool removeItem(const Item& item) = 0;
    // The file URL of what the item starts, read afresh; nothing when the item is gone or its
    // target does not exist. A folder's URL ends with "/".
    virtual std::optional<QUrl> resolveItem(const Item& item) const = 0;
    // Calls `changed` on the main thread after each change of the list, by this program or
    // another, for as long as the returned observation lives.
    virtual std::unique_ptr<Observation> addObserver(std::function<void()> changed) = 0;
};

} // namespace platform
