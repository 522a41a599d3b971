#include "SettingsStore.h"

#include "platform/Platform.h"
#include "platform/bundle/Bundle.h"
#include "platform/plist/PropertyListSerialization.h"

#include <QMutex>

namespace {
QMutex writeMutex;
}

QString SettingsStore::path()
{
    return platform::Platform::current().bundle->pathForResource(QStringLiteral("StringMessage"),
                                                                 QStringLiteral("plist"));
}

QVariant SettingsStore::valueForKey(const QString& key)
{
    const QString file = path();
    if (file.isEmpty())
        return {};
    return platform::Platform::current().propertyLists->propertyListFromFile(file).toMap().value(key);
}

void SettingsStore::setValueForKey(const QString& key, const QVariant& value)
{
    setValuesForKeys({{key, value}});
}

void SettingsStore::setValuesForKeys(const QVariantMap& values)
{
    const QString file = path();
    if (file.isEmpty())
        return;
    const auto& propertyLists = *platform::Platform::current().propertyLists;
    QMutexLocker lock(&writeMutex);
    const QVariant contents = propertyLists.propertyListFromFile(file);
    if (contents.typeId() != QMetaType::QVariantMap)
        return;
    QVariantMap settings = contents.toMap();
    bool changed = false;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const auto stored = settings.constFind(it.key());
        if (stored != settings.constEnd() && *stored == it.value())
            continue;
        settings.insert(it.key(), it.value());
        changed = true;
    }
    // Values already stored cost no write (the start menu stores its place at every build).
    if (changed)
        propertyLists.writeToFile(settings, file); // a read-only bundle keeps its settings silently
}
