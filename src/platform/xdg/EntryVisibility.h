#pragma once

#include "DesktopEntry.h"

#include <QString>
#include <QStringList>

namespace platform {

// Whether the desktops show a desktop entry in their menus and start it at login, by the rules
// that they and GLib share: the same for the applications folders and the autostart folders.
class EntryVisibility {
public:
    // The session's desktops, from the colon-separated XDG_CURRENT_DESKTOP, in order.
    static QStringList currentDesktops();
    // OnlyShowIn and NotShowIn (";"-separated) against `desktops`: the first desktop that either
    // list names decides, OnlyShowIn first; when none does, the entry is shown unless it has
    // OnlyShowIn. So with no declared desktop an entry with OnlyShowIn is not shown, and
    // NotShowIn counts for nothing.
    static bool isShownIn(const DesktopEntry& entry, const QStringList& desktops);
    // A program given with a "/" must be an executable file (not a folder); a bare name must be
    // one in a folder of PATH.
    static bool canFindProgram(const QString& program);
    // GLib loads no entry whose TryExec program, or the first word of whose Exec line, cannot be
    // found. Each is true when its key is not set. GLib looks that word up as written, before
    // "%%" is undone, and an Exec line with an open quote never starts.
    static bool hasTryExecProgram(const DesktopEntry& entry);
    static bool hasExecProgram(const DesktopEntry& entry);
    // The key files' booleans: "true" or "1", "false" or "0"; anything else is neither.
    static bool isTrue(const QString& value);
    static bool isFalse(const QString& value);
};

} // namespace platform
