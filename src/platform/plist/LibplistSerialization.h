#pragma once

#include "PropertyListSerialization.h"

namespace platform {

class LibplistSerialization : public PropertyListSerialization {
public:
    QVariant propertyListFromData(const QByteArray& data) const override;
    QVariant propertyListFromFile(const QString& path) const override;
    QByteArray dataFromPropertyList(const QVariant& plist, Format format) const override;
    bool writeToFile(const QVariant& plist, const QString& path,
                     Format format = Format::Xml) const override;
};

} // namespace platform
