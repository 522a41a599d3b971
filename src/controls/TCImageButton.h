#pragma once

#include "StateImageButton.h"
#include "TCImageButtonDelegate.h"

// A four-image button with a centred title two points up, drawn from a part of its images.
// No tool uses it; it is part of the control set.
class TCImageButton : public StateImageButton {
public:
    using StateImageButton::StateImageButton;

    // A new label replaces the previous one; the images then fill `frame`'s size less four
    // points of width.
    void setTextWithName(const QString& title, const platform::ui::Rect& frame);

    // Not owned.
    TCImageButtonDelegate* delegate() const { return delegate_; }
    void setDelegate(TCImageButtonDelegate* delegate) { delegate_ = delegate; }

protected:
    platform::ui::Color labelColorFor(ImageButtonLook look) const override;
    void imagesLoaded() override;
    void drawStateImage(const platform::ui::Image& image) const override;
    void redraw() override { setNeedsDisplay(); }
    void clickTracked(const platform::ui::Event& mouseDown) override;

private:
    TCImageButtonDelegate* delegate_ = nullptr;
};
