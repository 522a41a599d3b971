#pragma once

#include "platform/ui/ImageView.h"

// An image view clipped to a rounded rectangle with a thin border, as a layer-backed image
// view with a corner radius and a border width shows it. A corner radius of half the width
// makes a square view a circle.
class RoundedImageView : public platform::ui::ImageView {
public:
    using ImageView::ImageView;

    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius);
    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double width);

    void drawRect(const platform::ui::Rect& dirtyRect) override;

private:
    double cornerRadius_ = 0;
    double borderWidth_ = 0;
};
