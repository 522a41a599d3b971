#include "SystemEventsScripts.h"

#include "platform/appearance/DesktopAppearance.h"
#include "platform/preferences/PreferenceDomains.h"

#include <QRegularExpression>

#include <optional>

namespace platform {

namespace {

// AppleScript's booleans, as the Dock script writes them ("true" and "no").
std::optional<bool> boolean(const QString& word)
{
    const QString w = word.toLower();
    if (w == QLatin1String("true") || w == QLatin1String("yes"))
        return true;
    if (w == QLatin1String("false") || w == QLatin1String("no"))
        return false;
    return std::nullopt;
}

} // namespace

bool SystemEventsScripts::perform(const QString& script)
{
    if (!script.contains(QLatin1String("application \"System Events\"")))
        return false;
    static const QRegularExpression autohide(QStringLiteral("set autohide of dock preferences to (\\w+)"));
    static const QRegularExpression dark(QStringLiteral("set dark mode(?: of appearance preferences)? to (\\w+)"));
    bool known = false;
    if (const auto match = autohide.match(script); match.hasMatch()) {
        if (const auto on = boolean(match.captured(1))) {
            preferences_.setValue(QStringLiteral("com.apple.dock"), false, QStringLiteral("autohide"), *on);
            known = true;
        }
    }
    if (const auto match = dark.match(script); match.hasMatch()) {
        if (const auto on = boolean(match.captured(1))) {
            const QString domain = QStringLiteral("NSGlobalDomain");
            const QString key = QStringLiteral("AppleInterfaceStyle");
            if (*on)
                preferences_.setValue(domain, false, key, QStringLiteral("Dark"));
            else
                preferences_.removeValue(domain, false, key);
            appearance_.setDarkColorScheme(*on);
            known = true;
        }
    }
    return known;
}

} // namespace platform
