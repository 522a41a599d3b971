#include "XdgLoginItemList.h"

#include "platform/files/PosixIdentity.h"
#include "platform/files/RegularFile.h"
#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/ExecLine.h"
#include "FileURL.h"
#include "FolderChangeWatch.h"
#include "LoginItemTarget.h"
#include "platform/log/SystemLog.h"
#include "platform/xdg/ApplicationEntry.h"
#include "platform/xdg/ExecProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

#include <sys/stat.h>

namespace platform {

namespace {

const QString kSuffix = QStringLiteral(".desktop");
const QString kPathKey = QStringLiteral("X-Tavrin-Path");
const QString kOrderKey = QStringLiteral("X-Tavrin-Order");
// No desktop entry comes near this; anything larger is not one.
constexpr qint64 kMaximumEntrySize = 256 * 1024;

bool isEntryFileName(const QString& name)
{
    return name.endsWith(kSuffix) && name.size() > kSuffix.size() && !name.contains(QLatin1Char('/'))
        && !name.startsWith(QLatin1Char('.'));
}

// The program an Exec line runs (after an "env" that sets its environment), found on PATH when
// it is given by name.
QString programOf(const QString& execLine)
{
    const std::optional<QStringList> split = ExecLine::split(execLine);
    const QStringList arguments = split ? ExecProgram::withoutEnv(*split) : QStringList();
    if (arguments.isEmpty())
        return {};
    const QString program = arguments.first();
    if (program.contains(QLatin1Char('/')))
        return program;
    const QString found = QStandardPaths::findExecutable(program);
    return found.isEmpty() ? program : found;
}

// A shell, an interpreter or a launcher (flatpak, gtk-launch ...) only starts what an entry is
// about, and entries of many applications start one.
bool startsAnother(const QString& program)
{
    return ExecProgram::isLauncher(QFileInfo(program).fileName())
        || !ExecProgram::interpreterName(program).isEmpty();
}

std::optional<FileIdentity> identityAt(const QString& path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return identityOf(info);
}

bool hasFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

class WatchObservation final : public LoginItemList::Observation {
public:
    void add(const std::shared_ptr<FolderChangeWatch>& watch, int id) { subscriptions_.push_back({watch, id}); }
    ~WatchObservation() override
    {
        for (const auto& [weak, id] : subscriptions_)
            if (auto watch = weak.lock())
                watch->unsubscribe(id);
    }

private:
    std::vector<std::pair<std::weak_ptr<FolderChangeWatch>, int>> subscriptions_;
};

} // namespace

XdgLoginItemList::XdgLoginItemList(QString folder, const PropertyListSerialization& propertyLists)
    : XdgLoginItemList(std::move(folder), {}, propertyLists)
{
}

XdgLoginItemList::XdgLoginItemList(QString folder, QStringList systemFolders,
                                   const PropertyListSerialization& propertyLists, QStringList desktops)
    : folder_(QDir::cleanPath(std::move(folder)))
    , propertyLists_(propertyLists)
    , desktops_(std::move(desktops))
{
    for (const QString& systemFolder : systemFolders) {
        const QString clean = QDir::cleanPath(systemFolder);
        // One that is the user's folder stays: it tells that the user's folder is the system's.
        if (QDir::isAbsolutePath(clean) && !systemFolders_.contains(clean))
            systemFolders_ << clean;
    }
}

XdgLoginItemList::~XdgLoginItemList() = default;

QString XdgLoginItemList::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart");
}

QStringList XdgLoginItemList::defaultSystemFolders()
{
    QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/etc/xdg");
    QStringList folders;
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            folders << dir + QStringLiteral("/autostart");
    return folders;
}

std::optional<QString> XdgLoginItemList::folderOf(const QString& fileName) const
{
    if (!isEntryFileName(fileName))
        return std::nullopt;
    if (hasFile(folder_ + QLatin1Char('/') + fileName))
        return folder_;
    for (const QString& folder : systemFolders_)
        if (hasFile(folder + QLatin1Char('/') + fileName))
            return folder;
    return std::nullopt;
}

std::optional<XdgLoginItemList::Entry> XdgLoginItemList::readEntry(const QString& fileName) const
{
    const std::optional<QString> folder = folderOf(fileName);
    if (!folder)
        return std::nullopt;
    const QString filePath = *folder + QLatin1Char('/') + fileName;
    const std::optional<QByteArray> text = readRegularFile(filePath, kMaximumEntrySize);
    const std::optional<DesktopEntry> desktop = text ? DesktopEntry::parse(*text) : std::nullopt;
    // What the desktop will not start at login is no login item, wherever it lies, and the
    // system's own agents are not the user's to see, as in the desktops' own tools.
    const bool systemAgent = desktop && EntryVisibility::isTrue(desktop->value(QStringLiteral("NoDisplay")))
        && (*folder != folder_ || userFolderRefusal());
    if (!desktop || !startsAtLogin(*desktop) || systemAgent)
        return std::nullopt;

    Entry entry;
    entry.item.identifier = fileName;
    const QString ownPath = desktop->value(kPathKey);
    entry.ownItem = !ownPath.isEmpty();
    entry.item.path = entry.ownItem ? ownPath : programOf(desktop->value(QStringLiteral("Exec")));
    // Then the entry itself stands for its item, so that such items stay apart.
    if (!entry.ownItem && startsAnother(entry.item.path))
        entry.item.path = filePath;
    if (!entry.ownItem)
        entry.item.describedBy = filePath;
    for (const QString& key : ApplicationEntry::localizedKeys(QStringLiteral("Name"), ApplicationEntry::messagesLocale())) {
        entry.item.displayName = desktop->value(key);
        if (!entry.item.displayName.isEmpty())
            break;
    }
    if (entry.item.displayName.isEmpty())
        entry.item.displayName = fileName.chopped(kSuffix.size());
    entry.order = desktop->value(kOrderKey).toLongLong();
    return entry;
}

bool XdgLoginItemList::startsAtLogin(const DesktopEntry& entry) const
{
    return !EntryVisibility::isTrue(entry.value(QStringLiteral("Hidden")))
        && !EntryVisibility::isFalse(entry.value(QStringLiteral("X-GNOME-Autostart-enabled")))
        && EntryVisibility::isShownIn(entry, desktops_) && EntryVisibility::hasTryExecProgram(entry);
}

std::optional<QString> XdgLoginItemList::userFolderRefusal() const
{
    // Each system autostart folder and the configuration folder that holds it, by identity.
    std::vector<std::pair<FileIdentity, QString>> system;
    for (const QString& folder : systemFolders_)
        for (const QString& path : {folder, QFileInfo(folder).path()})
            if (const std::optional<FileIdentity> identity = identityAt(path))
                system.emplace_back(*identity, path);
    // The user's folder need not exist yet: what it would be made in counts, links seen through.
    QString place = folder_;
    while (!QFileInfo::exists(place) && QFileInfo(place).path() != place)
        place = QFileInfo(place).path();
    place = QFileInfo(place).canonicalFilePath();
    if (place.isEmpty())
        return QStringLiteral("cannot be resolved");
    for (;; place = QFileInfo(place).path()) {
        const std::optional<FileIdentity> identity = identityAt(place);
        for (const auto& [systemIdentity, path] : system)
            if (identity == systemIdentity)
                return QStringLiteral("is or lies in the system's folder ") + path;
        if (place == QFileInfo(place).path())
            return std::nullopt;
    }
}

bool XdgLoginItemList::refusesToWrite() const
{
    const std::optional<QString> refusal = userFolderRefusal();
    if (refusal)
        NSLog(QStringLiteral("Login items: %1 %2; nothing is written there").arg(folder_, *refusal));
    return refusal.has_value();
}

std::optional<std::vector<XdgLoginItemList::Entry>> XdgLoginItemList::readEntries() const
{
    const QFileInfo folder(folder_);
    // The user's folder need not exist yet; one that cannot be read gives no list.
    if (folder.exists() && (!folder.isDir() || !folder.isReadable() || !folder.isExecutable()))
        return std::nullopt;
    std::vector<Entry> entries;
    const QStringList filter{QLatin1Char('*') + kSuffix};
    QStringList names = QDir(folder_).entryList(filter, QDir::Files, QDir::Name);
    for (const QString& folder : systemFolders_)
        names += QDir(folder).entryList(filter, QDir::Files, QDir::Name);
    names.sort();
    names.removeDuplicates();
    for (const QString& name : names) {
        if (std::optional<Entry> entry = readEntry(name))
            entries.push_back(std::move(*entry));
    }
    // Items added here keep the order they were added in, after the others.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.ownItem != b.ownItem)
            return !a.ownItem;
        return a.ownItem && a.order < b.order;
    });
    return entries;
}

std::optional<std::vector<LoginItemList::Item>> XdgLoginItemList::copySnapshot() const
{
    std::optional<std::vector<Entry>> entries = readEntries();
    if (!entries)
        return std::nullopt;
    std::vector<Item> items;
    items.reserve(entries->size());
    for (Entry& entry : *entries)
        items.push_back(std::move(entry.item));
    return items;
}

QString XdgLoginItemList::freeFileName(const QString& displayName) const
{
    // File names stay plain ASCII whatever the application is called; the name is in the entry.
    QString stem;
    for (const QChar c : displayName.left(64)) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-')
            || c == QLatin1Char('_');
        stem += plain ? c : QLatin1Char('_');
    }
    stem = QStringLiteral("tavrin-") + (stem.isEmpty() ? QStringLiteral("item") : stem);
    QString name = stem + kSuffix;
    // A name of a system-wide entry would hide that entry.
    for (int n = 2; folderOf(name); ++n)
        name = stem + QLatin1Char('-') + QString::number(n) + kSuffix;
    return name;
}

std::optional<LoginItemList::Item> XdgLoginItemList::insertItemURL(const QUrl& url)
{
    const QString path = QDir::cleanPath(pathFromFileURL(url));
    if (!QDir::isAbsolutePath(path) || !QFileInfo::exists(path))
        return std::nullopt;
    const std::optional<std::vector<Entry>> entries = readEntries();
    if (!entries)
        return std::nullopt;
    qint64 lastOrder = 0;
    for (const Entry& entry : *entries) {
        if (!entry.item.path.isEmpty() && QDir::cleanPath(entry.item.path) == path)
            return entry.item;
        if (entry.ownItem)
            lastOrder = std::max(lastOrder, entry.order);
    }

    const LoginItemTarget target = LoginItemTarget::forPath(path, propertyLists_);
    QList<QPair<QString, QString>> keys{
        {QStringLiteral("Type"), QStringLiteral("Application")},
        {QStringLiteral("Name"), target.displayName},
        {QStringLiteral("Exec"), target.execLine()},
    };
    if (!target.iconPath.isEmpty())
        keys.append({QStringLiteral("Icon"), target.iconPath});
    keys.append({kPathKey, path});
    keys.append({kOrderKey, QString::number(lastOrder + 1)});

    if (refusesToWrite() || !QDir().mkpath(folder_))
        return std::nullopt;
    const QString fileName = freeFileName(target.displayName);
    QSaveFile file(folder_ + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::WriteOnly))
        return std::nullopt;
    file.write(DesktopEntry::format(keys));
    if (!file.commit())
        return std::nullopt;
    std::optional<Entry> written = readEntry(fileName);
    if (!written)
        return std::nullopt;
    return written->item;
}

bool XdgLoginItemList::removeItem(const Item& item)
{
    const QString& name = item.identifier;
    if (!isEntryFileName(name) || refusesToWrite())
        return false;
    const QString userFile = folder_ + QLatin1Char('/') + name;
    const auto system = std::find_if(systemFolders_.cbegin(), systemFolders_.cend(), [&](const QString& folder) {
        return hasFile(folder + QLatin1Char('/') + name);
    });
    if (system == systemFolders_.cend())
        return QFile::remove(userFile);
    // The system's file stays, listed or not; a deleted entry of the same name in the user's
    // folder hides it. The user's own file goes first, so that a link there is replaced, never
    // written through.
    if (hasFile(userFile) && !QFile::remove(userFile))
        return false;
    if (!QDir().mkpath(folder_))
        return false;
    const std::optional<QByteArray> systemText = readRegularFile(*system + QLatin1Char('/') + name, kMaximumEntrySize);
    const std::optional<DesktopEntry> systemEntry = systemText ? DesktopEntry::parse(*systemText) : std::nullopt;
    QString displayName = systemEntry ? systemEntry->value(QStringLiteral("Name")) : QString();
    if (displayName.isEmpty())
        displayName = name.chopped(kSuffix.size());
    QSaveFile file(userFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(DesktopEntry::format({{QStringLiteral("Type"), QStringLiteral("Application")},
                                     {QStringLiteral("Name"), displayName},
                                     {QStringLiteral("Hidden"), QStringLiteral("true")}}));
    return file.commit();
}

std::optional<QUrl> XdgLoginItemList::resolveItem(const Item& item) const
{
    const std::optional<Entry> entry = readEntry(item.identifier);
    if (!entry || !QDir::isAbsolutePath(entry->item.path))
        return std::nullopt;
    const QFileInfo target(entry->item.path);
    if (!target.exists())
        return std::nullopt;
    return fileURLFromPath(QDir::cleanPath(entry->item.path), target.isDir());
}

std::unique_ptr<LoginItemList::Observation> XdgLoginItemList::addObserver(std::function<void()> changed)
{
    if (watches_.empty()) {
        // A folder must exist to be watched: the user's is made, unless that would make it in
        // a system folder; a folder that is not there is not watched.
        if (!QFileInfo(folder_).isDir() && !refusesToWrite())
            QDir().mkpath(folder_);
        const QStringList filter{QLatin1Char('*') + kSuffix};
        QStringList folders = QStringList{folder_} + systemFolders_;
        folders.removeDuplicates();
        for (const QString& folder : std::as_const(folders))
            if (folder == folder_ || QFileInfo(folder).isDir())
                watches_.push_back(std::make_shared<FolderChangeWatch>(folder, filter));
    }
    auto observation = std::make_unique<WatchObservation>();
    auto shared = std::make_shared<std::function<void()>>(std::move(changed));
    for (const auto& watch : watches_)
        observation->add(watch, watch->subscribe([shared] { (*shared)(); }));
    return observation;
}

void XdgLoginItemList::checkForChanges()
{
    for (const auto& watch : watches_)
        watch->check();
}

} // namespace platform
