#include "LinuxWorkspace.h"

#include "platform/files/RegularFile.h"
#include "ApplicationCatalog.h"
#include "DesktopLauncher.h"
#include "platform/files/FileStampCache.h"
#include "TerminalCommand.h"
#include "RunningApplicationLook.h"
#include "platform/bundle/Bundle.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/folders/SearchPaths.h"
#include "platform/log/SystemLog.h"
#include "platform/mounts/MountInfo.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/xdg/ExecProgram.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QMutex>
#include <QStandardPaths>
#include <QThread>

#include <atomic>
#include <cstdint>

#include <unistd.h>

namespace platform {

namespace {

constexpr qint64 kMaximumEntrySize = 1024 * 1024;
const QString kGenericApplicationIcon = QStringLiteral("application-x-executable");

bool isDesktopEntryFile(const QString& path)
{
    return path.endsWith(QLatin1String(".desktop")) && QFileInfo(path).isFile();
}

std::optional<ApplicationEntry> readEntry(const QString& path, const QString& locale)
{
    const std::optional<QByteArray> text = readRegularFile(path, kMaximumEntrySize);
    if (!text)
        return std::nullopt;
    std::optional<ApplicationEntry> entry = ApplicationEntry::parse(*text, locale);
    if (entry)
        entry->path = path;
    return entry;
}

// An entry's Icon: an absolute path is an image file, anything else a theme name (which some
// entries wrongly give with an image extension).
WorkspaceIcon iconOfEntry(const QString& icon)
{
    WorkspaceIcon result;
    result.fallbackThemeName = kGenericApplicationIcon;
    if (icon.startsWith(QLatin1Char('/'))) {
        result.filePath = icon;
        return result;
    }
    QString name = icon;
    for (const char* extension : {".png", ".svg", ".xpm"}) {
        if (name.endsWith(QLatin1String(extension)))
            name.chop(4);
    }
    result.themeName = name.isEmpty() ? kGenericApplicationIcon : name;
    return result;
}

BundleFacts factsFromInfo(const QVariantMap& info)
{
    BundleFacts facts;
    facts.name = info.value(QStringLiteral("CFBundleDisplayName")).toString();
    if (facts.name.isEmpty())
        facts.name = info.value(QStringLiteral("CFBundleName")).toString();
    facts.identifier = info.value(QStringLiteral("CFBundleIdentifier")).toString();
    return facts;
}

QString infoPlistOf(const QString& bundlePath)
{
    return bundlePath + QStringLiteral("/Contents/Info.plist");
}

// Every look, icon and launch of a bundle asks for its Info.plist: it is parsed once while the
// file stays as it was.
LinuxWorkspace::Settings withCachedBundleInfo(LinuxWorkspace::Settings settings)
{
    if (settings.bundleInfo) {
        settings.bundleInfo = [read = std::move(settings.bundleInfo),
                               cache = std::make_shared<FileStampCache<QVariantMap>>()](const QString& bundlePath) {
            return cache->value(bundlePath, {infoPlistOf(bundlePath)}, [&] { return read(bundlePath); });
        };
    }
    return settings;
}

} // namespace

LinuxWorkspace::Settings LinuxWorkspace::defaultSettings(const Bundle& bundle, const Siblings& siblings,
                                                         OpenOnDesktop openOnDesktop, std::function<bool()> showDesktop)
{
    Settings settings;
    settings.uid = getuid();
    settings.applicationFolders = ApplicationCatalog::defaultFolders();
    settings.locale = ApplicationEntry::messagesLocale();
    settings.self.pid = getpid();
    if (std::optional<ProcessRecord> self = LinuxProcFolder().readStat(settings.self.pid))
        settings.self.startTime = self->startTime;
    settings.self.bundlePath = bundle.bundlePath();
    settings.self.bundleIdentifier = bundle.bundleIdentifier();
    settings.self.name = bundle.objectForInfoDictionaryKey(QStringLiteral("CFBundleName")).toString();
    if (settings.self.name.isEmpty())
        settings.self.name = QStringLiteral("Tavrin");
    settings.pathOnMac = [paths = siblings.searchPaths](const QString& macPath) {
        return paths.get() ? paths->pathOnMac(macPath) : QString();
    };
    settings.macApplicationFolders = [paths = siblings.searchPaths] {
        return paths.get() ? paths->searchPathsForDirectory(SearchPathDirectory::Applications, SearchPathDomain::All, true)
                           : QStringList();
    };
    settings.bundleInfo = [lists = siblings.propertyLists](const QString& bundlePath) {
        return lists.get() ? lists->propertyListFromFile(infoPlistOf(bundlePath)).toMap() : QVariantMap();
    };
    settings.openOnDesktop = std::move(openOnDesktop);
    settings.startProgram = DesktopLauncher::startProgram;
    settings.showDesktop = std::move(showDesktop);
    settings.iconDataFolders = HicolorIcons::defaultDataFolders();
    QHash<QString, QString> generic;
    for (const char* name : {"generic-application", "generic-document", "generic-folder"})
        generic.insert(QLatin1String(name), bundle.pathForResource(QLatin1String(name), QStringLiteral("svg")));
    settings.genericImage = [generic](const QString& name) { return generic.value(name); };
    settings.dispatcher = siblings.dispatcher;
    settings.simulatedMac = siblings.simulatedMac;
    return settings;
}

// The running applications, for the looks on the background queue and for any thread that
// asks for the list.
class LinuxWorkspace::Looker {
public:
    explicit Looker(const Settings& settings)
        : look_(settings.procFolder, settings.uid, ApplicationCatalog(settings.applicationFolders, settings.locale),
                settings.self,
                [bundleInfo = settings.bundleInfo](const QString& bundlePath) {
                    return factsFromInfo(bundleInfo ? bundleInfo(bundlePath) : QVariantMap());
                })
    {
    }

    QList<RunningApplication> applications()
    {
        QMutexLocker lock(&mutex_);
        look_.refresh();
        return look_.applications();
    }

    // What changed since the last look; nothing at a first look, which only learns what runs.
    std::optional<ApplicationChanges> look(bool learnAfresh)
    {
        QMutexLocker lock(&mutex_);
        look_.refresh();
        const bool same = seenGeneration_ == look_.generation();
        if (!learnAfresh && same)
            return std::nullopt;
        ApplicationChanges changes;
        if (!learnAfresh)
            changes = compareRunningApplications(seen_, look_.applications());
        seen_ = look_.applications();
        seenGeneration_ = look_.generation();
        if (changes.launched.isEmpty() && changes.terminated.isEmpty())
            return std::nullopt;
        return changes;
    }

    std::atomic<bool> inFlight{false};

private:
    QMutex mutex_;
    RunningApplicationLook look_;
    QList<RunningApplication> seen_;
    std::uint64_t seenGeneration_ = 0;
};

LinuxWorkspace::LinuxWorkspace(Settings settings)
    : settings_(withCachedBundleInfo(std::move(settings)))
    , looker_(std::make_shared<Looker>(settings_))
    , catalog_(settings_.applicationFolders, settings_.locale)
    , hicolor_(std::make_shared<HicolorIcons>(settings_.iconDataFolders))
{
}

LinuxWorkspace::~LinuxWorkspace() = default;

QList<QVariantMap> LinuxWorkspace::launchedApplications()
{
    QList<QVariantMap> list;
    for (const RunningApplication& application : looker_->applications())
        list << application.dictionary();
    return list;
}

NotificationCenter& LinuxWorkspace::notificationCenter()
{
    // The timer belongs to the main loop; a post from elsewhere starts nothing.
    const QCoreApplication* application = QCoreApplication::instance();
    if (!timer_ && application && QThread::currentThread() == application->thread()) {
        if (Dispatcher* dispatcher = settings_.dispatcher.get()) {
            // The first look only learns what runs: observers hear of the changes after it.
            learnAfresh_ = true;
            poll();
            timer_ = dispatcher->scheduledTimer(kPollInterval, true, [this] { poll(); });
        }
    }
    return center_;
}

void LinuxWorkspace::poll()
{
    if (timer_ && center_.observationCount() == 0) {
        stopPolling();
        return;
    }
    if (looker_->inFlight.exchange(true))
        return;
    Dispatcher* dispatcher = settings_.dispatcher.get();
    const bool learnAfresh = std::exchange(learnAfresh_, false);
    auto post = lifetime_.guard([this](const ApplicationChanges& changes) { this->post(changes); });
    dispatcher->asyncGlobal([looker = looker_, dispatcher, post, learnAfresh] {
        std::optional<ApplicationChanges> changes = looker->look(learnAfresh);
        looker->inFlight = false;
        if (changes)
            dispatcher->asyncMain([post, changes = std::move(*changes)] { post(changes); });
    });
}

void LinuxWorkspace::post(const ApplicationChanges& changes)
{
    for (const RunningApplication& application : changes.terminated)
        center_.postNotificationName(NSWorkspaceDidTerminateApplicationNotification, this, application.dictionary());
    for (const RunningApplication& application : changes.launched)
        center_.postNotificationName(NSWorkspaceDidLaunchApplicationNotification, this, application.dictionary());
}

void LinuxWorkspace::stopPolling()
{
    // Called from the timer's own call: the timer is stopped now and let go after it returns.
    std::shared_ptr<TimerHandle> stopped(std::move(timer_));
    stopped->invalidate();
    if (Dispatcher* dispatcher = settings_.dispatcher.get())
        dispatcher->asyncMain([stopped] {});
    learnAfresh_ = true;
}

QString LinuxWorkspace::existingPath(const QString& path) const
{
    if (!path.startsWith(QLatin1Char('/')))
        return {};
    if (QFileInfo::exists(path))
        return path;
    const QString onMac = settings_.pathOnMac ? settings_.pathOnMac(path) : QString();
    return !onMac.isEmpty() && QFileInfo::exists(onMac) ? onMac : QString();
}

bool LinuxWorkspace::simulate(const QString& operation, const QString& target)
{
    {
        QMutexLocker lock(&simulatedMutex_);
        simulated_ << SimulatedRequest{operation, target};
    }
    NSLog(QStringLiteral("Simulated Mac: %1 %2").arg(operation, target).trimmed());
    return true;
}

QList<LinuxWorkspace::SimulatedRequest> LinuxWorkspace::simulatedRequests() const
{
    QMutexLocker lock(&simulatedMutex_);
    return simulated_;
}

bool LinuxWorkspace::open(const OpenTarget& target, const QString& operation, const QString& asked)
{
    switch (target.route) {
    case OpenTarget::Route::SimulatedMac:
        if (const std::optional<bool> started = startDesktopCounterpart(target.path))
            return *started;
        return simulate(operation, asked);
    case OpenTarget::Route::Desktop:
        return settings_.openOnDesktop && settings_.openOnDesktop(target.url);
    case OpenTarget::Route::Refused:
        break;
    }
    return false;
}

bool LinuxWorkspace::openFile(const QString& fullPath)
{
    const OpenTarget target = OpenTarget::forPath(fullPath, [this](const QString& path) { return existingPath(path); });
    return open(target, QStringLiteral("open"), fullPath);
}

bool LinuxWorkspace::openURL(const QUrl& url)
{
    const OpenTarget target = OpenTarget::forUrl(url, [this](const QString& path) { return existingPath(path); });
    return open(target, QStringLiteral("openURL"), url.toString(QUrl::FullyEncoded));
}

bool LinuxWorkspace::launchBundle(const QString& bundle)
{
    // A bundle that names desktop entries starts one of them, as opening it does.
    if (const std::optional<bool> started = startDesktopCounterpart(bundle))
        return *started;
    return simulate(QStringLiteral("launchApplication"), bundle);
}

bool LinuxWorkspace::launchApplication(const QString& appName)
{
    if (appName.isEmpty() || appName.contains(QChar(0)))
        return false;
    if (appName.contains(QLatin1Char('/'))) {
        const QString found = existingPath(appName);
        if (found.isEmpty())
            return false;
        if (OpenTarget::isApplicationBundle(found) && QFileInfo(found).isDir())
            return launchBundle(appName);
        if (isDesktopEntryFile(found)) {
            const std::optional<ApplicationEntry> entry = cachedEntry(found);
            return entry && startEntry(*entry);
        }
        return false;
    }
    // A name: the simulated Mac's application of that name.
    if (appName == QLatin1String(".") || appName == QLatin1String(".."))
        return false;
    const QString bundleName = OpenTarget::isApplicationBundle(appName) ? appName : appName + QStringLiteral(".app");
    const QStringList folders = settings_.macApplicationFolders ? settings_.macApplicationFolders() : QStringList();
    for (const QString& folder : folders) {
        for (const QString& candidate : {folder + QLatin1Char('/') + bundleName,
                                         folder + QStringLiteral("/Utilities/") + bundleName}) {
            if (QFileInfo(candidate).isDir())
                return launchBundle(candidate);
        }
    }
    return false;
}

WorkspaceIcon LinuxWorkspace::bundleIcon(const QString& bundlePath) const
{
    WorkspaceIcon icon;
    icon.themeName = kGenericApplicationIcon;
    const QVariantMap info = settings_.bundleInfo ? settings_.bundleInfo(bundlePath) : QVariantMap();
    const QString file = info.value(QStringLiteral("CFBundleIconFile")).toString();
    // A name inside the bundle's Resources, never a way out of it.
    if (file.isEmpty() || file.contains(QLatin1Char('/')) || file.startsWith(QLatin1Char('.')))
        return icon;
    const QString base = bundlePath + QStringLiteral("/Contents/Resources/") + file;
    for (const QString& candidate : {base, base + QStringLiteral(".svg"), base + QStringLiteral(".png"),
                                     base + QStringLiteral(".icns")}) {
        if (QFileInfo(candidate).isFile()) {
            icon.filePath = candidate;
            break;
        }
    }
    return icon;
}

bool LinuxWorkspace::startEntry(const ApplicationEntry& entry)
{
    const std::optional<QStringList> arguments = entry.launchArguments();
    if (!arguments || !settings_.startProgram)
        return false;
    // A working folder that is not there fails the start, as the desktops' launchers do.
    if (!entry.workingDirectory.isEmpty() && !QFileInfo(entry.workingDirectory).isDir()) {
        NSLog(QStringLiteral("%1 runs in the folder %2, which is not there: not started")
                  .arg(entry.name, entry.workingDirectory));
        return false;
    }
    if (!entry.terminal)
        return settings_.startProgram(*arguments, entry.workingDirectory);
    const auto findProgram = [](const QString& name) {
        if (!name.startsWith(QLatin1Char('/')))
            return QStandardPaths::findExecutable(name);
        return QFileInfo(name).isExecutable() && QFileInfo(name).isFile() ? name : QString();
    };
    const std::optional<QStringList> inTerminal =
        TerminalCommand::wrap(*arguments, qEnvironmentVariable("TERMINAL"), findProgram);
    if (!inTerminal) {
        NSLog(QStringLiteral("%1 runs in a terminal, and none was found (TERMINAL, x-terminal-emulator, "
                             "xdg-terminal-exec or a common terminal): not started")
                  .arg(entry.name));
        return false;
    }
    return settings_.startProgram(*inTerminal, entry.workingDirectory);
}

std::optional<ApplicationEntry> LinuxWorkspace::cachedEntry(const QString& path)
{
    return entries_.value(path, {path}, [&] { return readEntry(path, settings_.locale); });
}

std::optional<ApplicationEntry> LinuxWorkspace::entryStarting(const QString& path)
{
    const QFileInfo program(path);
    if (!program.isFile() || !program.isExecutable())
        return std::nullopt;
    QMutexLocker lock(&catalogMutex_);
    catalog_.refresh();
    ProcessRecord process;
    process.executable = path;
    process.arguments = QStringList{path};
    const ApplicationEntry* entry = catalog_.matcher().match(process);
    const QStringList command = entry ? ExecProgram::withoutEnv(entry->command) : QStringList();
    if (command.isEmpty())
        return std::nullopt;
    // The matcher also knows entries by a program's mere file name: only this very file counts.
    const QString& named = command.first();
    const QString found = named.contains(QLatin1Char('/')) ? named : QStandardPaths::findExecutable(named);
    if (found.isEmpty() || QFileInfo(found).canonicalFilePath() != program.canonicalFilePath())
        return std::nullopt;
    return *entry;
}

QString LinuxWorkspace::displayNameAtPath(const QString& fullPath)
{
    const QString found = existingPath(fullPath);
    if (isDesktopEntryFile(found))
        if (const std::optional<ApplicationEntry> entry = cachedEntry(found))
            return entry->name;
    if (const std::optional<ApplicationEntry> entry = entryStarting(found))
        return entry->name;
    return Workspace::displayNameAtPath(fullPath);
}

WorkspaceIcon LinuxWorkspace::withFallback(WorkspaceIcon icon, Generic generic)
{
    for (const QString& name : {icon.themeName, icon.fallbackThemeName}) {
        icon.fallbackFilePath = hicolor_->fileFor(name);
        if (!icon.fallbackFilePath.isEmpty())
            return icon;
    }
    static const char* const names[] = {"generic-application", "generic-document", "generic-folder"}; // by Generic
    if (settings_.genericImage)
        icon.fallbackFilePath = settings_.genericImage(QLatin1String(names[int(generic)]));
    return icon;
}

WorkspaceIcon LinuxWorkspace::iconForFile(const QString& fullPath)
{
    Generic generic = Generic::Application;
    WorkspaceIcon icon = unfinishedIconForFile(fullPath, generic);
    return withFallback(std::move(icon), generic);
}

WorkspaceIcon LinuxWorkspace::unfinishedIconForFile(const QString& fullPath, Generic& generic)
{
    static const QMimeDatabase mimeTypes;
    const QString found = existingPath(fullPath);
    const QFileInfo info(found);
    if (!found.isEmpty() && isDesktopEntryFile(found)) {
        const std::optional<ApplicationEntry> entry = cachedEntry(found);
        return iconOfEntry(entry ? entry->icon : QString());
    }
    if (OpenTarget::isPreferencePane(fullPath))
        return {{}, QStringLiteral("preferences-system"), QStringLiteral("preferences-other"), {}};
    if (!found.isEmpty() && info.isDir()) {
        if (OpenTarget::isApplicationBundle(found))
            return bundleIcons_.value(found, {infoPlistOf(found), found + QStringLiteral("/Contents/Resources")},
                                      [&] { return bundleIcon(found); });
        generic = Generic::Folder;
        return {{}, QStringLiteral("folder"), QStringLiteral("inode-directory"), {}};
    }
    if (const std::optional<ApplicationEntry> entry = entryStarting(found))
        return iconOfEntry(entry->icon);
    const QMimeType type = found.isEmpty() ? mimeTypes.mimeTypeForFile(fullPath, QMimeDatabase::MatchExtension)
                                           : mimeTypes.mimeTypeForFile(found);
    if (type.name() == QLatin1String("inode/directory"))
        generic = Generic::Folder;
    else if (!OpenTarget::isApplicationBundle(fullPath))
        generic = Generic::Document;
    return {{}, type.iconName(), type.genericIconName(), {}};
}

bool LinuxWorkspace::selectFile(const QString& fullPath, const QString& rootFullPath)
{
    if (!settings_.openOnDesktop)
        return false;
    // Without a way to mark a file in every file manager, its folder is opened.
    if (fullPath.isEmpty()) {
        const QString root = existingPath(rootFullPath);
        return !root.isEmpty() && QFileInfo(root).isDir() && settings_.openOnDesktop(QUrl::fromLocalFile(root));
    }
    const QString found = existingPath(fullPath);
    if (found.isEmpty())
        return false;
    return settings_.openOnDesktop(QUrl::fromLocalFile(QFileInfo(found).absolutePath()));
}

void LinuxWorkspace::hideOtherApplications()
{
    simulate(QStringLiteral("hideOtherApplications"), {});
    if (settings_.showDesktop && !settings_.showDesktop())
        NSLog(QStringLiteral("The window manager was not asked to show the desktop"));
}

std::optional<bool> LinuxWorkspace::startDesktopCounterpart(const QString& macPath)
{
    const QString found = existingPath(macPath);
    if (found.isEmpty() || !QFileInfo(found).isDir() || !settings_.bundleInfo)
        return std::nullopt;
    const QStringList entries = settings_.bundleInfo(found).value(kDesktopEntriesKey).toStringList();
    if (entries.isEmpty())
        return std::nullopt;
    for (const QString& name : entries) {
        // A file name of the applications folders, never a way out of them.
        if (name.contains(QLatin1Char('/')) || !name.endsWith(QLatin1String(".desktop")))
            continue;
        for (const QString& folder : settings_.applicationFolders) {
            const QString path = folder + QLatin1Char('/') + name;
            if (!isDesktopEntryFile(path))
                continue;
            const std::optional<ApplicationEntry> entry = cachedEntry(path);
            if (entry && !entry->command.isEmpty())
                return startEntry(*entry);
        }
    }
    NSLog(QStringLiteral("Nothing on this machine opens %1 (no desktop entry %2)")
              .arg(macPath, entries.join(QStringLiteral(", "))));
    return false;
}

QList<DesktopApplication> LinuxWorkspace::desktopApplications()
{
    ApplicationCatalog catalog(settings_.applicationFolders, settings_.locale);
    catalog.refresh();
    QList<DesktopApplication> applications;
    for (const ApplicationEntry& entry : catalog.matcher().entries()) {
        if (!entry.noDisplay && entry.shownHere && !entry.command.isEmpty())
            applications << DesktopApplication{entry.name, withFallback(iconOfEntry(entry.icon), Generic::Application),
                                               entry.path};
    }
    return applications;
}

} // namespace platform

namespace platform {

bool LinuxWorkspace::getFileSystemInfoForPath(const QString& fullPath, FileSystemFacts* facts)
{
    if (fullPath.isEmpty() || !facts)
        return false;
    if (const SimulatedMac* mac = settings_.simulatedMac.get()) {
        if (auto simulated = simulatedVolumeFacts(mac->stateFile(QStringLiteral("Volumes")), fullPath, settings_.pathOnMac)) {
            *facts = *simulated;
            return true;
        }
    }
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QList<MountInfoEntry> mounts = parseMountInfo(table.readAll());
    const MountInfoEntry* mount = mountHolding(mounts, QFileInfo(fullPath).canonicalFilePath());
    if (!mount)
        return false;
    bool removable = false;
    if (mount->source.startsWith(QLatin1String("/dev/"))) {
        const QString device = QFileInfo(QStringLiteral("/sys/class/block/") + mount->source.mid(5)).canonicalFilePath();
        for (const QString& folder : {device, QFileInfo(device).absolutePath()}) {
            QFile flag(folder + QStringLiteral("/removable"));
            if (flag.open(QIODevice::ReadOnly)) {
                removable = flag.readAll().trimmed() == "1";
                break;
            }
        }
    }
    QString blockType;
    if (mount->fileSystemType.startsWith(QLatin1String("fuse")) && !mount->device.isEmpty()) {
        QFile record(QStringLiteral("/run/udev/data/b") + mount->device);
        if (record.open(QIODevice::ReadOnly))
            blockType = udevFileSystemType(record.readAll());
    }
    *facts = fileSystemFactsOfMount(*mount, removable, blockType);
    return true;
}

} // namespace platform
