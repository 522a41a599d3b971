#include "WorkspaceIconImage.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>

namespace platform::ui {

namespace {

Image imageFromFile(const QString& path, int side)
{
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    const QSize natural = reader.size();
    // Drawings are drawn at the size asked for rather than rasterised large and shrunk.
    if (natural.isValid() && (natural.width() > side || natural.height() > side))
        reader.setScaledSize(natural.scaled(side, side, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.width() > side || image.height() > side)
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return Image::fromQImage(image);
}

Image imageFromTheme(const QString& name, int side)
{
    // Theme pictures are pixmaps, which need the GUI.
    if (name.isEmpty() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    const QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull())
        return {};
    return Image::fromQImage(icon.pixmap(QSize(side, side)).toImage());
}

} // namespace

Image imageForWorkspaceIcon(const WorkspaceIcon& icon, int side)
{
    if (Image image = imageFromFile(icon.filePath, side); !image.isNull())
        return image;
    if (Image image = imageFromTheme(icon.themeName, side); !image.isNull())
        return image;
    if (Image image = imageFromTheme(icon.fallbackThemeName, side); !image.isNull())
        return image;
    return imageFromFile(icon.fallbackFilePath, side);
}

} // namespace platform::ui
