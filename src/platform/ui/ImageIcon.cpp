#include "ImageIcon.h"

#include "GraphicsContext.h"
#include "ImageView.h"
#include "QtCoordinates.h"

#include <QPainter>
#include <QPixmap>

namespace platform::ui {

QIcon iconFromImage(const Image& image)
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
        icon.addPixmap(QPixmap::fromImage(bitmap));
    }
    return icon;
}

} // namespace platform::ui
