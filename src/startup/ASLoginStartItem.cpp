#include "ASLoginStartItem.h"

ASLoginStartItem::ASLoginStartItem()
    : date_(QDateTime::currentDateTime())
{
}

ASLoginStartItem::ASLoginStartItem(platform::ui::Image image, QString name, QString path, QString bundleID,
                                   QString bundleVersion, QString fileSize, QDateTime date, QString isSystemAppStr,
                                   uint64_t fileSizeNum)
    : image_(std::move(image))
    , name_(std::move(name))
    , path_(std::move(path))
    , bundleID_(std::move(bundleID))
    , bundleVersion_(std::move(bundleVersion))
    , fileSize_(std::move(fileSize))
    , date_(std::move(date))
    , isSystemAppStr_(std::move(isSystemAppStr))
    , fileSizeNum_(fileSizeNum)
{
}

ASLoginStartItem::ASLoginStartItem(const ASLoginStartItem& other)
    : ASLoginStartItem(other.image_, other.name_, other.path_, other.bundleID_, other.bundleVersion_, other.fileSize_,
                       other.date_, other.isSystemAppStr_, other.fileSizeNum_)
{
}
