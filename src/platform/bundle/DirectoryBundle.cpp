#include "DirectoryBundle.h"

#include "platform/plist/PropertyListSerialization.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

DirectoryBundle::DirectoryBundle(QString bundlePath, const PropertyListSerialization& propertyLists)
    : bundlePath_(std::move(bundlePath))
    , propertyLists_(propertyLists)
{
}

QString DirectoryBundle::bundlePathOfExecutable()
{
    // Contents/MacOS/Tavrin → the folder two levels above MacOS.
    QDir dir(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
    dir.cdUp();
    dir.cdUp();
    return dir.absolutePath();
}

QString DirectoryBundle::bundlePath() const
{
    return bundlePath_;
}

QString DirectoryBundle::pathForResource(const QString& name, const QString& type) const
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return {};
    QString file = type.isEmpty() ? name : name + QLatin1Char('.') + type;
    QString path = bundlePath_ + QStringLiteral("/Contents/Resources/") + file;
    return QFileInfo::exists(path) ? path : QString();
}

QString DirectoryBundle::helpersPath() const
{
    return bundlePath_ + QStringLiteral("/Contents/Helpers");
}

QVariant DirectoryBundle::objectForInfoDictionaryKey(const QString& key) const
{
    QVariant info = propertyLists_.propertyListFromFile(bundlePath_ + QStringLiteral("/Contents/Info.plist"));
    return info.toMap().value(key);
}

QString DirectoryBundle::localizedStringForKey(const QString& key, const QString& value,
                                               const QString& /*table*/) const
{
    return value.isEmpty() ? key : value;
}

} // namespace platform
