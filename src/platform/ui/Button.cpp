#include "Button.h"

#include "Event.h"

namespace platform::ui {

Button::Button(const Rect& frame)
    : View(frame)
    , cell_(std::make_unique<ButtonCell>())
{
}

std::unique_ptr<Button> Button::buttonWithTitle(const QString& title, Action action)
{
    auto button = std::make_unique<Button>();
    button->setTitle(title);
    button->setAction(std::move(action));
    const Size size = button->cell()->cellSize();
    button->setFrameSize(size);
    return button;
}

void Button::setTitle(const QString& title)
{
    cell_->setTitle(title);
    setNeedsDisplay();
}

void Button::setAttributedTitle(const AttributedString& title)
{
    cell_->setAttributedTitle(title);
    setNeedsDisplay();
}

void Button::setImage(const Image& image)
{
    cell_->setImage(image);
    setNeedsDisplay();
}

void Button::setAlternateImage(const Image& image)
{
    cell_->setAlternateImage(image);
    setNeedsDisplay();
}

void Button::setImagePosition(CellImagePosition position)
{
    cell_->setImagePosition(position);
    setNeedsDisplay();
}

void Button::setImageScaling(ImageScaling scaling)
{
    cell_->setImageScaling(scaling);
    setNeedsDisplay();
}

void Button::setAlignment(TextAlignment alignment)
{
    cell_->setAlignment(alignment);
    setNeedsDisplay();
}

void Button::setButtonType(ButtonType type)
{
    cell_->setButtonType(type);
    setNeedsDisplay();
}

void Button::setBordered(bool bordered)
{
    cell_->setBordered(bordered);
    setNeedsDisplay();
}

void Button::setBezelStyle(BezelStyle style)
{
    cell_->setBezelStyle(style);
    setNeedsDisplay();
}

void Button::setEnabled(bool enabled)
{
    cell_->setEnabled(enabled);
    if (!enabled && tracking_) {
        tracking_ = false;
        cell_->setHighlighted(false);
    }
    setNeedsDisplay();
}

void Button::highlight(bool flag)
{
    if (cell_->isHighlighted() == flag)
        return;
    cell_->setHighlighted(flag);
    setNeedsDisplay();
}

void Button::sendAction()
{
    if (action_) {
        const Action action = action_; // the action may replace itself or end the button
        action(*this);
    }
}

void Button::performClick()
{
    if (!isEnabled())
        return;
    cell_->performClickState();
    setNeedsDisplay();
    sendAction();
}

void Button::drawRect(const Rect&)
{
    cell_->drawWithFrame(bounds(), *this);
}

bool Button::containsEvent(const Event& event) const
{
    return bounds().containsPoint(convertPointFromView(event.locationInWindow(), nullptr));
}

void Button::mouseDown(const Event&)
{
    if (!isEnabled())
        return;
    tracking_ = true;
    highlight(true);
}

void Button::mouseDragged(const Event& event)
{
    if (tracking_)
        highlight(containsEvent(event));
}

void Button::mouseUp(const Event& event)
{
    if (!tracking_) {
        View::mouseUp(event);
        return;
    }
    tracking_ = false;
    highlight(false);
    if (isEnabled() && containsEvent(event))
        performClick();
}

} // namespace platform::ui
