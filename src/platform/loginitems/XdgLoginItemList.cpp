#include "XdgLoginItemList.h"

#include "platform/files/RegularFile.h"
#include "DesktopEntry.h"
#include "ExecLine.h"
#include "FolderChangeWatch.h"
#include "LoginItemTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

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

// The program an Exec line runs, found on PATH when it is given by name.
QString programOf(const QString& execLine)
{
    const std::optional<QStringList> arguments = ExecLine::split(execLine);
    if (!arguments || arguments->isEmpty())
        return {};
    const QString program = arguments->first();
    if (program.contains(QLatin1Char('/')))
        return program;
    const QString found = QStandardPaths::findExecutable(program);
    return found.isEmpty() ? program : found;
}

class WatchObservation final : public LoginItemList::Observation {
public:
    WatchObservation(std::weak_ptr<FolderChangeWatch> watch, int id)
        : watch_(std::move(watch))
        , id_(id)
    {
    }
    ~WatchObservation() override
    {
        if (auto watch = watch_.lock())
            watch->unsubscribe(id_);
    }

private:
    std::weak_ptr<FolderChangeWatch> watch_;
    int id_;
};

} // namespace

XdgLoginItemList::XdgLoginItemList(QString folder, const PropertyListSerialization& propertyLists)
    : folder_(QDir::cleanPath(std::move(folder)))
    , propertyLists_(propertyLists)
{
}

XdgLoginItemList::~XdgLoginItemList() = default;

QString XdgLoginItemList::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart");
}

std::optional<XdgLoginItemList::Entry> XdgLoginItemList::readEntry(const QString& fileName) const
{
    if (!isEntryFileName(fileName))
        return std::nullopt;
    const QString filePath = folder_ + QLatin1Char('/') + fileName;
    const std::optional<QByteArray> text = readRegularFile(filePath, kMaximumEntrySize);
    if (!text)
        return std::nullopt;
    const std::optional<DesktopEntry> desktop = DesktopEntry::parse(*text);
    if (!desktop || desktop->value(QStringLiteral("Hidden")).trimmed() == QLatin1String("true"))
        return std::nullopt;

    Entry entry;
    entry.item.identifier = fileName;
    const QString ownPath = desktop->value(kPathKey);
    entry.ownItem = !ownPath.isEmpty();
    entry.item.path = entry.ownItem ? ownPath : programOf(desktop->value(QStringLiteral("Exec")));
    entry.item.displayName = desktop->value(QStringLiteral("Name"));
    if (entry.item.displayName.isEmpty())
        entry.item.displayName = fileName.chopped(kSuffix.size());
    const QString icon = desktop->value(QStringLiteral("Icon"));
    // Icons named for the icon theme have no file of their own.
    if (QDir::isAbsolutePath(icon))
        entry.item.iconPath = icon;
    entry.order = desktop->value(kOrderKey).toLongLong();
    return entry;
}

std::optional<std::vector<XdgLoginItemList::Entry>> XdgLoginItemList::readEntries() const
{
    const QFileInfo folder(folder_);
    if (!folder.exists())
        return std::vector<Entry>{};
    if (!folder.isDir() || !folder.isReadable() || !folder.isExecutable())
        return std::nullopt;
    std::vector<Entry> entries;
    const QStringList names =
        QDir(folder_).entryList(QStringList{QLatin1Char('*') + kSuffix}, QDir::Files, QDir::Name);
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
    for (int n = 2; QFileInfo::exists(folder_ + QLatin1Char('/') + name)
         || QFileInfo(folder_ + QLatin1Char('/') + name).isSymLink();
         ++n)
        name = stem + QLatin1Char('-') + QString::number(n) + kSuffix;
    return name;
}

std::optional<LoginItemList::Item> XdgLoginItemList::insertItemURL(const QUrl& url)
{
    if (!url.isLocalFile())
        return std::nullopt;
    const QString path = QDir::cleanPath(url.toLocalFile());
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
        {QStringLiteral("Exec"), ExecLine::quote(target.arguments)},
    };
    if (!target.iconPath.isEmpty())
        keys.append({QStringLiteral("Icon"), target.iconPath});
    keys.append({kPathKey, path});
    keys.append({kOrderKey, QString::number(lastOrder + 1)});

    if (!QDir().mkpath(folder_))
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
    if (!isEntryFileName(item.identifier))
        return false;
    return QFile::remove(folder_ + QLatin1Char('/') + item.identifier);
}

std::optional<QUrl> XdgLoginItemList::resolveItem(const Item& item) const
{
    const std::optional<Entry> entry = readEntry(item.identifier);
    if (!entry || !QDir::isAbsolutePath(entry->item.path))
        return std::nullopt;
    const QFileInfo target(entry->item.path);
    if (!target.exists())
        return std::nullopt;
    QString path = QDir::cleanPath(entry->item.path);
    if (target.isDir() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return QUrl::fromLocalFile(path);
}

std::unique_ptr<LoginItemList::Observation> XdgLoginItemList::addObserver(std::function<void()> changed)
{
    if (!watch_) {
        // The folder must exist to be watched; an empty autostart folder changes nothing.
        QDir().mkpath(folder_);
        watch_ = std::make_shared<FolderChangeWatch>(folder_, QStringList{QLatin1Char('*') + kSuffix});
    }
    const int id = watch_->subscribe(std::move(changed));
    return std::make_unique<WatchObservation>(watch_, id);
}

void XdgLoginItemList::checkForChanges()
{
    if (watch_)
        watch_->check();
}

} // namespace platform
