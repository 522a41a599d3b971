#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace platform {

// Property lists as QVariant trees: dictionary = QVariantMap, array = QVariantList,
// string = QString, integer = qint64, real = double, boolean = bool,
// date = QDateTime (UTC), data = QByteArray. Anything unreadable gives an invalid QVariant.
class PropertyListSerialization {
public:
    enum class Format { Xml, Binary };

    // Larger input is refused unread: no property list of this program comes near it.
    static constexpr qint64 kMaximumSize = 64 * 1024 * 1024;

    virtual ~PropertyListSerialization() = default;

    virtual QVariant propertyListFromData(const QByteArray& data) const = 0;
    virtual QVariant propertyListFromFile(const QString& path) const = 0;
    virtual QByteArray dataFromPropertyList(const QVariant& plist, Format format) const = 0;
    // Replaces the file in one step: a reader sees the old or the new contents, never a mix.
    virtual bool writeToFile(const QVariant& plist, const QString& path,
                             Format format = Format::Xml) const = 0;
};

} // namespace platform
