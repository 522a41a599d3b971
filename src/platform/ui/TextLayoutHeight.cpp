#include "TextLayoutHeight.h"

#include "StringDrawing.h"

#include <QImage>
#include <QTextLayout>
#include <QTextOption>

namespace platform::ui {

double usedHeightOfText(const QString& text, const Font& font, double width)
{
    if (text.isEmpty() || width <= 0)
        return 0;
    const QImage reference(1, 1, QImage::Format_ARGB32_Premultiplied);
    QTextLayout layout(text, qtFontForDevice(font, &reference), &reference);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    double height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

} // namespace platform::ui
