#include "SwitchRules.h"

namespace SwitchRules {

bool desktopIconsHidden(const QString& output)
{
    return output.contains(QLatin1String("FALSE"));
}

bool hiddenFilesShown(const QString& output)
{
    return output.contains(QLatin1String("TRUE"));
}

bool doNotDisturbOn(const QString& output)
{
    return output.contains(QLatin1Char('1'));
}

bool dockHidden(const QString& output)
{
    return !output.contains(QLatin1Char('0'));
}

bool darkStyle(const QVariant& style)
{
    return style.typeId() == QMetaType::QString
        && style.toString().compare(QLatin1String("dark"), Qt::CaseInsensitive) == 0;
}

Gates gatesForVersion(int version)
{
    return {version < 1011, version < 1010, version < 1013, version < 1013};
}

QString doNotDisturbPath(const QString& folder, const QStringList& entries)
{
    QString found;
    for (const QString& entry : entries) {
        if (entry.contains(QLatin1String("com.apple.notificationcenterui")))
            found = entry;
    }
    return folder + found;
}

QString dockHideScript(bool hide)
{
    return QStringLiteral("tell application \"System Events\"\n") + QString(76, QLatin1Char(' '))
         + (hide ? QStringLiteral("set autohide of dock preferences to true")
                 : QStringLiteral("set autohide of dock preferences to no"))
         + QLatin1Char('\n') + QString(74, QLatin1Char(' ')) + QStringLiteral("end tell");
}

} // namespace SwitchRules
