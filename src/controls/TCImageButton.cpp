#include "TCImageButton.h"

using namespace platform::ui;

void TCImageButton::setTextWithName(const QString& title, const Rect& frame)
{
    Rect place = bounds();
    place.origin.y += 2;
    setLabel(controlLabel(place, TextAlignment::Center, title));
    setDstRect(Rect(0, 0, frame.width() - 4, frame.height()));
}

void TCImageButton::imagesLoaded()
{
    const Rect whole({0, 0}, normalImage().size());
    setDstRect(whole);
    setSrcRect(whole);
}

void TCImageButton::drawStateImage(const Image& image) const
{
    image.drawInRect(dstRect(), srcRect(), CompositingOperation::SourceOver, 1.0, true);
}

Color TCImageButton::labelColorFor(ImageButtonLook look) const
{
    return look == ImageButtonLook::Disabled ? Color::grayColor() : Color::whiteColor();
}

void TCImageButton::clickTracked(const Event& mouseDown)
{
    if (delegate_)
        delegate_->moushDownInButton(mouseDown);
}
