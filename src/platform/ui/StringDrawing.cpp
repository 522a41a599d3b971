#include "StringDrawing.h"

#include "GraphicsContext.h"
#include "QtCoordinates.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace platform::ui {

namespace {

Font defaultFont()
{
    return Font::fontWithName(QStringLiteral("Helvetica"), 12);
}

double logicalDpi(const QPaintDevice* device)
{
    const int dpi = device ? device->logicalDpiY() : 0;
    return dpi > 0 ? dpi : 96;
}

struct Layout {
    QString text;
    QList<QTextLayout::FormatRange> formats;
    QFont font;
    QColor color;
    ParagraphStyle style;
};

bool singleLine(LineBreakMode mode)
{
    return mode != LineBreakMode::ByWordWrapping && mode != LineBreakMode::ByCharWrapping;
}

Qt::TextElideMode elideMode(LineBreakMode mode)
{
    switch (mode) {
    case LineBreakMode::ByTruncatingHead: return Qt::ElideLeft;
    case LineBreakMode::ByTruncatingMiddle: return Qt::ElideMiddle;
    case LineBreakMode::ByTruncatingTail: return Qt::ElideRight;
    default: return Qt::ElideNone;
    }
}

Qt::Alignment qtAlignment(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::Right: return Qt::AlignRight;
    case TextAlignment::Center: return Qt::AlignHCenter;
    case TextAlignment::Justified: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
    }
}

Layout makeLayout(const AttributedString& string, const QPaintDevice* device)
{
    Layout layout;
    layout.text = string.string();
    const AttributedString::Attributes first = string.attributesAtIndex(0);
    layout.font = qtFontForDevice(first.font.value_or(defaultFont()), device);
    layout.color = first.foregroundColor.value_or(Color::blackColor()).toQColor();
    layout.style = first.paragraphStyle.value_or(ParagraphStyle::defaultParagraphStyle());
    for (const AttributedString::Run& run : string.runs()) {
        QTextCharFormat format;
        if (run.attributes.font)
            format.setFont(qtFontForDevice(*run.attributes.font, device));
        if (run.attributes.foregroundColor)
            format.setForeground(run.attributes.foregroundColor->toQColor());
        if (run.attributes.font || run.attributes.foregroundColor)
            layout.formats.append({int(run.range.location), int(run.range.length), format});
    }
    return layout;
}

void drawLayout(Layout layout, const Rect& rect)
{
    GraphicsContext* context = GraphicsContext::currentContext();
    if (!context || layout.text.isEmpty() || rect.width() <= 0 || rect.height() <= 0)
        return;
    QPainter& painter = context->painter();
    painter.save();
    if (!context->isFlipped())
        painter.setTransform(QtCoordinates::uprightIn(rect), true);
    const QRectF box(rect.minX(), rect.minY(), rect.width(), rect.height());
    painter.setClipRect(box, Qt::IntersectClip);

    const bool oneLine = singleLine(layout.style.lineBreakMode);
    const Qt::TextElideMode elide = elideMode(layout.style.lineBreakMode);
    if (elide != Qt::ElideNone) {
        const QFontMetricsF metrics(layout.font, painter.device());
        const QString shown = metrics.elidedText(layout.text, elide, rect.width());
        if (shown != layout.text) {
            layout.text = shown;
            layout.formats.erase(std::remove_if(layout.formats.begin(), layout.formats.end(),
                                                [&](const auto& f) { return f.start >= shown.size(); }),
                                 layout.formats.end());
            for (auto& f : layout.formats)
                f.length = std::min<int>(f.length, int(shown.size()) - f.start);
        }
    }

    QTextLayout textLayout(layout.text, layout.font, painter.device());
    QTextOption option(qtAlignment(layout.style.alignment));
    option.setWrapMode(oneLine ? QTextOption::NoWrap
                       : layout.style.lineBreakMode == LineBreakMode::ByCharWrapping
                           ? QTextOption::WrapAnywhere
                           : QTextOption::WrapAtWordBoundaryOrAnywhere);
    textLayout.setTextOption(option);
    textLayout.setFormats(layout.formats);
    textLayout.beginLayout();
    double y = 0;
    for (;;) {
        QTextLine line = textLayout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(rect.width());
        line.setPosition(QPointF(0, y));
        y += line.height();
        if (oneLine || y >= rect.height())
            break;
    }
    textLayout.endLayout();
    painter.setPen(layout.color);
    textLayout.draw(&painter, box.topLeft());
    painter.restore();
}

Size layoutSize(const Layout& layout, const QPaintDevice* device)
{
    const QFontMetricsF metrics(layout.font, device);
    double width = 0;
    const QStringList lines = layout.text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return {width, metrics.height() * lines.size()};
}

} // namespace

QFont qtFontForDevice(const Font& font, const QPaintDevice* device)
{
    QFont qfont = font.toQFont();
    const double points = font.pointSize() > 0 ? font.pointSize() : 12;
    qfont.setPointSizeF(points * 72.0 / logicalDpi(device));
    return qfont;
}

void drawInRect(const QString& string, const Rect& rect, const AttributedString::Attributes& attributes)
{
    AttributedString text(string);
    const TextRange all{0, string.size()};
    if (attributes.font)
        text.addFont(*attributes.font, all);
    if (attributes.foregroundColor)
        text.addForegroundColor(*attributes.foregroundColor, all);
    if (attributes.paragraphStyle)
        text.addParagraphStyle(*attributes.paragraphStyle, all);
    text.drawInRect(rect);
}

Size sizeWithAttributes(const QString& string, const AttributedString::Attributes& attributes)
{
    AttributedString text(string);
    if (attributes.font)
        text.addFont(*attributes.font, {0, string.size()});
    return text.size();
}

void AttributedString::drawInRect(const Rect& rect) const
{
    GraphicsContext* context = GraphicsContext::currentContext();
    if (!context)
        return;
    drawLayout(makeLayout(*this, context->painter().device()), rect);
}

Size AttributedString::size() const
{
    const QImage reference(1, 1, QImage::Format_ARGB32_Premultiplied);
    return layoutSize(makeLayout(*this, &reference), &reference);
}

} // namespace platform::ui
