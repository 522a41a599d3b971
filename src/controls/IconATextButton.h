#pragma once

#include "IconATextButtonDelegate.h"
#include "StateImageButton.h"

// A four-image button with a left-aligned title 20 points in, drawn at its normal image's size.
// No tool uses it; it is part of the control set.
class IconATextButton : public StateImageButton {
public:
    using StateImageButton::StateImageButton;

    // A new label replaces the previous one; the images then fill `frame`'s size.
    void setTextWithName(const QString& title, const platform::ui::Rect& frame);

    // Not owned.
    IconATextButtonDelegate* delegate() const { return delegate_; }
    void setDelegate(IconATextButtonDelegate* delegate) { delegate_ = delegate; }

protected:
    platform::ui::Color labelColorFor(ImageButtonLook look) const override;
    void imagesLoaded() override;
    void redraw() override { setNeedsDisplay(); }
    void clickTracked(const platform::ui::Event& mouseDown) override;

private:
    IconATextButtonDelegate* delegate_ = nullptr;
};
