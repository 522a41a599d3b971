#pragma once

#include "platform/xdg/EntryVisibility.h"
#include "LoginItemList.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace platform {

class FolderChangeWatch;
class PropertyListSerialization;

// The login items of an XDG desktop: one desktop-entry file per item in the autostart folder.
// Items this program adds carry the path they were made for (X-Tavrin-Path), their place in the
// list (X-Tavrin-Order) and an Exec line that starts the application bundle's executable
// (Contents/MacOS/<CFBundleExecutable>), a program itself (a binary or "#!" script with the
// execute bit), or else opens the file with xdg-open. Entries written by other programs are
// items too, by file name and before this program's own, so that an item added here comes last;
// their path is the program of their Exec line, or the entry's own file when that program is a
// shell, an interpreter or a launcher that starts another. Only what the desktop starts at login
// is an item: not Hidden=true, not X-GNOME-Autostart-enabled=false, not for other desktops
// (OnlyShowIn, NotShowIn), not with a missing TryExec program. The system-wide autostart folders
// add their entries under names the user's folder does not hold (the user's file of a name wins,
// and the first system folder before later ones), as the desktops' startup-applications tools
// list them, without the system's own agents (NoDisplay=true). Removing one of them writes a
// Hidden=true entry of that name into the user's folder, which is the only folder ever written,
// and is not written (nor made) either when it is or lies in a system folder or the configuration
// folder that holds one (a link to one, or the same path, told by device and inode).
// Every argument of an Exec line written here is quoted. GLib looks the first word up on disk
// before it undoes "%%", so a program whose path holds "%" is started through `env` (through
// `nice -n 0` when the path also holds "="). Changes by any process are noticed through a
// QFileSystemWatcher on every folder and entry, each watched before it is read, so a file made
// empty and filled afterwards is seen filled. Item URLs become paths byte for byte (`FileURL`).
// Another program's entry is its item's `describedBy`, so its row shows the entry's own
// (localised) Name and icon, where an item added here shows those of its path.
class XdgLoginItemList final : public LoginItemList {
public:
    XdgLoginItemList(QString folder, const PropertyListSerialization& propertyLists);
    // `desktops`: the session's, which OnlyShowIn and NotShowIn are held against.
    XdgLoginItemList(QString folder, QStringList systemFolders, const PropertyListSerialization& propertyLists,
                     QStringList desktops = EntryVisibility::currentDesktops());
    ~XdgLoginItemList() override;

    // $XDG_CONFIG_HOME/autostart, by default ~/.config/autostart.
    static QString defaultFolder();
    // The autostart folder of each folder of $XDG_CONFIG_DIRS (by default /etc/xdg), in order.
    static QStringList defaultSystemFolders();

    std::optional<std::vector<Item>> copySnapshot() const override;
    std::optional<Item> insertItemURL(const QUrl& url) override;
    bool removeItem(const Item& item) override;
    std::optional<QUrl> resolveItem(const Item& item) const override;
    std::unique_ptr<Observation> addObserver(std::function<void()> changed) override;

    // Tells the observers at once when the folder changed since they were last told. The
    // folder watch calls it as changes arrive; a test calls it instead of waiting for them.
    void checkForChanges();

private:
    struct Entry {
        Item item;
        bool ownItem = false;
        qint64 order = 0;
    };

    // The folder whose file of that name counts, or nothing when no folder has one.
    std::optional<QString> folderOf(const QString& fileName) const;
    std::optional<Entry> readEntry(const QString& fileName) const;
    // Not hidden, not turned off (X-GNOME-Autostart-enabled=false), not for another desktop, and
    // its TryExec program is there.
    bool startsAtLogin(const DesktopEntry& entry) const;
    // Why the user's folder is no place to write, said after its path: it is or lies in a system
    // autostart folder or the configuration folder holding one (seen through links, by device
    // and inode, or where it would be made when it does not exist yet). None when it is not.
    std::optional<QString> userFolderRefusal() const;
    // True, after saying so in the log, when the user's folder is a system folder.
    bool refusesToWrite() const;
    // Every item's entry in list order; nothing when the folder cannot be read.
    std::optional<std::vector<Entry>> readEntries() const;
    QString freeFileName(const QString& displayName) const;

    QString folder_;
    QStringList systemFolders_;
    const PropertyListSerialization& propertyLists_;
    QStringList desktops_;
    // One per folder, the user's first.
    std::vector<std::shared_ptr<FolderChangeWatch>> watches_;
};

} // namespace platform
