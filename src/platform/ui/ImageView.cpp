#include "ImageView.h"

#include <algorithm>

namespace platform::ui {

ImageView::ImageView(const Rect& frame)
    : View(frame)
{
}

void ImageView::setImage(const Image& image)
{
    image_ = image;
    setNeedsDisplay();
}

void ImageView::setImageScaling(ImageScaling scaling)
{
    scaling_ = scaling;
    setNeedsDisplay();
}

Rect ImageView::imageRect(Size imageSize, Size bounds, ImageScaling scaling)
{
    Size size = imageSize;
    if (scaling == ImageScaling::AxesIndependently)
        return Rect({0, 0}, bounds);
    if (scaling != ImageScaling::None && imageSize.width > 0 && imageSize.height > 0) {
        double factor = std::min(bounds.width / imageSize.width, bounds.height / imageSize.height);
        if (scaling == ImageScaling::ProportionallyDown)
            factor = std::min(factor, 1.0);
        size = {imageSize.width * factor, imageSize.height * factor};
    }
    return Rect((bounds.width - size.width) / 2, (bounds.height - size.height) / 2, size.width, size.height);
}

void ImageView::drawRect(const Rect&)
{
    if (image_.isNull())
        return;
    image_.drawInRect(imageRect(image_.size(), bounds().size, scaling_));
}

} // namespace platform::ui
