#include "DesktopEntry.h"

#include <QStringList>

namespace platform {

namespace {
const QLatin1String kGroup("[Desktop Entry]");
}

std::optional<DesktopEntry> DesktopEntry::parse(const QByteArray& text)
{
    DesktopEntry entry;
    bool inGroup = false;
    bool found = false;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString current = QString::fromUtf8(line);
        const QString trimmed = current.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('['))) {
            inGroup = trimmed == kGroup;
            // The first "[Desktop Entry]" group counts; a repeated one is ignored.
            if (inGroup && found)
                inGroup = false;
            found = found || inGroup;
            continue;
        }
        const qsizetype equals = current.indexOf(QLatin1Char('='));
        if (!inGroup || equals <= 0)
            continue;
        const QString key = current.left(equals).trimmed();
        QString raw = current.mid(equals + 1);
        qsizetype start = 0;
        while (start < raw.size() && (raw[start] == QLatin1Char(' ') || raw[start] == QLatin1Char('\t')))
            ++start;
        // The first value of a key wins, as in the readers of these files.
        if (!key.isEmpty() && !entry.values_.contains(key))
            entry.values_.insert(key, unescapeValue(raw.mid(start)));
    }
    if (!found)
        return std::nullopt;
    return entry;
}

QByteArray DesktopEntry::format(const QList<QPair<QString, QString>>& entries)
{
    QString text = kGroup + QLatin1Char('\n');
    for (const auto& [key, value] : entries)
        text += key + QLatin1Char('=') + escapeValue(value) + QLatin1Char('\n');
    return text.toUtf8();
}

QString DesktopEntry::escapeValue(const QString& value)
{
    qsizetype leading = 0;
    while (leading < value.size() && value[leading] == QLatin1Char(' '))
        ++leading;
    qsizetype trailing = value.size();
    while (trailing > leading && value[trailing - 1] == QLatin1Char(' '))
        --trailing;
    QString escaped;
    escaped.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\'))
            escaped += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QLatin1String("\\r");
        else if (c == QLatin1Char(' ') && (i < leading || i >= trailing))
            escaped += QLatin1String("\\s");
        else
            escaped += c;
    }
    return escaped;
}

QString DesktopEntry::unescapeValue(const QString& value)
{
    QString plain;
    plain.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            plain += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's': plain += QLatin1Char(' '); break;
        case 'n': plain += QLatin1Char('\n'); break;
        case 't': plain += QLatin1Char('\t'); break;
        case 'r': plain += QLatin1Char('\r'); break;
        case '\\': plain += QLatin1Char('\\'); break;
        default:
            // Not an escape of this format: kept for the next reader (Exec has its own).
            plain += c;
            plain += next;
        }
    }
    return plain;
}

} // namespace platform
