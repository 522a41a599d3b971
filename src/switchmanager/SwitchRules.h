#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// What the Switch Manager decides from what it reads: the output texts of `defaults`, the
// global domain's style, the OS version. Each output rule searches the whole text, error
// messages included, as it stands.
namespace SwitchRules {

// "defaults read com.apple.finder CreateDesktop" holding "FALSE": the desktop's icons are hidden.
bool desktopIconsHidden(const QString& output);
// "defaults read com.apple.finder AppleShowAllFiles" holding "TRUE".
bool hiddenFilesShown(const QString& output);
// The ByHost "doNotDisturb" read holding a "1" anywhere.
bool doNotDisturbOn(const QString& output);
// "defaults read com.apple.dock autohide": off only when a "0" appears anywhere.
bool dockHidden(const QString& output);
// "AppleInterfaceStyle": a text equal to "dark", ignoring case.
bool darkStyle(const QVariant& style);

// The switches that the OS version (major × 100 + minor) leaves disabled.
struct Gates {
    bool darkMode = false;      // below 1011
    bool screenSaver = false;   // below 1010
    bool doNotDisturb = false;  // below 1013
    bool nightShift = false;    // below 1013
};
Gates gatesForVersion(int version);

// The ByHost file: `folder` (ending in "/") with the last entry, in listing order, whose name
// holds "com.apple.notificationcenterui"; the folder alone when none does.
QString doNotDisturbPath(const QString& folder, const QStringList& entries);

// The AppleScript that has System Events hide the Dock or show it.
QString dockHideScript(bool hide);

} // namespace SwitchRules
