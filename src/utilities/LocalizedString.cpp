#include "LocalizedString.h"

#include "platform/Platform.h"
#include "platform/bundle/Bundle.h"

QString getLocalizedString(const QString& key)
{
    if (key.isNull())
        return QStringLiteral("");
    return platform::Platform::current().bundle->localizedStringForKey(key, QStringLiteral(""), {});
}
