#include "AMAppItem.h"

AMAppItem::AMAppItem() : date(QDateTime::currentDateTime()) {}

AMAppItem::AMAppItem(platform::WorkspaceIcon image, QString name, QString path, QString bundleID,
                     QString bundleVersion, QDateTime date, QString isSystemAppStr, QString size)
    : image(std::move(image))
    , name(std::move(name))
    , path(std::move(path))
    , bundleID(std::move(bundleID))
    , bundleVersion(std::move(bundleVersion))
    , date(std::move(date))
    , isSystemAppStr(std::move(isSystemAppStr))
    , size(std::move(size))
{
}

std::shared_ptr<AMAppItem> AMAppItem::copy() const
{
    return std::make_shared<AMAppItem>(image, name, path, bundleID, bundleVersion, date, isSystemAppStr, size);
}
