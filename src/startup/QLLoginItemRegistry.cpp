#include "QLLoginItemRegistry.h"

#include "SystemEventsLoginItems.h"

#include "platform/log/SystemLog.h"
#include "platform/text/StringFormat.h"

#include <mutex>
#include <thread>

namespace {

std::mutex sleeperMutex;

QLLoginItemRegistry::Sleeper& sleeper()
{
    static QLLoginItemRegistry::Sleeper instance = [](std::chrono::seconds time) { std::this_thread::sleep_for(time); };
    return instance;
}

void sleepFor(std::chrono::seconds time)
{
    QLLoginItemRegistry::Sleeper wait;
    {
        std::lock_guard lock(sleeperMutex);
        wait = sleeper();
    }
    if (wait)
        wait(time);
}

int32_t indexIn(const QList<QVariantMap>& items, const QUrl& url)
{
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i].value(QStringLiteral("URL")).toUrl() == url)
            return int32_t(i);
    return -1;
}

} // namespace

QLLoginItemRegistry::Sleeper QLLoginItemRegistry::setSleeper(Sleeper replacement)
{
    std::lock_guard lock(sleeperMutex);
    return std::exchange(sleeper(), std::move(replacement));
}

std::optional<QList<QVariantMap>> QLLoginItemRegistry::allLoginItems()
{
    for (int attempt = 1;; ++attempt) {
        QList<QVariantMap> items;
        const OSStatus error = SELICopyLoginItems(items);
        if (error == platform::noErr)
            return items;
        if (error != platform::errAETimeout) {
            platform::NSLog(platform::stringWithFormat("Couldn't list login items error %d", int(error)));
            return std::nullopt;
        }
        if (attempt == kListAttempts) {
            platform::NSLog(QStringLiteral("Get login items error -1712 and timeout."));
            return std::nullopt;
        }
        platform::NSLog(QStringLiteral("Get login items error -1712 occur."));
        sleepFor(std::chrono::seconds(1));
    }
}

bool QLLoginItemRegistry::addLoginItemWithURL(const QUrl& url, bool hideIt)
{
    const OSStatus error = SELIAddURLAtEnd(url, hideIt);
    if (error != platform::noErr)
        platform::NSLog(platform::stringWithFormat("Couldn't add login item error %d", int(error)));
    return error == platform::noErr;
}

bool QLLoginItemRegistry::addLoginItemWithPath(const QString& path, bool hideIt)
{
    return addLoginItemWithURL(urlOfPath(path), hideIt);
}

bool QLLoginItemRegistry::removeLoginItemAtIndex(int32_t index)
{
    const OSStatus error = SELIRemove(index);
    if (error != platform::noErr)
        platform::NSLog(platform::stringWithFormat("Couldn't remove login item error %d", int(error)));
    return error == platform::noErr;
}

bool QLLoginItemRegistry::removeLoginItemWithURL(const QUrl& url)
{
    const int32_t index = indexForLoginItemWithURL(url);
    if (index < 0)
        return false;
    // The list may have changed since the position was found: the item there must still be it.
    QList<QVariantMap> items;
    if (SELICopyLoginItems(items) != platform::noErr || indexIn(items.mid(index, 1), url) != 0)
        return false;
    return removeLoginItemAtIndex(index);
}

bool QLLoginItemRegistry::removeLoginItemWithPath(const QString& path)
{
    return removeLoginItemWithURL(urlOfPath(path));
}

int32_t QLLoginItemRegistry::indexForLoginItemWithURL(const QUrl& url)
{
    const std::optional<QList<QVariantMap>> items = allLoginItems();
    return items ? indexIn(*items, url) : -1;
}

int32_t QLLoginItemRegistry::indexForLoginItemWithPath(const QString& path)
{
    return indexForLoginItemWithURL(urlOfPath(path));
}
