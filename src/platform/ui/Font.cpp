#include "Font.h"

#include <QStringList>

namespace platform::ui {

Font::Font(QString fontName, double pointSize)
    : fontName_(std::move(fontName)), pointSize_(pointSize)
{
}

Font Font::fontWithName(const QString& fontName, double pointSize)
{
    return Font(fontName, pointSize);
}

Font Font::systemFontOfSize(double pointSize)
{
    return Font(QStringLiteral(".SFNSText"), pointSize);
}

QFont Font::toQFont() const
{
    QString family = fontName_;
    QFont::Weight weight = QFont::Normal;
    const int dash = family.lastIndexOf(QLatin1Char('-'));
    if (dash > 0) {
        const QString style = family.mid(dash + 1).toLower();
        family.truncate(dash);
        if (style.contains(QLatin1String("light")) || style.contains(QLatin1String("thin")))
            weight = QFont::Light;
        else if (style.contains(QLatin1String("medium")))
            weight = QFont::Medium;
        else if (style.contains(QLatin1String("semibold")))
            weight = QFont::DemiBold;
        else if (style.contains(QLatin1String("bold")))
            weight = QFont::Bold;
    }
    if (family.startsWith(QLatin1Char('.')))
        family.clear(); // the system font
    QFont font;
    if (!family.isEmpty())
        font.setFamilies({family, QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setWeight(weight);
    font.setPointSizeF(pointSize_ > 0 ? pointSize_ : 13);
    return font;
}

} // namespace platform::ui
