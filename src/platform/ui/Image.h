#pragma once

#include "Geometry.h"

#include <QImage>
#include <QString>

#include <memory>

namespace platform::ui {

// How a drawn image or fill combines with what is already there (the Mac's compositing
// operations, with their numbers).
enum class CompositingOperation {
    Clear = 0,
    Copy = 1,
    SourceOver = 2,
    SourceIn = 3,
    SourceOut = 4,
    SourceAtop = 5,
    DestinationOver = 6,
    DestinationIn = 7,
    DestinationOut = 8,
    DestinationAtop = 9,
    XOR = 10,
};

// An image handle. Copies refer to the same image, as object references do on the Mac; a
// default-constructed handle is "no image". Named images are the bundle's SVG resources,
// drawn as vectors at any size; images made with a size are bitmaps that can be drawn into
// with lockFocus/unlockFocus.
class Image {
public:
    Image() = default;
    // An empty (transparent) image of that size in points.
    explicit Image(Size size);

    // The bundle resource "<name>.svg", the same image for the same name; no image when
    // there is none or it cannot be read.
    static Image imageNamed(const QString& name);
    // A bitmap, for the platform areas that produce pictures (icons, user pictures).
    static Image fromQImage(const QImage& image);
    // A picture stored in any format the platform reads (PNG, JPEG, ...); no image when the
    // data is not one.
    static Image imageWithData(const QByteArray& data);

    bool isNull() const { return !d_; }
    Size size() const;
    QString name() const;

    // Makes this image the current drawing context, unflipped, until unlockFocus. A named
    // (vector) image becomes a bitmap of its size first.
    void lockFocus();
    void unlockFocus();

    // Draws the whole image scaled into `rect` in the current context, upright whether or
    // not the context is flipped.
    void drawInRect(const Rect& rect) const;
    // `fromRect` is in the image's own coordinates (origin bottom left); a zero rectangle
    // means the whole image. Without `respectFlipped` the image is drawn as the unflipped
    // space has it, so it comes out upside down in a flipped context, as on the Mac.
    void drawInRect(const Rect& rect, const Rect& fromRect, CompositingOperation operation, double fraction,
                    bool respectFlipped = false) const;

    // The pixels at the image's size (named images are rendered); for tests and the layer.
    QImage toQImage() const;

    // Identity, as for object references.
    bool operator==(const Image& other) const { return d_ == other.d_; }

private:
    struct Data;
    explicit Image(std::shared_ptr<Data> data) : d_(std::move(data)) {}
    void rasterize() const;
    // The vector image drawn at that pixel size, kept for the next draw at the same size.
    const QImage& renderedAt(QSize pixels) const;

    std::shared_ptr<Data> d_;
};

} // namespace platform::ui
