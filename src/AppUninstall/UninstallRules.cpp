#include "UninstallRules.h"

#include "utilities/PublicUtilities.h"

#include "platform/text/StringFormat.h"

using namespace platform::ui;

namespace UninstallRules {

QString displayName(const QString& name)
{
    QString shown = name;
    return shown.remove(QStringLiteral(".app"));
}

bool applicationMatches(const QString& name, const QString& searchText)
{
    if (searchText.isEmpty() || searchText == QLatin1String(" "))
        return true;
    return displayName(name).toUpper().contains(searchText.toUpper());
}

bool uninstallMatches(const QString& name, const QString& searchText)
{
    return searchText.isEmpty() || name.toLower().contains(searchText.toLower());
}

QString checkImageName(std::size_t ticked, std::size_t total)
{
    if (ticked == 0)
        return QStringLiteral("option_no");
    return ticked < total ? QStringLiteral("option_a") : QStringLiteral("option_yes");
}

AttributedString countLabel(std::size_t ticked, std::size_t shown, const Font& labelFont, const Font& boldFont)
{
    if (ticked == 0) {
        AttributedString plain(platform::stringWithFormat(shown < 2 ? "Total: %d Item" : "Total: %d Items", int(shown)));
        plain.addFont(labelFont, {0, plain.length()});
        return plain;
    }
    const QString count = QString::number(ticked);
    AttributedString label(platform::stringWithFormat("Selected: %s / %d Items", count.toUtf8().constData(), int(shown)));
    label.addFont(labelFont, {0, label.length()});
    label.addFont(boldFont, {label.string().indexOf(count), count.size()});
    return label;
}

QString resultText(const QString& freedSize, int32_t failed)
{
    QString text = QStringLiteral("Tavrin has successfully removed the selected application(s) and all associated "
                                  "files. Free up %1 disk space")
                       .arg(freedSize);
    if (failed == 1)
        text += QStringLiteral(", 1 item could not be removed");
    else if (failed > 1)
        text += QStringLiteral(", %1 items could not be removed").arg(failed);
    return text + QLatin1Char('.');
}

} // namespace UninstallRules
