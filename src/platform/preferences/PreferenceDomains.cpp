#include "PreferenceDomains.h"

#include "platform/files/FileDescriptor.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/simulated/SimulatedMac.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

PreferenceDomains::PreferenceDomains(QString preferencesFolder, QString lockPath,
                                     const PropertyListSerialization& propertyLists)
    : folder_(std::move(preferencesFolder)), lockPath_(std::move(lockPath)), propertyLists_(propertyLists)
{
}

PreferenceDomains PreferenceDomains::forSimulatedMac(const SimulatedMac& mac,
                                                     const PropertyListSerialization& propertyLists)
{
    // The lock lies outside Preferences, where listings of ByHost/ would see it.
    return PreferenceDomains(mac.homePath() + QStringLiteral("/Library/Preferences"),
                             mac.dataFolder() + QStringLiteral("/preferences.lock"), propertyLists);
}

QString PreferenceDomains::hostIdentifier()
{
    return QStringLiteral("564D4143-5441-5652-494E-000000000001");
}

QString PreferenceDomains::pathForDomain(const QString& domain, bool currentHost) const
{
    if (domain.startsWith(QLatin1Char('/')))
        return domain.endsWith(QLatin1String(".plist")) ? domain : domain + QStringLiteral(".plist");
    if (domain.isEmpty() || domain.split(QLatin1Char('/')).contains(QLatin1String("..")))
        return {};
    QString name = domain;
    if (name == QLatin1String("NSGlobalDomain") || name == QLatin1String("-g") || name == QLatin1String("-globalDomain"))
        name = QStringLiteral(".GlobalPreferences");
    if (currentHost)
        return folder_ + QStringLiteral("/ByHost/") + name + QLatin1Char('.') + hostIdentifier() + QStringLiteral(".plist");
    return folder_ + QLatin1Char('/') + name + QStringLiteral(".plist");
}

std::optional<QVariantMap> PreferenceDomains::persistentDomainForName(const QString& domain, bool currentHost) const
{
    const QVariant contents = propertyLists_.propertyListFromFile(pathForDomain(domain, currentHost));
    if (contents.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return contents.toMap();
}

bool PreferenceDomains::setValue(const QString& domain, bool currentHost, const QString& key, const QVariant& value)
{
    return change(domain, currentHost, [&](QVariantMap& values) { values.insert(key, value); });
}

bool PreferenceDomains::removeValue(const QString& domain, bool currentHost, const QString& key)
{
    return change(domain, currentHost, [&](QVariantMap& values) { values.remove(key); });
}

bool PreferenceDomains::change(const QString& domain, bool currentHost,
                               const std::function<void(QVariantMap&)>& edit)
{
    const QString path = pathForDomain(domain, currentHost);
    if (path.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(lockPath_).path());
    QDir().mkpath(QFileInfo(path).path());
    // The kernel's lock: waiters queue instead of polling, and a holder that dies lets go.
    const FileDescriptor lock(
        ::open(QFile::encodeName(lockPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lock.isValid())
        return false;
    int locked = 0;
    while ((locked = flock(lock.get(), LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0)
        return false;
    std::optional<QVariantMap> values = persistentDomainForName(domain, currentHost);
    // A file that is there but does not read (refused, or no dictionary) is kept, not replaced by
    // the one key.
    if (!values && QFileInfo::exists(path))
        return false;
    if (!values)
        values.emplace();
    edit(*values);
    return propertyLists_.writeToFile(*values, path, PropertyListSerialization::Format::Xml);
}

} // namespace platform
