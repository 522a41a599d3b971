#include "LocalizedString.h"

#include "Platform.h"
#include "bundle/Bundle.h"

QString getLocalizedString(const QString& key)
{
    if (key.isNull())
        return QStringLiteral("");
    return platform::Platform::current().bundle->localizedStringForKey(key, QStringLiteral(""), {});
}
