#include "WindowBackdrop.h"

#include <QBitmap>
#include <QPainter>

#include <algorithm>

namespace platform::ui {

QImage WindowBackdrop::blurred(const QImage& beneath, int radius)
{
    if (beneath.isNull() || radius <= 0)
        return beneath;
    // Averaging blocks of a sixteenth of the radius and spreading them back out leaves only
    // the broad colours: at the Mac's 400, blocks of 25 points, wider than any line of text.
    const int block = std::max(1, radius / 16);
    const QSize size = beneath.size();
    const QSize small(std::max(1, size.width() / block), std::max(1, size.height() / block));
    return beneath.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

namespace {

// The largest alpha of the image: the inside of a shape filled with a translucent colour.
int fullAlpha(const QImage& image)
{
    int most = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            most = std::max(most, qAlpha(row[x]));
    }
    return most;
}

} // namespace

QImage WindowBackdrop::composed(const QImage& background, const QImage& beneath)
{
    QImage out = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int full = fullAlpha(out);
    if (full == 0)
        return out;
    QImage under;
    if (!beneath.isNull())
        under = beneath.convertToFormat(QImage::Format_ARGB32_Premultiplied).scaled(out.size());
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* below = under.isNull() ? nullptr : reinterpret_cast<const QRgb*>(under.constScanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb px = row[x];
            const int a = qAlpha(px);
            if (a == 0)
                continue;
            // The shape's coverage, 255 inside; the edges keep their softness.
            const int cover = std::min(255, a * 255 / full);
            // The background's own colour, opaque, under what lies beneath.
            const QRgb colour = qUnpremultiply(px);
            int r = qRed(colour) * cover / 255, g = qGreen(colour) * cover / 255, b = qBlue(colour) * cover / 255;
            if (below) {
                const QRgb u = below[x];
                const int keep = 255 - qAlpha(u);
                r = (qRed(u) * cover + r * keep) / 255;
                g = (qGreen(u) * cover + g * keep) / 255;
                b = (qBlue(u) * cover + b * keep) / 255;
            }
            // The background over it.
            const int rest = 255 - a;
            row[x] = qRgba(qRed(px) + r * rest / 255, qGreen(px) + g * rest / 255, qBlue(px) + b * rest / 255,
                           a + cover * rest / 255);
        }
    }
    return out;
}

QRegion WindowBackdrop::shape(const QImage& composed)
{
    return QRegion(QBitmap::fromImage(composed.createAlphaMask(Qt::ThresholdAlphaDither)));
}

} // namespace platform::ui
