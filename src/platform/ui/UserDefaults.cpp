#include "UserDefaults.h"

#include "platform/Platform.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/simulated/SimulatedMac.h"

#include <QVariantMap>

namespace platform::ui {

bool globalUserDefaultBool(const QString& key)
{
    const Platform& platform = Platform::current();
    const QString path = platform.simulatedMac->homePath() + QStringLiteral("/Library/Preferences/.GlobalPreferences.plist");
    const QVariant value = platform.propertyLists->propertyListFromFile(path).toMap().value(key);
    if (value.typeId() != QMetaType::QString)
        return value.toBool();
    // As the Mac reads a text as a truth: "Y", "T" or a number that is not zero.
    const QString text = value.toString().trimmed();
    if (text.startsWith(QLatin1Char('Y'), Qt::CaseInsensitive) || text.startsWith(QLatin1Char('T'), Qt::CaseInsensitive))
        return true;
    bool number = false;
    const double parsed = text.toDouble(&number);
    return number && parsed != 0;
}

} // namespace platform::ui
