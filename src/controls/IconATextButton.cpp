#include "IconATextButton.h"

#include "utilities/PublicUtilities.h"

using namespace platform::ui;

void IconATextButton::setTextWithName(const QString& title, const Rect& frame)
{
    Rect place = bounds();
    place.origin.x += 20;
    auto label = controlLabel(place, TextAlignment::Left, title);
    label->setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 12));
    setLabel(std::move(label));
    setDstRect(Rect(0, 0, frame.width(), frame.height()));
}

void IconATextButton::imagesLoaded()
{
    setDstRect(Rect({0, 0}, normalImage().size()));
}

Color IconATextButton::labelColorFor(ImageButtonLook look) const
{
    return look == ImageButtonLook::Disabled ? Color::grayColor() : Color::blackColor();
}

void IconATextButton::clickTracked(const Event& mouseDown)
{
    if (delegate_)
        delegate_->moushDownInButton(mouseDown);
}
