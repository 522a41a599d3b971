#include "ApplicationEntry.h"

#include "platform/loginitems/DesktopEntry.h"
#include "platform/loginitems/ExecLine.h"

namespace platform {

namespace {

bool isTrue(const QString& value)
{
    return value.trimmed() == QLatin1String("true");
}

} // namespace

QStringList ApplicationEntry::localizedKeys(const QString& key, const QString& locale)
{
    // lang_COUNTRY.ENCODING@MODIFIER; the encoding plays no part.
    QString lang = locale;
    QString modifier;
    const qsizetype at = lang.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        modifier = lang.mid(at + 1);
        lang.truncate(at);
    }
    const qsizetype dot = lang.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        lang.truncate(dot);
    QString country;
    const qsizetype underscore = lang.indexOf(QLatin1Char('_'));
    if (underscore >= 0) {
        country = lang.mid(underscore + 1);
        lang.truncate(underscore);
    }

    QStringList keys;
    auto add = [&](const QString& suffix) { keys << key + QLatin1Char('[') + suffix + QLatin1Char(']'); };
    if (!lang.isEmpty() && lang != QLatin1String("C") && lang != QLatin1String("POSIX")) {
        if (!country.isEmpty() && !modifier.isEmpty())
            add(lang + QLatin1Char('_') + country + QLatin1Char('@') + modifier);
        if (!country.isEmpty())
            add(lang + QLatin1Char('_') + country);
        if (!modifier.isEmpty())
            add(lang + QLatin1Char('@') + modifier);
        add(lang);
    }
    keys << key;
    return keys;
}

QString ApplicationEntry::messagesLocale()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

std::optional<ApplicationEntry> ApplicationEntry::parse(const QByteArray& text, const QString& locale)
{
    const std::optional<DesktopEntry> desktop = DesktopEntry::parse(text);
    if (!desktop || desktop->value(QStringLiteral("Type")).trimmed() != QLatin1String("Application")
        || isTrue(desktop->value(QStringLiteral("Hidden"))))
        return std::nullopt;

    auto localized = [&](const QString& key) {
        for (const QString& candidate : localizedKeys(key, locale)) {
            if (desktop->contains(candidate))
                return desktop->value(candidate);
        }
        return QString();
    };

    ApplicationEntry entry;
    entry.name = localized(QStringLiteral("Name"));
    if (entry.name.trimmed().isEmpty())
        return std::nullopt;
    entry.icon = localized(QStringLiteral("Icon")).trimmed();
    entry.tryExec = desktop->value(QStringLiteral("TryExec")).trimmed();
    entry.startupWMClass = desktop->value(QStringLiteral("StartupWMClass")).trimmed();
    entry.noDisplay = isTrue(desktop->value(QStringLiteral("NoDisplay")));
    entry.terminal = isTrue(desktop->value(QStringLiteral("Terminal")));
    // An Exec line with an open quote is broken: such an entry is never matched by its command.
    if (std::optional<QStringList> command = ExecLine::split(desktop->value(QStringLiteral("Exec"))))
        entry.command = *command;
    return entry;
}

} // namespace platform
