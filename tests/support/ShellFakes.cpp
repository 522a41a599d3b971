#include "ShellFakes.h"

#include <QFileInfo>

namespace test {

std::optional<platform::LoginItemList::Item> FakeLoginItemList::insertItemURL(const QUrl& url)
{
    insertedUrls << url;
    if (!url.isLocalFile())
        return std::nullopt;
    const QString path = url.toLocalFile();
    for (const Item& item : items) {
        if (item.path == path)
            return item;
    }
    items.push_back({QStringLiteral("item-%1").arg(items.size()), QFileInfo(path).fileName(), path, {}});
    return items.back();
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
