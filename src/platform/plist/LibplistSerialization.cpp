#include "LibplistSerialization.h"

#include "BinaryPropertyListScanner.h"
#include "XmlPropertyListScanner.h"
#include "platform/files/RegularFile.h"
#include "platform/log/SystemLog.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <plist/plist.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace platform {

namespace {

constexpr int kMaximumDepth = PropertyListSerialization::kMaximumDepth;

// Seconds between 1970-01-01 and 2001-01-01, the epoch of property-list dates.
constexpr qint64 kPlistEpochOffset = 978307200;

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

// Nothing when the list cannot be read at all. An invalid QVariant is a value left out (a string
// holding a zero character): a dictionary drops its entry, as if the key were missing, and an array
// drops the item, keeping the others in order.
std::optional<QVariant> toVariant(plist_t node, int depth)
{
    if (!node || depth > kMaximumDepth)
        return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return bool(value);
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        // libplist keeps every integer as 64 bits and writes them signed.
        return qint64(value);
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return value;
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        // libplist fails an assertion on such a string if asked for it as a C string.
        if (text && std::memchr(text, 0, length)) {
            NSLog(QStringLiteral("Property list: left out a string holding a zero character"));
            return QVariant();
        }
        return QString::fromUtf8(text ? text : "", text ? qsizetype(length) : 0);
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        return bytes ? QByteArray(bytes, qsizetype(length)) : QByteArray();
    }
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        qint64 ms = (qint64(seconds) + kPlistEpochOffset) * 1000 + microseconds / 1000;
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    }
    case PLIST_UID: {
        uint64_t value = 0;
        plist_get_uid_val(node, &value);
        return quint64(value);
    }
    case PLIST_ARRAY: {
        QVariantList list;
        list.reserve(plist_array_get_size(node));
        // By iterator: plist_array_get_item walks the list from its start each time.
        plist_array_iter it = nullptr;
        plist_array_new_iter(node, &it);
        std::unique_ptr<void, decltype(&std::free)> iterator(it, &std::free);
        for (;;) {
            plist_t child = nullptr;
            plist_array_next_item(node, it, &child);
            if (!child)
                break;
            std::optional<QVariant> item = toVariant(child, depth + 1);
            if (!item)
                return std::nullopt;
            if (item->isValid())
                list.append(*item);
        }
        return list;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        std::unique_ptr<void, decltype(&std::free)> iterator(it, &std::free);
        for (;;) {
            // This libplist has no length-aware read of keys: a key holding a zero character
            // fails its assertion. The scanners refuse such keys before parsing.
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!key)
                break;
            QString name = QString::fromUtf8(key);
            std::free(key);
            std::optional<QVariant> item = toVariant(value, depth + 1);
            if (!item)
                return std::nullopt;
            if (item->isValid())
                map.insert(name, *item);
        }
        return map;
    }
    default:
        return std::nullopt;
    }
}

plist_t fromVariant(const QVariant& value, int depth)
{
    if (depth > kMaximumDepth)
        return nullptr;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return plist_new_bool(value.toBool());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar: {
        // libplist keeps integers as 64-bit patterns and writes them signed.
        return plist_new_uint(uint64_t(value.toLongLong()));
    }
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::ULong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return plist_new_uint(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(value.toDouble());
    case QMetaType::QString: {
        // libplist takes C strings: a zero character would cut the text silently.
        const QString text = value.toString();
        if (text.contains(QChar(0))) {
            NSLog(QStringLiteral("Property list: refused to write a string holding a zero character"));
            return nullptr;
        }
        return plist_new_string(text.toUtf8().constData());
    }
    case QMetaType::QByteArray: {
        QByteArray bytes = value.toByteArray();
        return plist_new_data(bytes.constData(), uint64_t(bytes.size()));
    }
    case QMetaType::QDateTime: {
        qint64 ms = value.toDateTime().toMSecsSinceEpoch() - kPlistEpochOffset * 1000;
        qint64 seconds = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
        return plist_new_date(int32_t(seconds), int32_t((ms - seconds * 1000) * 1000));
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        PlistPtr array(plist_new_array());
        for (const QVariant& item : value.toList()) {
            plist_t node = fromVariant(item, depth + 1);
            if (!node)
                return nullptr;
            plist_array_append_item(array.get(), node);
        }
        return array.release();
    }
    case QMetaType::QVariantMap: {
        PlistPtr dict(plist_new_dict());
        const QVariantMap map = value.toMap();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            // A key cut at a zero character could overwrite another entry.
            if (it.key().contains(QChar(0))) {
                NSLog(QStringLiteral("Property list: refused to write a key holding a zero character"));
                return nullptr;
            }
            plist_t node = fromVariant(it.value(), depth + 1);
            if (!node)
                return nullptr;
            plist_dict_set_item(dict.get(), it.key().toUtf8().constData(), node);
        }
        return dict.release();
    }
    default:
        return nullptr;
    }
}

// In words, without the bounds' numbers: the stand-in tools pass these lines on to readers that
// search their output for digits.
QString refusal(PropertyListVerdict verdict)
{
    switch (verdict) {
    case PropertyListVerdict::TooDeep:
        return QStringLiteral("nested too deeply");
    case PropertyListVerdict::TooManyNodes:
        return QStringLiteral("too many values");
    case PropertyListVerdict::TooLarge:
        return QStringLiteral("too much text and data");
    case PropertyListVerdict::Cyclic:
        return QStringLiteral("an object contains itself");
    case PropertyListVerdict::ZeroCharacter:
        return QStringLiteral("a key or XML text holds a zero character");
    case PropertyListVerdict::Accepted:
    case PropertyListVerdict::Malformed:
        break;
    }
    return QStringLiteral("malformed");
}

} // namespace

QVariant LibplistSerialization::propertyListFromData(const QByteArray& data) const
{
    if (data.isEmpty() || data.size() > kMaximumSize)
        return {};
    // libplist recurses and expands shared objects, so only what the scanners bound reaches it.
    const bool binary = data.startsWith("bplist00");
    const PropertyListVerdict verdict
        = binary ? BinaryPropertyListScanner::scan(data) : XmlPropertyListScanner::scan(data);
    if (verdict != PropertyListVerdict::Accepted) {
        if (verdict != PropertyListVerdict::Malformed)
            NSLog(QStringLiteral("Property list refused: %1").arg(refusal(verdict)));
        return {};
    }
    plist_t root = nullptr;
    if (binary)
        plist_from_bin(data.constData(), uint32_t(data.size()), &root);
    else
        plist_from_xml(data.constData(), uint32_t(data.size()), &root);
    PlistPtr owner(root);
    return toVariant(root, 0).value_or(QVariant());
}

QVariant LibplistSerialization::propertyListFromFile(const QString& path) const
{
    const std::optional<QByteArray> data = readRegularFile(path, kMaximumSize);
    return data ? propertyListFromData(*data) : QVariant();
}

QByteArray LibplistSerialization::dataFromPropertyList(const QVariant& plist, Format format) const
{
    PlistPtr root(fromVariant(plist, 0));
    if (!root)
        return {};
    char* bytes = nullptr;
    uint32_t length = 0;
    if (format == Format::Binary) {
        plist_to_bin(root.get(), &bytes, &length);
        QByteArray result(bytes, qsizetype(length));
        plist_to_bin_free(bytes);
        return result;
    }
    plist_to_xml(root.get(), &bytes, &length);
    QByteArray result(bytes, qsizetype(length));
    plist_to_xml_free(bytes);
    return result;
}

bool LibplistSerialization::writeToFile(const QVariant& plist, const QString& path,
                                        Format format) const
{
    QByteArray data = dataFromPropertyList(plist, format);
    if (data.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(data);
    return file.commit();
}

} // namespace platform
