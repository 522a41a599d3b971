#include "AppListParts.h"

#include "controls/PlainLabel.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/ui/Image.h"

using namespace platform::ui;

namespace AppListParts {

std::unique_ptr<TextField> label(const Rect& frame, const QString& text, const Font& font, TextAlignment alignment)
{
    auto field = makePlainLabel(frame, text, font, getColor(51, 57, 81, 1), alignment);
    field->setLineBreakMode(LineBreakMode::ByTruncatingMiddle);
    return field;
}

std::unique_ptr<AMSearchField> searchField(const Rect& frame)
{
    auto field = std::make_unique<AMSearchField>(frame);
    field->setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 13));
    field->setTextColor(getColor(51, 57, 81, 1));
    field->setBackgroundColor(getColor(240, 242, 247, 1));
    field->setBordered(false);
    return field;
}

std::unique_ptr<Button> clearButton(const Rect& searchFrame)
{
    const double side = 16;
    auto button = std::make_unique<Button>(Rect(searchFrame.maxX() - side - 4, searchFrame.midY() - side / 2, side, side));
    button->setBordered(false);
    button->setImagePosition(CellImagePosition::ImageOnly);
    button->setImage(Image::imageNamed(QStringLiteral("ic_search_clear")));
    button->setHidden(true);
    return button;
}


} // namespace AppListParts
