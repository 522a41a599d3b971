#include "ImageIcon.h"

#include "GraphicsContext.h"
#include "ImageView.h"
#include "QtCoordinates.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace platform::ui {

namespace {

QImage withOutline(const QImage& bitmap)
{
    QImage ringed(bitmap.size(), QImage::Format_ARGB32_Premultiplied);
    ringed.fill(Qt::transparent);
    QPainter painter(&ringed);
    const int width = std::max(1, bitmap.width() / 16);
    for (int dx = -width; dx <= width; dx += width)
        for (int dy = -width; dy <= width; dy += width)
            painter.drawImage(dx, dy, bitmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(ringed.rect(), QColor(255, 255, 255, 235));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, bitmap);
    return ringed;
}

} // namespace

QIcon iconFromImage(const Image& image, bool outlined)
{
    QIcon icon;
    if (image.isNull())
        return icon;
    for (const int side : {16, 22, 24, 32, 48, 64}) {
        QImage bitmap(side, side, QImage::Format_ARGB32_Premultiplied);
        bitmap.fill(Qt::transparent);
        {
            QPainter painter(&bitmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setTransform(QtCoordinates::drawingTransform(side, false));
            GraphicsContext context(painter, false);
            CurrentContextScope current(context);
            image.drawInRect(ImageView::imageRect(image.size(), {double(side), double(side)},
                                                  ImageScaling::ProportionallyUpOrDown));
        }
        icon.addPixmap(QPixmap::fromImage(outlined ? withOutline(bitmap) : bitmap));
    }
    return icon;
}

} // namespace platform::ui
