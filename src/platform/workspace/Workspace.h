#pragma once

#include "platform/workspace/FileSystemFacts.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <QVariantMap>

namespace platform {

class NotificationCenter;

// Keys of the dictionaries that `launchedApplications` gives, and of the user information of
// the launch and termination notifications (which carry the application's dictionary).
inline const QString NSApplicationName = QStringLiteral("NSApplicationName");
inline const QString NSApplicationPath = QStringLiteral("NSApplicationPath");
inline const QString NSApplicationProcessIdentifier = QStringLiteral("NSApplicationProcessIdentifier");
inline const QString NSApplicationBundleIdentifier = QStringLiteral("NSApplicationBundleIdentifier");
// The process's start (clock ticks since boot): with the identifier it names one process, so a
// later signal can prove that the identifier has not passed to another process meanwhile.
inline const QString TavrinProcessStartTime = QStringLiteral("TavrinProcessStartTime");

// Notifications of the workspace's notification centre.
inline const QString NSWorkspaceDidLaunchApplicationNotification =
    QStringLiteral("NSWorkspaceDidLaunchApplicationNotification");
inline const QString NSWorkspaceDidTerminateApplicationNotification =
    QStringLiteral("NSWorkspaceDidTerminateApplicationNotification");

// An icon as the desktop knows it: an image file when there is one, else a name of the icon
// theme, with a more general theme name to fall back on; and the picture to show when the theme
// has neither (as without a declared desktop): the hicolor theme's, else a generic application,
// document or folder picture of the program's own, so a row never lacks its icon.
struct WorkspaceIcon {
    QString filePath;
    QString themeName;
    QString fallbackThemeName;
    QString fallbackFilePath = {};

    bool operator==(const WorkspaceIcon&) const = default;
};

// A desktop application of this machine, as its desktop entry describes it.
struct DesktopApplication {
    QString name;
    WorkspaceIcon icon;
    QString desktopEntryPath;

    bool operator==(const DesktopApplication&) const = default;
};

// Opening files and addresses, application icons, and the running applications with their
// launch and quit notifications.
class Workspace {
public:
    virtual ~Workspace() = default;

    // One dictionary per running application of the user, this program included, in the
    // order they started. Safe to call from any thread.
    virtual QList<QVariantMap> launchedApplications() = 0;
    // Where the launch, termination, mount and unmount notifications are posted, with the
    // workspace as their object. Observe on the main thread; observers are called there.
    virtual NotificationCenter& notificationCenter() = 0;

    // Opens a file or folder with its usual application. False when it could not be opened.
    virtual bool openFile(const QString& fullPath) = 0;
    virtual bool openURL(const QUrl& url) = 0;
    // Starts an application given by its name or by its full path.
    virtual bool launchApplication(const QString& appName) = 0;
    virtual WorkspaceIcon iconForFile(const QString& fullPath) = 0;
    // The name a file viewer shows for the path: its last component, without the ".app" of an
    // application bundle. Safe to call from any thread.
    virtual QString displayNameAtPath(const QString& fullPath)
    {
        QString name = fullPath;
        while (name.size() > 1 && name.endsWith(QLatin1Char('/')))
            name.chop(1);
        name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
        if (name.size() > 4 && name.endsWith(QLatin1String(".app"), Qt::CaseInsensitive))
            name.chop(4);
        return name.isEmpty() ? fullPath : name;
    }
    // Shows the file in a file viewer; an empty path opens `rootFullPath` instead.
    virtual bool selectFile(const QString& fullPath, const QString& rootFullPath) = 0;
    virtual void hideOtherApplications() = 0;
    // The applications that this machine's menus show, from their desktop entries. They belong
    // to the system's package manager. Safe to call from any thread.
    virtual QList<DesktopApplication> desktopApplications() = 0;
    // The facts of the file system that holds the path; false when they cannot be told.
    virtual bool getFileSystemInfoForPath(const QString& fullPath, FileSystemFacts* facts)
    {
        (void)fullPath, (void)facts;
        return false;
    }
};

} // namespace platform
