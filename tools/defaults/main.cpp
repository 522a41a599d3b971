// defaults: reads and writes the simulated Mac's preference domains, as the Mac's tool does.
#include "ToolRun.h"
#include "ToolSupport.h"

#include "platform/plist/LibplistSerialization.h"
#include "platform/preferences/PreferenceDomains.h"

#include <QDateTime>
#include <QFileInfo>
#include <QVariantList>

namespace {

// Two of the program's readers look for a digit anywhere in the output, so the text of a
// missing value holds no digit, no path and no time.
const QString kMissing = QStringLiteral("The domain/default pair does not exist");

QByteArray quoted(const QString& text)
{
    static const QString plain = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-/");
    bool bare = !text.isEmpty();
    for (const QChar c : text)
        bare = bare && plain.contains(c);
    if (bare)
        return text.toUtf8();
    QString escaped = text;
    escaped.replace(QLatin1String("\\"), QLatin1String("\\\\")).replace(QLatin1String("\""), QLatin1String("\\\""));
    return '"' + escaped.toUtf8() + '"';
}

QByteArray format(const QVariant& value, int depth)
{
    const QByteArray indent(4 * depth, ' ');
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? "1" : "0";
    case QMetaType::QDateTime:
        return value.toDateTime().toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000")).toUtf8();
    case QMetaType::QByteArray:
        return '{' + QByteArray("length = ") + QByteArray::number(value.toByteArray().size()) + ", bytes = 0x"
             + value.toByteArray().left(32).toHex() + '}';
    case QMetaType::QVariantList: {
        QByteArray text = "(\n";
        const QVariantList items = value.toList();
        for (int i = 0; i < items.size(); ++i)
            text += indent + "    " + format(items[i], depth + 1) + (i + 1 < items.size() ? ",\n" : "\n");
        return text + indent + ')';
    }
    case QMetaType::QVariantMap: {
        QByteArray text = "{\n";
        const QVariantMap items = value.toMap();
        for (auto it = items.constBegin(); it != items.constEnd(); ++it)
            text += indent + "    " + quoted(it.key()) + " = " + format(it.value(), depth + 1) + ";\n";
        return text + indent + '}';
    }
    case QMetaType::QString:
        return depth == 0 ? value.toString().toUtf8() : quoted(value.toString());
    default:
        return value.toString().toUtf8();
    }
}

std::optional<QVariant> parseValue(const QStringList& words)
{
    if (words.isEmpty())
        return std::nullopt;
    if (words.size() == 1)
        return QVariant(words[0]);
    const QString type = words[0];
    const QString text = words.mid(1).join(QLatin1Char(' '));
    if (type == QLatin1String("-bool") || type == QLatin1String("-boolean")) {
        const QString word = text.toLower();
        if (word == QLatin1String("true") || word == QLatin1String("yes") || word == QLatin1String("1"))
            return QVariant(true);
        if (word == QLatin1String("false") || word == QLatin1String("no") || word == QLatin1String("0"))
            return QVariant(false);
        return std::nullopt;
    }
    if (type == QLatin1String("-int") || type == QLatin1String("-integer")) {
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        return ok ? std::optional<QVariant>(number) : std::nullopt;
    }
    if (type == QLatin1String("-float")) {
        bool ok = false;
        const double number = text.toDouble(&ok);
        return ok ? std::optional<QVariant>(number) : std::nullopt;
    }
    if (type == QLatin1String("-string"))
        return QVariant(text);
    if (type == QLatin1String("-date")) {
        // "2026-05-04 03:02:01 +0000"; the zone, when given, must be UTC.
        const QDateTime date = QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QString zone = text.mid(19).trimmed();
        if (!date.isValid() || !(zone.isEmpty() || zone == QLatin1String("+000") || zone == QLatin1String("+0000")))
            return std::nullopt;
        return QVariant(QDateTime(date.date(), date.time(), Qt::UTC));
    }
    return std::nullopt;
}

int usage()
{
    tools::printError(QStringLiteral("Usage: defaults [-currentHost] read|write|delete <domain> [<key> [-type] <value>]"));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    tools::ToolRun run(argc, argv);
    QStringList arguments = run.arguments();
    const bool currentHost = !arguments.isEmpty() && arguments[0] == QLatin1String("-currentHost");
    if (currentHost)
        arguments.removeFirst();
    if (arguments.size() < 2)
        return usage();
    const QString verb = arguments[0];
    const QString domain = arguments[1];
    const platform::SimulatedMac mac = tools::simulatedMac();
    const platform::LibplistSerialization propertyLists;
    platform::PreferenceDomains preferences = platform::PreferenceDomains::forSimulatedMac(mac, propertyLists);
    const QString path = preferences.pathForDomain(domain, currentHost);
    if (path.isEmpty()) {
        tools::printError(QStringLiteral("defaults: refused the domain \"%1\": a name stays inside the Preferences folder").arg(domain));
        return 1;
    }
    // No path in the line: the program's readers look for digits in what the tool says.
    const auto values = preferences.persistentDomainForName(domain, currentHost);
    if (!values && QFileInfo::exists(path))
        return run.cannotRead(QStringLiteral("the domain"));

    if (verb == QLatin1String("read")) {
        if (!values || (arguments.size() > 2 && !values->contains(arguments[2]))) {
            tools::printError(kMissing);
            return 1;
        }
        tools::printOut(format(arguments.size() > 2 ? values->value(arguments[2]) : QVariant(*values), 0) + '\n');
        return 0;
    }
    if (verb == QLatin1String("write")) {
        const auto value = parseValue(arguments.mid(3));
        if (arguments.size() < 4 || !value)
            return usage();
        return preferences.setValue(domain, currentHost, arguments[2], *value) ? 0 : 1;
    }
    if (verb == QLatin1String("delete") && arguments.size() == 3) {
        if (!values || !values->contains(arguments[2])) {
            tools::printError(kMissing);
            return 1;
        }
        return preferences.removeValue(domain, currentHost, arguments[2]) ? 0 : 1;
    }
    return usage();
}
