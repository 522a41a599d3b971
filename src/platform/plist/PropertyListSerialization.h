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
    // Deeper nesting is refused (the root is at depth 0): hostile files must not exhaust the stack.
    static constexpr int kMaximumDepth = 256;
    // More values than this (keys included, a shared object counted once per reference) are refused:
    // a large real list holds tens of thousands; libplist spends a few hundred bytes on each, and its
    // XML writer slows down sharply past this.
    static constexpr qint64 kMaximumNodes = 1 << 16;

    virtual ~PropertyListSerialization() = default;

    virtual QVariant propertyListFromData(const QByteArray& data) const = 0;
    virtual QVariant propertyListFromFile(const QString& path) const = 0;
    virtual QByteArray dataFromPropertyList(const QVariant& plist, Format format) const = 0;
    // Replaces the file in one step: a reader sees the old or the new contents, never a mix.
    virtual bool writeToFile(const QVariant& plist, const QString& path,
                             Format format = Format::Xml) const = 0;
};

} // namespace platform
