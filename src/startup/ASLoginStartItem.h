#pragma once

#include "platform/ui/Image.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>

// One row of the Startup Items tab. A copy carries every field but the two flags, which start
// false, as a new record's do.
class ASLoginStartItem {
public:
    ASLoginStartItem();
    ASLoginStartItem(platform::ui::Image image, QString name, QString path, QString bundleID, QString bundleVersion,
                     QString fileSize, QDateTime date, QString isSystemAppStr, uint64_t fileSizeNum);
    ASLoginStartItem(const ASLoginStartItem& other);
    ASLoginStartItem& operator=(const ASLoginStartItem&) = delete;

    bool isSystemApp() const { return isSystemApp_; }
    void setIsSystemApp(bool value) { isSystemApp_ = value; } // kept: named by the design, no caller yet
    bool bIsSelected() const { return bIsSelected_; }
    void setBIsSelected(bool value) { bIsSelected_ = value; } // kept: named by the design, no caller yet
    const platform::ui::Image& image() const { return image_; }
    void setImage(const platform::ui::Image& image) { image_ = image; }
    const QString& name() const { return name_; }
    void setName(const QString& name) { name_ = name; }
    const QString& path() const { return path_; }
    void setPath(const QString& path) { path_ = path; }
    const QString& bundleID() const { return bundleID_; }
    void setBundleID(const QString& bundleID) { bundleID_ = bundleID; } // kept: named by the design, no caller yet
    const QString& bundleVersion() const { return bundleVersion_; }
    void setBundleVersion(const QString& bundleVersion) { bundleVersion_ = bundleVersion; } // kept: named by the design, no caller yet
    const QString& fileSize() const { return fileSize_; }
    void setFileSize(const QString& fileSize) { fileSize_ = fileSize; } // kept: named by the design, no caller yet
    const QDateTime& date() const { return date_; }
    void setDate(const QDateTime& date) { date_ = date; } // kept: named by the design, no caller yet
    const QString& isSystemAppStr() const { return isSystemAppStr_; }
    void setIsSystemAppStr(const QString& text) { isSystemAppStr_ = text; } // kept: named by the design, no caller yet
    uint64_t fileSizeNum() const { return fileSizeNum_; }
    void setFileSizeNum(uint64_t value) { fileSizeNum_ = value; } // kept: named by the design, no caller yet

private:
    bool isSystemApp_ = false;
    bool bIsSelected_ = false;
    platform::ui::Image image_;
    QString name_;
    QString path_;
    QString bundleID_;
    QString bundleVersion_;
    QString fileSize_;
    QDateTime date_;
    QString isSystemAppStr_;
    uint64_t fileSizeNum_ = 0;
};

using ASLoginStartItemPtr = std::shared_ptr<ASLoginStartItem>;
