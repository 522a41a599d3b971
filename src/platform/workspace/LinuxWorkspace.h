#pragma once

#include "ApplicationCatalog.h"
#include "platform/files/FileStampCache.h"
#include "HicolorIcons.h"
#include "LinuxProcFolder.h"
#include "OpenTarget.h"
#include "RunningApplication.h"
#include "Workspace.h"
#include "platform/Sibling.h"
#include "platform/dispatch/Lifetime.h"
#include "platform/notifications/NotificationCenter.h"

#include <QMutex>

#include <chrono>
#include <optional>
#include <functional>
#include <memory>

namespace platform {

class Bundle;
class Dispatcher;
class PropertyListSerialization;
class SearchPaths;
class SimulatedMac;
class TimerHandle;

// The workspace on Linux. Running applications are the user's processes (same uid, /proc) that
// a desktop entry of the XDG applications folders names (by its Exec program, TryExec, the
// script an interpreter runs, or StartupWMClass) or that run from a ".app/Contents/MacOS/"
// folder, with this program; a process whose parent is the same application is part of it.
// Each carries "TavrinProcessStartTime" (ticks since boot), for force quit.
// Launches and quits are noticed by a look every 2 seconds on the background queue while the
// notification centre has observers, and only what changed comes back to the main queue. A look
// walks /proc once, or not at all while /proc/loadavg says no task started or ended and every
// process is settled and read. It knows a process by its identifier and folder inode; the
// kernel makes unused folders again with new inodes, so such a process is the same unless the
// kernel has handed out its identifier since the last look (the last identifier of loadavg),
// and then its start time tells. A process is read and matched only when it first appears (once more at the
// next look, for a fork caught before its exec), and the list is made again only when an
// application's process came or went.
// Files, folders and web and mail addresses open through the desktop's opener; what only a Mac
// has (".prefPane" paths, "x-apple.systempreferences:" addresses, application bundles) goes to
// the simulated Mac, which records and logs the request and runs nothing, unless a bundle names
// desktop entries to start instead ("TavrinDesktopEntries"). Hiding the other applications is
// recorded too, and handed to the window manager where the program was given a way to.
// The desktop applications are the entries this session's menus show (not NoDisplay, the
// `EntryVisibility` rules against XDG_CURRENT_DESKTOP, TryExec and Exec programs found), named
// in gettext's language order (LANGUAGE unless the locale is C, then LC_ALL, LC_MESSAGES, LANG).
// An entry starts from its own Exec arguments, without a shell, with %c, %i and %k expanded, in
// its Path= folder (a missing one fails the start, logged); a Terminal=true one inside the
// user's terminal (`TerminalCommand`), and with none it is not started and the log says why.
// What is read from a bundle's Info.plist, its icon and a desktop entry is kept by path while the
// files' time, size and inode hold (`FileStampCache`). Icons are an image file or a theme name
// (`WorkspaceIcon`), with the hicolor or pixmaps file of that name (`HicolorIcons`), else the
// bundle's generic drawing, so an icon is never empty.
class LinuxWorkspace final : public Workspace {
public:
    static constexpr std::chrono::milliseconds kPollInterval{2000};
    using OpenOnDesktop = std::function<bool(const QUrl&)>;

    struct Settings {
        std::shared_ptr<ProcFolder> procFolder = std::make_shared<LinuxProcFolder>();
        unsigned uid = 0;
        QStringList applicationFolders; // desktop entries, in order of precedence
        QString locale;                 // for the entries' names
        ThisApplication self;
        // A Mac path inside the simulated Mac, for paths that do not exist as given.
        std::function<QString(const QString& macPath)> pathOnMac;
        // The simulated Mac's application folders, for launching an application by name.
        std::function<QStringList()> macApplicationFolders;
        // An application bundle's Info.plist.
        std::function<QVariantMap(const QString& bundlePath)> bundleInfo;
        OpenOnDesktop openOnDesktop;
        std::function<bool(const QStringList& arguments, const QString& workingDirectory)> startProgram;
        // Asks the window manager to show the desktop (hiding every window); false when it could not.
        std::function<bool()> showDesktop;
        // Where icons are looked for when the theme has none, and the program's own generic
        // pictures ("generic-application", "generic-document", "generic-folder") by name.
        QStringList iconDataFolders;
        std::function<QString(const QString& name)> genericImage;
        // The queues of the looks, and the simulated Mac for its volumes' types; none when missing.
        Sibling<Dispatcher> dispatcher;
        Sibling<SimulatedMac> simulatedMac;
    };

    // The areas that the default settings lean on.
    struct Siblings {
        Sibling<Dispatcher> dispatcher;
        Sibling<SimulatedMac> simulatedMac;
        Sibling<SearchPaths> searchPaths;
        Sibling<PropertyListSerialization> propertyLists;
    };

    // The key of a simulated bundle's Info.plist that names the desktop entries (their file
    // names, in order of preference) that stand for it on this machine.
    static inline const QString kDesktopEntriesKey = QStringLiteral("TavrinDesktopEntries");

    struct SimulatedRequest {
        QString operation; // "open", "openURL", "launchApplication", "hideOtherApplications"
        QString target;
        bool operator==(const SimulatedRequest&) const = default;
    };

    // This process, the real /proc, the XDG folders and the desktop; Mac paths, application
    // folders and Info.plist files through the siblings.
    static Settings defaultSettings(const Bundle& bundle, const Siblings& siblings, OpenOnDesktop openOnDesktop = {},
                                    std::function<bool()> showDesktop = {});

    explicit LinuxWorkspace(Settings settings);
    ~LinuxWorkspace() override;

    QList<QVariantMap> launchedApplications() override;
    // Starts watching the running applications, until a look finds no observer left.
    NotificationCenter& notificationCenter() override;
    bool openFile(const QString& fullPath) override;
    bool openURL(const QUrl& url) override;
    bool launchApplication(const QString& appName) override;
    // An application's desktop entry, and a program that one starts, have the entry's icon and name.
    WorkspaceIcon iconForFile(const QString& fullPath) override;
    QString displayNameAtPath(const QString& fullPath) override;
    bool selectFile(const QString& fullPath, const QString& rootFullPath) override;
    void hideOtherApplications() override;
    // The entries of the XDG applications folders that this session's menus show (not NoDisplay,
    // shown in the current desktops, their TryExec and Exec programs found), read afresh.
    QList<DesktopApplication> desktopApplications() override;
    // A simulated volume's type from the simulated Mac's state; any other path's from the
    // kernel's mount table.
    bool getFileSystemInfoForPath(const QString& fullPath, FileSystemFacts* facts) override;

    // Starts one look at the running applications on the background queue, unless the last one
    // still runs; on the main queue it posts a termination for each that quit and a launch for
    // each that started since the look before. The timer calls it every 2 seconds.
    void poll();
    bool isPolling() const { return timer_ != nullptr; }
    QList<SimulatedRequest> simulatedRequests() const;

private:
    class Looker;
    void post(const ApplicationChanges& changes);
    void stopPolling();
    QString existingPath(const QString& path) const;
    bool open(const OpenTarget& target, const QString& operation, const QString& asked);
    bool simulate(const QString& operation, const QString& target);
    // Starts the desktop entry that stands for a simulated bundle; nothing when the bundle names
    // none, false (logged) when this machine has none of those it names.
    std::optional<bool> startDesktopCounterpart(const QString& macPath);
    bool launchBundle(const QString& bundle);
    WorkspaceIcon bundleIcon(const QString& bundlePath) const;
    enum class Generic { Application, Document, Folder };
    // The icon with the picture that stands in when its theme names find nothing.
    WorkspaceIcon withFallback(WorkspaceIcon icon, Generic generic);
    WorkspaceIcon unfinishedIconForFile(const QString& fullPath, Generic& generic);
    // The application entry whose Exec starts the program at `path` (given as it is, or by a
    // name that PATH finds there).
    std::optional<ApplicationEntry> entryStarting(const QString& path);
    std::optional<ApplicationEntry> cachedEntry(const QString& path);
    // Starts what the entry's Exec says, in a terminal when the entry asks for one.
    bool startEntry(const ApplicationEntry& entry);

    Settings settings_;
    NotificationCenter center_;

    // Shared with the look in flight, which may outlive the workspace.
    std::shared_ptr<Looker> looker_;
    bool learnAfresh_ = true; // the next look only learns what runs
    std::unique_ptr<TimerHandle> timer_;
    Lifetime lifetime_;

    QMutex catalogMutex_;
    ApplicationCatalog catalog_;

    // What icons and names were read from, kept while those files are unchanged.
    FileStampCache<WorkspaceIcon> bundleIcons_;
    FileStampCache<std::optional<ApplicationEntry>> entries_;
    std::shared_ptr<HicolorIcons> hicolor_;

    mutable QMutex simulatedMutex_;
    QList<SimulatedRequest> simulated_;
};

} // namespace platform
