#include "SystemFolder.h"

#include "platform/Platform.h"
#include "platform/bundle/Bundle.h"
#include "platform/plist/PropertyListSerialization.h"

bool SystemFolder::isSystemFileWithFilePath(const QString& path)
{
    const auto& p = platform::Platform::current();
    const QVariantMap list = p.propertyLists
                                 ->propertyListFromFile(p.bundle->pathForResource(
                                     QStringLiteral("SystemFile"), QStringLiteral("plist")))
                                 .toMap();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QVariant entry = list.value(QString::number(i));
        if (entry.isValid() && entry.toString() == path)
            return true;
    }
    return false;
}
