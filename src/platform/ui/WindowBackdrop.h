#pragma once

#include <QImage>
#include <QRegion>

namespace platform::ui {

// What a translucent window shows behind its own background where the desktop blurs nothing
// for it. Works on premultiplied images of the window's size; the window's shape is where its
// background is not fully transparent.
class WindowBackdrop {
public:
    // How the desktop shows a window's transparent pixels.
    enum class Desktop {
        BlurBehind,  // composited, and it blurs what lies behind a window that asks
        Translucent, // composited, no blur: the window paints a blurred copy itself
        Opaque,      // no compositor: transparent pixels show black, so the window is shaped
    };

    // `beneath` blurred so strongly (the radius in points, as the Mac's window server takes
    // it) that no text or edge of it can be read.
    static QImage blurred(const QImage& beneath, int radius);
    // The background over what lies beneath (null: nothing), over the background's own colour
    // made opaque: inside the shape every pixel is opaque, outside it stays transparent.
    static QImage composed(const QImage& background, const QImage& beneath);
    // The pixels of a composed image's shape, for the desktop's mask and blur region.
    static QRegion shape(const QImage& composed);
};

} // namespace platform::ui
