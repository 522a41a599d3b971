#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

// The login items through System Events: list, add, remove and find by position (from 0).
// Calls block; listing waits through System Events' time-outs for about a minute.
class QLLoginItemRegistry {
public:
    using Sleeper = std::function<void(std::chrono::seconds)>;

    // Tries this often while System Events times out.
    static constexpr int kListAttempts = 61;

    static std::optional<QList<QVariantMap>> allLoginItems();
    static bool addLoginItemWithURL(const QUrl& url, bool hideIt);
    static bool addLoginItemWithPath(const QString& path, bool hideIt); // kept: named by the design, no caller yet
    static bool removeLoginItemAtIndex(int32_t index);
    // Remove the first item of that URL, unless the item at its position changed meanwhile.
    static bool removeLoginItemWithURL(const QUrl& url);
    static bool removeLoginItemWithPath(const QString& path); // kept: named by the design, no caller yet
    static int32_t indexForLoginItemWithURL(const QUrl& url);
    static int32_t indexForLoginItemWithPath(const QString& path); // kept: named by the design, no caller yet

    // What waits between attempts (a real sleep unless replaced); gives the one it replaces.
    static Sleeper setSleeper(Sleeper sleeper);
};
