#include "IORegistryEntry.h"

namespace platform {

QVariant IORegistryEntry::searchProperty(const QString& key) const
{
    if (const auto it = properties.constFind(key); it != properties.constEnd())
        return *it;
    for (const IORegistryEntry& child : children) {
        QVariant value = child.searchProperty(key);
        if (value.isValid())
            return value;
    }
    return {};
}

} // namespace platform
