#include "ApplicationEntry.h"

#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/EntryVisibility.h"
#include "platform/xdg/ExecLine.h"

namespace platform {

namespace {

bool isCLocale(const QString& locale)
{
    return locale.isEmpty() || locale == QLatin1String("C") || locale.startsWith(QLatin1String("C."))
        || locale == QLatin1String("POSIX");
}

// The keys of one locale, lang_COUNTRY.ENCODING@MODIFIER (the encoding plays no part).
void addLocalizedKeys(QStringList& keys, const QString& key, const QString& locale)
{
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

    auto add = [&](const QString& suffix) {
        const QString localized = key + QLatin1Char('[') + suffix + QLatin1Char(']');
        if (!keys.contains(localized))
            keys << localized;
    };
    if (!lang.isEmpty() && lang != QLatin1String("C") && lang != QLatin1String("POSIX")) {
        if (!country.isEmpty() && !modifier.isEmpty())
            add(lang + QLatin1Char('_') + country + QLatin1Char('@') + modifier);
        if (!country.isEmpty())
            add(lang + QLatin1Char('_') + country);
        if (!modifier.isEmpty())
            add(lang + QLatin1Char('@') + modifier);
        add(lang);
    }
}

// One word of an Exec line with its field codes expanded; `hadCode` tells whether it held one.
QString expandedWord(const QString& word, const ApplicationEntry& entry, bool& hadCode)
{
    QString result;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word[i] != QLatin1Char('%') || i + 1 == word.size()) {
            result += word[i];
            continue;
        }
        const QChar code = word[++i];
        if (code == QLatin1Char('%')) {
            result += code;
            continue;
        }
        hadCode = true;
        if (code == QLatin1Char('c'))
            result += entry.name;
        else if (code == QLatin1Char('k'))
            result += entry.path;
        else if (code == QLatin1Char('i') && !entry.icon.isEmpty())
            result += QStringLiteral("--icon ") + entry.icon;
    }
    return result;
}

} // namespace

QStringList ApplicationEntry::localizedKeys(const QString& key, const QString& locale)
{
    QStringList keys;
    for (const QString& one : locale.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        addLocalizedKeys(keys, key, one);
    keys << key;
    return keys;
}

QString ApplicationEntry::messagesLocale()
{
    QString locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qEnvironmentVariable(variable);
        if (!locale.isEmpty())
            break;
    }
    const QString languages = qEnvironmentVariable("LANGUAGE");
    return !isCLocale(locale) && !languages.isEmpty() ? languages : locale;
}

std::optional<QStringList> ApplicationEntry::launchArguments() const
{
    const std::optional<QStringList> words = ExecLine::splitUnexpanded(exec);
    if (!words)
        return std::nullopt;
    QStringList arguments;
    for (const QString& word : *words) {
        // A whole-word %i is two arguments; a word that held only codes with nothing to give goes.
        if (word == QLatin1String("%i")) {
            if (!icon.isEmpty())
                arguments << QStringLiteral("--icon") << icon;
            continue;
        }
        bool hadCode = false;
        const QString expanded = expandedWord(word, *this, hadCode);
        if (!hadCode || !expanded.isEmpty())
            arguments << expanded;
    }
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return std::nullopt;
    return arguments;
}

std::optional<ApplicationEntry> ApplicationEntry::parse(const QByteArray& text, const QString& locale)
{
    const std::optional<DesktopEntry> desktop = DesktopEntry::parse(text);
    if (!desktop || desktop->value(QStringLiteral("Type")).trimmed() != QLatin1String("Application")
        || EntryVisibility::isTrue(desktop->value(QStringLiteral("Hidden"))))
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
    entry.noDisplay = EntryVisibility::isTrue(desktop->value(QStringLiteral("NoDisplay")));
    entry.terminal = EntryVisibility::isTrue(desktop->value(QStringLiteral("Terminal")));
    entry.exec = desktop->value(QStringLiteral("Exec"));
    entry.workingDirectory = desktop->value(QStringLiteral("Path"));
    entry.shownHere = EntryVisibility::isShownIn(*desktop, EntryVisibility::currentDesktops())
        && EntryVisibility::hasTryExecProgram(*desktop) && EntryVisibility::hasExecProgram(*desktop);
    // An Exec line with an open quote is broken: such an entry is never matched by its command.
    if (std::optional<QStringList> command = ExecLine::split(desktop->value(QStringLiteral("Exec"))))
        entry.command = *command;
    return entry;
}

} // namespace platform
