#include "PlainLabel.h"


using namespace platform::ui;

std::unique_ptr<TextField> makePlainLabel(const Rect& frame, const QString& text, const Font& font, const Color& color,
                                          TextAlignment alignment)
{
    auto field = std::make_unique<TextField>(frame);
    field->setEditable(false);
    field->setSelectable(false);
    field->setBordered(false);
    field->setDrawsBackground(false);
    field->setFont(font);
    field->setTextColor(color);
    field->setAlignment(alignment);
    field->setStringValue(text);
    return field;
}

std::unique_ptr<ButtonCell> makeImageOnlyCell()
{
    auto cell = std::make_unique<ButtonCell>();
    cell->setBordered(false);
    cell->setImagePosition(CellImagePosition::ImageOnly);
    cell->setHighlightsBy(NoCellMask);
    return cell;
}
