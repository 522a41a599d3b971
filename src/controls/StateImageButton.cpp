#include "StateImageButton.h"

#include "platform/ui/TrackingArea.h"

#include <memory>

using namespace platform::ui;

StateImageButton::StateImageButton(const Rect& frame)
    : Button(frame)
{
}

void StateImageButton::setImageFromFileNormalName(const QString& normalName, const QString& activeName,
                                                  const QString& hoverName, const QString& disableName)
{
    normalImage_ = Image::imageNamed(normalName);
    activeImage_ = Image::imageNamed(activeName);
    hoverImage_ = Image::imageNamed(hoverName);
    disableImage_ = Image::imageNamed(disableName);
    imagesLoaded();
    setBezelStyle(BezelStyle::TexturedRounded);
    addTrackingArea(std::make_shared<TrackingArea>(
        bounds(), TrackingArea::MouseEnteredAndExited | TrackingArea::ActiveInActiveApp, this));
    setNeedsDisplay();
}

void StateImageButton::setButtonEnabled(bool enabled)
{
    isDisabled_ = enabled;
    redraw();
}

TextImageButtonRules::ImageNames StateImageButton::imageNames() const
{
    return {normalImage_.name(), activeImage_.name(), hoverImage_.name(), !activeImage_.isNull(), !hoverImage_.isNull()};
}

ImageButtonLook StateImageButton::currentLook() const
{
    return TextImageButtonRules::look(isEnabled(), isDisabled_, isTracking_, isFocus_);
}

void StateImageButton::setLabel(std::unique_ptr<TextField> label)
{
    if (textField_)
        std::unique_ptr<View> old = textField_->removeFromSuperview();
    textField_ = label ? addSubview(std::move(label)) : nullptr;
}

std::unique_ptr<TextField> StateImageButton::controlLabel(const Rect& frame, TextAlignment alignment, const QString& title)
{
    auto label = std::make_unique<TextField>(frame);
    label->setAlignment(alignment);
    label->setBackgroundColor(Color::controlColor());
    label->setBordered(false);
    label->setEditable(false);
    label->setSelectable(false);
    label->setStringValue(title);
    return label;
}

void StateImageButton::drawStateImage(const Image& image) const
{
    image.drawInRect(dstRect_, Rect(), CompositingOperation::SourceOver, 1.0, true);
}

void StateImageButton::drawRect(const Rect& dirtyRect)
{
    ImageButtonLook shown = ImageButtonLook::Normal;
    if (normalImage_.isNull()) {
        Button::drawRect(dirtyRect);
    } else {
        shown = currentLook();
        const Image& image = shown == ImageButtonLook::Disabled ? disableImage_
            : shown == ImageButtonLook::Pressed                 ? activeImage_
            : shown == ImageButtonLook::Hover                   ? hoverImage_
                                                                : normalImage_;
        if (!image.isNull())
            drawStateImage(image);
    }
    // The label draws after the button, so it takes this pass's colour.
    const Color color = labelColorFor(shown);
    if (textField_ && !(textField_->textColor() == color))
        textField_->setTextColor(color);
}

void StateImageButton::mouseDown(const Event& event)
{
    if (!isDisabled_)
        return;
    if (!isEnabled()) {
        finishClick(event); // the platform's tracking does nothing for a disabled button
        return;
    }
    isTracking_ = true;
    redraw();
    pressEvent_ = event;
    awaitingRelease_ = true;
    Button::mouseDown(event);
}

void StateImageButton::mouseUp(const Event& event)
{
    if (!awaitingRelease_) {
        Button::mouseUp(event);
        return;
    }
    awaitingRelease_ = false;
    WeakRef<View> alive(this);
    Button::mouseUp(event); // runs the action when released inside
    if (alive)
        finishClick(pressEvent_);
}

void StateImageButton::finishClick(const Event& mouseDown)
{
    isTracking_ = false;
    redraw();
    clickTracked(mouseDown);
}

void StateImageButton::mouseEntered(const Event&)
{
    if (!isEnabled())
        return;
    isFocus_ = true;
    redraw();
}

void StateImageButton::mouseExited(const Event&)
{
    isFocus_ = false;
    redraw();
}
