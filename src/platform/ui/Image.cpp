#include "Image.h"

#include "GraphicsContext.h"
#include "QtCoordinates.h"

#include "platform/Platform.h"
#include "platform/bundle/Bundle.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace platform::ui {

struct Image::Data {
    QString name;
    Size size;
    QImage bitmap;                      // when the image is (or became) a bitmap
    std::unique_ptr<QSvgRenderer> svg;  // a named image until something draws into it
    std::vector<QImage> rendered;       // the vector image drawn at the pixel sizes asked for
    std::unique_ptr<QPainter> focusPainter;
    std::unique_ptr<GraphicsContext> focusContext;
};

namespace {

// At least one pixel, so that an empty image can still be drawn into.
QImage transparentBitmap(Size size)
{
    const int w = std::max(1, int(std::ceil(size.width)));
    const int h = std::max(1, int(std::ceil(size.height)));
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// How many sizes of one vector image are kept; the program draws each at one or two sizes.
constexpr std::size_t kRenderedSizes = 4;

// The target's size in pixels when the painter only moves and scales (upright) and the target
// falls on whole pixels, where a picture drawn beforehand lands exactly as drawing it there.
std::optional<QSize> wholePixels(const QPainter& painter, const QRectF& target)
{
    const QTransform transform = painter.combinedTransform();
    if (transform.type() > QTransform::TxScale || transform.m11() <= 0 || transform.m22() <= 0)
        return std::nullopt;
    const QRectF device = transform.mapRect(target);
    const QRect whole = device.toRect();
    if (whole.isEmpty() || QRectF(whole) != device)
        return std::nullopt;
    return whole.size();
}

} // namespace

Image::Image(Size size)
    : d_(std::make_shared<Data>())
{
    d_->size = size;
    d_->bitmap = transparentBitmap(size);
}

Image Image::imageNamed(const QString& name)
{
    const QString path = Platform::current().bundle->pathForResource(name, QStringLiteral("svg"));
    if (path.isEmpty())
        return {};
    static QHash<QString, Image> cache; // main thread, like every image lookup by name
    if (auto it = cache.constFind(path); it != cache.constEnd())
        return *it;
    auto renderer = std::make_unique<QSvgRenderer>(path);
    if (!renderer->isValid())
        return {};
    auto data = std::make_shared<Data>();
    data->name = name;
    const QSizeF natural = renderer->defaultSize();
    data->size = {natural.width(), natural.height()};
    data->svg = std::move(renderer);
    Image image(std::move(data));
    cache.insert(path, image);
    return image;
}

Image Image::fromQImage(const QImage& image)
{
    if (image.isNull())
        return {};
    auto data = std::make_shared<Data>();
    data->size = {double(image.width()), double(image.height())};
    data->bitmap = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return Image(std::move(data));
}

Image Image::imageWithData(const QByteArray& data)
{
    return fromQImage(QImage::fromData(data));
}

Size Image::size() const
{
    return d_ ? d_->size : Size{};
}

QString Image::name() const
{
    return d_ ? d_->name : QString();
}

void Image::rasterize() const
{
    if (!d_->svg)
        return;
    QImage bitmap = transparentBitmap(d_->size);
    {
        QPainter painter(&bitmap);
        d_->svg->render(&painter, QRectF(0, 0, d_->size.width, d_->size.height));
    }
    d_->bitmap = bitmap;
    d_->svg.reset();
    d_->rendered.clear();
}

void Image::lockFocus()
{
    if (!d_ || d_->focusPainter)
        return;
    rasterize();
    d_->focusPainter = std::make_unique<QPainter>(&d_->bitmap);
    d_->focusPainter->setRenderHint(QPainter::Antialiasing);
    d_->focusPainter->setTransform(QtCoordinates::drawingTransform(d_->size.height, false));
    d_->focusContext = std::make_unique<GraphicsContext>(*d_->focusPainter, false);
    GraphicsContext::push(d_->focusContext.get());
}

void Image::unlockFocus()
{
    if (!d_ || !d_->focusPainter)
        return;
    GraphicsContext::pop(d_->focusContext.get());
    d_->focusContext.reset();
    d_->focusPainter->end();
    d_->focusPainter.reset();
}

void Image::drawInRect(const Rect& rect) const
{
    drawInRect(rect, Rect(), CompositingOperation::SourceOver, 1.0, true);
}

void Image::drawInRect(const Rect& rect, const Rect& fromRect, CompositingOperation operation, double fraction,
                       bool respectFlipped) const
{
    GraphicsContext* context = GraphicsContext::currentContext();
    if (!d_ || !context || rect.width() <= 0 || rect.height() <= 0)
        return;
    QPainter& painter = context->painter();
    painter.save();
    painter.setCompositionMode(GraphicsContext::qtCompositionMode(operation));
    painter.setOpacity(painter.opacity() * std::clamp(fraction, 0.0, 1.0));
    if (!(context->isFlipped() && respectFlipped))
        painter.setTransform(QtCoordinates::uprightIn(rect), true);
    const QRectF target(rect.minX(), rect.minY(), rect.width(), rect.height());
    const bool whole = fromRect.width() <= 0 || fromRect.height() <= 0;
    if (d_->svg && whole) {
        // Vector images are drawn once per size and kept: the start menu draws the same icons
        // at every build.
        if (const std::optional<QSize> pixels = wholePixels(painter, target))
            painter.drawImage(target, renderedAt(*pixels));
        else
            d_->svg->render(&painter, target);
    } else {
        if (d_->svg)
            rasterize();
        QRectF source(0, 0, d_->bitmap.width(), d_->bitmap.height());
        if (!whole)
            source = QtCoordinates::rectInImage(fromRect, d_->size.height);
        painter.drawImage(target, d_->bitmap, source);
    }
    painter.restore();
}

const QImage& Image::renderedAt(QSize pixels) const
{
    std::vector<QImage>& rendered = d_->rendered;
    for (const QImage& image : rendered)
        if (image.size() == pixels)
            return image;
    if (rendered.size() == kRenderedSizes)
        rendered.erase(rendered.begin());
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        d_->svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    rendered.push_back(std::move(image));
    return rendered.back();
}

QImage Image::toQImage() const
{
    if (!d_)
        return {};
    if (d_->svg) {
        QImage bitmap = transparentBitmap(d_->size);
        QPainter painter(&bitmap);
        d_->svg->render(&painter, QRectF(0, 0, d_->size.width, d_->size.height));
        return bitmap;
    }
    return d_->bitmap;
}

} // namespace platform::ui
