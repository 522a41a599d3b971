#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace platform {

class PropertyListSerialization;
class SimulatedMac;

// The user's preference domains (`NSUserDefaults`' persistent domains, what `defaults` reads and
// writes): one property list per domain in the simulated Mac's ~/Library/Preferences
// (".GlobalPreferences" for the global domain), the current host's in ByHost/<domain>.<host id>;
// a domain given as a path is that file. A name that is empty or holds a ".." component is
// refused: read as missing, never written. The program, its stand-in tools and the simulated
// System Events share them; each change is a read, change and atomic rewrite under one lock file
// in the data folder, so writers in different processes never lose each other's keys, and a
// domain file that is there but does not read is never replaced.
class PreferenceDomains {
public:
    PreferenceDomains(QString preferencesFolder, QString lockPath, const PropertyListSerialization& propertyLists);

    static PreferenceDomains forSimulatedMac(const SimulatedMac& mac, const PropertyListSerialization& propertyLists);

    // "NSGlobalDomain" (also "-g") is ".GlobalPreferences"; a domain given as an absolute path is
    // that file (".plist" added when missing); -currentHost domains carry the host's identifier.
    // Empty for a name that is empty or holds a ".." component, which would leave the folder:
    // such a domain reads as missing and is never written.
    QString pathForDomain(const QString& domain, bool currentHost) const;
    // Nothing when the file is missing or holds no dictionary.
    std::optional<QVariantMap> persistentDomainForName(const QString& domain, bool currentHost = false) const;
    // False, and nothing written, when the domain's file is there but cannot be read.
    bool setValue(const QString& domain, bool currentHost, const QString& key, const QVariant& value);
    bool removeValue(const QString& domain, bool currentHost, const QString& key);

    static QString hostIdentifier();

private:
    bool change(const QString& domain, bool currentHost, const std::function<void(QVariantMap&)>& edit);

    QString folder_;
    QString lockPath_;
    const PropertyListSerialization& propertyLists_;
};

} // namespace platform
