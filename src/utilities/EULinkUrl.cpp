#include "EULinkUrl.h"

#include "SettingsStore.h"

QString EULinkUrl::GetUrl(const QString& key)
{
    const QVariant value = SettingsStore::valueForKey(key);
    return value.isValid() ? value.toString() : QString();
}
