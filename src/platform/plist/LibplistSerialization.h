#pragma once

#include "PropertyListSerialization.h"

namespace platform {

// Property lists through libplist, XML and binary. Each input is scanned first, without
// recursion (`BinaryPropertyListScanner`, `XmlPropertyListScanner`), so libplist never meets what
// could exhaust it: more than 64 MiB of input, nesting deeper than 256, more than 65 536 values or
// 64 MiB of text and data (a shared object counted once per reference), a cycle, or a key holding
// a zero character is refused whole. A string holding a zero character is left out, as if
// missing, and logged. Writing goes through `QSaveFile` and refuses strings and keys with a zero
// character, so what is written always reads back.
class LibplistSerialization : public PropertyListSerialization {
public:
    QVariant propertyListFromData(const QByteArray& data) const override;
    QVariant propertyListFromFile(const QString& path) const override;
    QByteArray dataFromPropertyList(const QVariant& plist, Format format) const override;
    bool writeToFile(const QVariant& plist, const QString& path,
                     Format format = Format::Xml) const override;
};

} // namespace platform
