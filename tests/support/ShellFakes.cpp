#include "ShellFakes.h"

#include <QFileInfo>

#include <algorithm>

namespace test {

namespace {

class FakeObservation final : public platform::LoginItemList::Observation {
public:
    explicit FakeObservation(std::function<void()> end) : end_(std::move(end)) {}
    ~FakeObservation() override { end_(); }

private:
    std::function<void()> end_;
};

} // namespace

std::optional<std::vector<platform::LoginItemList::Item>> FakeLoginItemList::copySnapshot() const
{
    ++snapshotCount;
    if (failSnapshot)
        return std::nullopt;
    return items;
}

platform::LoginItemList::Item FakeLoginItemList::addItem(const QString& path, const QString& displayName)
{
    Item item;
    item.identifier = QStringLiteral("item-%1").arg(nextId_++);
    item.path = path;
    item.displayName = displayName.isEmpty() ? QFileInfo(path).fileName() : displayName;
    items.push_back(item);
    return item;
}

std::optional<platform::LoginItemList::Item> FakeLoginItemList::insertItemURL(const QUrl& url)
{
    insertedUrls << url;
    if (failInsert || !url.isLocalFile())
        return std::nullopt;
    const QString path = url.toLocalFile();
    for (const Item& item : items) {
        if (item.path == path)
            return item;
    }
    Item item = addItem(path);
    notifyChange();
    return item;
}

bool FakeLoginItemList::removeItem(const Item& item)
{
    removedIdentifiers << item.identifier;
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&](const Item& candidate) { return candidate.identifier == item.identifier; });
    if (it == items.end())
        return false;
    items.erase(it);
    notifyChange();
    return true;
}

std::optional<QUrl> FakeLoginItemList::resolveItem(const Item& item) const
{
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&](const Item& candidate) { return candidate.identifier == item.identifier; });
    if (it == items.end() || unresolvablePaths.contains(it->path))
        return std::nullopt;
    return QUrl::fromLocalFile(it->path);
}

std::unique_ptr<platform::LoginItemList::Observation> FakeLoginItemList::addObserver(std::function<void()> changed)
{
    const int id = nextId_++;
    observers_->emplace(id, std::move(changed));
    std::weak_ptr<std::map<int, std::function<void()>>> observers = observers_;
    return std::make_unique<FakeObservation>([observers, id] {
        if (auto map = observers.lock())
            map->erase(id);
    });
}

void FakeLoginItemList::notifyChange()
{
    std::vector<std::function<void()>> observers;
    for (const auto& [id, changed] : *observers_)
        observers.push_back(changed);
    for (const auto& changed : observers)
        changed();
}

platform::InstanceLock::Result FakeInstanceLock::tryLock(const QString& bundleIdentifier)
{
    requestedIdentifiers << bundleIdentifier;
    return result;
}

void FakeInstanceLock::activate()
{
    if (handler_)
        handler_();
}

std::optional<platform::IORegistryEntry> FakeIORegistry::entryFromPath(const QString& path) const
{
    if (path != QLatin1String("IOService:/"))
        return std::nullopt;
    platform::IORegistryEntry root;
    root.name = QStringLiteral("Root");
    if (serialNumber)
        root.properties.insert(QStringLiteral("IOPlatformSerialNumber"), *serialNumber);
    return root;
}

platform::kern_return_t FakeIORegistry::getMatchingServicesByName(const QString& name,
                                                  std::vector<platform::IORegistryEntry>* services) const
{
    if (matchingFailure != 0)
        return matchingFailure;
    if (services)
        *services = name == QLatin1String("processor") ? processors : std::vector<platform::IORegistryEntry>{};
    return 0;
}

} // namespace test
