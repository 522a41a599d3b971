#include "LoginItemTarget.h"

#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/ExecLine.h"
#include "platform/files/RegularFile.h"
#include "platform/plist/PropertyListSerialization.h"

#include <QFileInfo>

namespace platform {

namespace {

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".")
        && name != QLatin1String("..");
}

QVariantMap infoDictionary(const QString& bundlePath, const PropertyListSerialization& propertyLists)
{
    return propertyLists.propertyListFromFile(bundlePath + QStringLiteral("/Contents/Info.plist")).toMap();
}

QString bundleIcon(const QString& bundlePath, const QVariantMap& info)
{
    QString name = info.value(QStringLiteral("CFBundleIconFile")).toString();
    if (!isPlainFileName(name))
        return {};
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".icns");
    const QString path = bundlePath + QStringLiteral("/Contents/Resources/") + name;
    return QFileInfo(path).isFile() ? path : QString();
}

QString executableIn(const QString& bundlePath, const QVariantMap& info)
{
    const QString name = info.value(QStringLiteral("CFBundleExecutable")).toString();
    if (!isPlainFileName(name))
        return {};
    const QString path = bundlePath + QStringLiteral("/Contents/MacOS/") + name;
    return QFileInfo(path).isFile() ? path : QString();
}

// Every file on a FAT, NTFS or exFAT drive carries the execute bit, so the bit alone does not
// make a program: it must also be a binary or a script.
bool isProgram(const QFileInfo& file)
{
    if (!file.isExecutable())
        return false;
    const std::optional<QByteArray> head = readRegularFileHead(file.filePath(), 4);
    return head && (head->startsWith("\x7f" "ELF") || head->startsWith("#!"));
}

// An application's desktop entry runs what its Exec line says; anything else is a document.
std::optional<LoginItemTarget> entryTarget(const QFileInfo& file)
{
    if (file.suffix() != QLatin1String("desktop") || !file.isFile())
        return std::nullopt;
    const std::optional<QByteArray> text = readRegularFile(file.filePath(), 256 * 1024);
    const std::optional<DesktopEntry> entry = text ? DesktopEntry::parse(*text) : std::nullopt;
    if (!entry || entry->value(QStringLiteral("Type")) != QLatin1String("Application"))
        return std::nullopt;
    LoginItemTarget target;
    target.arguments = ExecLine::split(entry->value(QStringLiteral("Exec"))).value_or(QStringList());
    if (target.arguments.isEmpty())
        return std::nullopt;
    target.displayName = entry->value(QStringLiteral("Name"));
    if (target.displayName.isEmpty())
        target.displayName = file.completeBaseName();
    if (const QString icon = entry->value(QStringLiteral("Icon")); QFileInfo(icon).isAbsolute())
        target.iconPath = icon;
    return target;
}

} // namespace

QString LoginItemTarget::execLine() const
{
    // GLib looks the first word up on disk before it undoes "%%", so a program whose path holds
    // a "%" would never start under its launchers: a program that every system has starts it.
    // env would take a word with a "=" for a variable; nice by 0 changes nothing either.
    const QString& program = arguments.value(0);
    if (!program.contains(QLatin1Char('%')))
        return ExecLine::quote(arguments);
    const QStringList starter = program.contains(QLatin1Char('='))
        ? QStringList{QStringLiteral("nice"), QStringLiteral("-n"), QStringLiteral("0")}
        : QStringList{QStringLiteral("env")};
    return ExecLine::quote(starter + arguments);
}

LoginItemTarget LoginItemTarget::forPath(const QString& path, const PropertyListSerialization& propertyLists)
{
    const QFileInfo info(path);
    LoginItemTarget target;
    target.displayName = info.fileName().isEmpty() ? path : info.fileName();
    if (info.isDir() && info.suffix().compare(QLatin1String("app"), Qt::CaseInsensitive) == 0) {
        target.displayName = info.completeBaseName();
        const QVariantMap bundleInfo = infoDictionary(path, propertyLists);
        const QString executable = executableIn(path, bundleInfo);
        if (!executable.isEmpty()) {
            target.arguments = QStringList{executable};
            target.iconPath = bundleIcon(path, bundleInfo);
            return target;
        }
    } else if (std::optional<LoginItemTarget> fromEntry = entryTarget(info)) {
        return *fromEntry;
    } else if (isProgram(info)) {
        target.arguments = QStringList{path};
        return target;
    }
    target.arguments = QStringList{QStringLiteral("xdg-open"), path};
    return target;
}

} // namespace platform
