#pragma once

#include "Image.h"
#include "View.h"

namespace platform::ui {

enum class ImageScaling { ProportionallyDown = 0, AxesIndependently = 1, None = 2, ProportionallyUpOrDown = 3 };

// Shows one image centred in its bounds. A drag that starts on it may move a window that is
// movable by its background.
class ImageView : public View {
public:
    explicit ImageView(const Rect& frame = {});

    const Image& image() const { return image_; }
    void setImage(const Image& image);
    void setImageScaling(ImageScaling scaling);

    bool mouseDownCanMoveWindow() const override { return true; }
    void drawRect(const Rect& dirtyRect) override;

    // Where the image is drawn inside bounds of that size.
    static Rect imageRect(Size imageSize, Size bounds, ImageScaling scaling);

private:
    Image image_;
    ImageScaling scaling_ = ImageScaling::ProportionallyDown;
};

} // namespace platform::ui
