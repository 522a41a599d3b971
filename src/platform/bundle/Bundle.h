#pragma once

#include <QString>
#include <QVariant>

namespace platform {

// The application bundle: Tavrin.app/Contents with MacOS/, Resources/, Helpers/ and Info.plist.
// Resources are found by name, never by a path that the caller builds.
class Bundle {
public:
    virtual ~Bundle() = default;

    virtual QString bundlePath() const = 0;
    // The path of Resources/<name>.<type> (just <name> for an empty type), or a null text
    // when there is no such resource.
    virtual QString pathForResource(const QString& name, const QString& type) const = 0;
    // The folder of the stand-in command-line tools.
    virtual QString helpersPath() const = 0;
    virtual QVariant objectForInfoDictionaryKey(const QString& key) const = 0;
    // The bundle has no string tables: the value is given back, or the key when it is empty.
    virtual QString localizedStringForKey(const QString& key, const QString& value,
                                          const QString& table) const = 0;
    QString bundleIdentifier() const;
};

} // namespace platform
