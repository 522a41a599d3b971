#pragma once

#include "Bundle.h"

namespace platform {

class PropertyListSerialization;

// A bundle laid out as a folder on disk: `Tavrin.app/Contents` around the executable, resources
// found by name in `Resources/`, the stand-in tools in `Helpers/`.
class DirectoryBundle final : public Bundle {
public:
    DirectoryBundle(QString bundlePath, const PropertyListSerialization& propertyLists);

    // The bundle that holds the running executable (…/Tavrin.app/Contents/MacOS/Tavrin).
    static QString bundlePathOfExecutable();

    QString bundlePath() const override;
    QString pathForResource(const QString& name, const QString& type) const override;
    QString helpersPath() const override;
    QVariant objectForInfoDictionaryKey(const QString& key) const override;
    QString localizedStringForKey(const QString& key, const QString& value,
                                  const QString& table) const override;

private:
    QString bundlePath_;
    const PropertyListSerialization& propertyLists_;
};

} // namespace platform
