#include "AppleEventDescriptor.h"

#include <cstring>

namespace platform {

namespace {

template <typename Value>
AEDesc scalar(DescType type, Value value)
{
    return AECreateDesc(type, QByteArray(reinterpret_cast<const char*>(&value), sizeof value));
}

template <typename Value>
std::optional<Value> scalarValue(const AEDesc& desc)
{
    if (desc.data.size() != qsizetype(sizeof(Value)))
        return std::nullopt;
    Value value;
    std::memcpy(&value, desc.data.constData(), sizeof value);
    return value;
}

bool isText(DescType type)
{
    return type == typeUTF8Text || type == typeUnicodeText;
}

} // namespace

AEDesc AECreateDesc(DescType type, const QByteArray& data)
{
    return AEDesc{type, data, {}, {}};
}

AEDesc AECreateList(bool isRecord)
{
    return AEDesc{isRecord ? typeAERecord : typeAEList, {}, {}, {}};
}

AEDesc descriptorWithCode(DescType type, FourCharCode code)
{
    return scalar(type, code);
}

AEDesc descriptorWithBoolean(bool value)
{
    return scalar(typeBoolean, uint8_t(value ? 1 : 0));
}

AEDesc descriptorWithInt32(int32_t value)
{
    return scalar(typeSInt32, value);
}

AEDesc descriptorWithInt16(int16_t value)
{
    return scalar(typeSInt16, value);
}

AEDesc descriptorWithText(DescType type, const QString& text)
{
    return AECreateDesc(type, text.toUtf8());
}

AEDesc descriptorWithProcess(const ProcessSerialNumber& psn)
{
    return scalar(typeProcessSerialNumber, psn);
}

OSErr AEPutKeyDesc(AEDesc& record, AEKeyword key, const AEDesc& value)
{
    if (record.fields.empty() && !record.data.isEmpty())
        return errAEWrongDataType;
    for (auto& [existing, desc] : record.fields) {
        if (existing == key) {
            desc = value;
            return noErr;
        }
    }
    record.fields.push_back({key, value});
    return noErr;
}

OSErr AEGetKeyDesc(const AEDesc& record, AEKeyword key, DescType desiredType, AEDesc& result)
{
    for (const auto& [existing, desc] : record.fields)
        if (existing == key)
            return AECoerceDesc(desc, desiredType, result);
    return errAEDescNotFound;
}

OSErr AEPutDesc(AEDesc& list, const AEDesc& value)
{
    if (list.descriptorType != typeAEList)
        return errAEWrongDataType;
    list.items.push_back(value);
    return noErr;
}

OSErr AECountItems(const AEDesc& list, long& count)
{
    if (list.descriptorType == typeAEList)
        count = long(list.items.size());
    else if (list.descriptorType == typeAERecord)
        count = long(list.fields.size());
    else
        return errAEWrongDataType;
    return noErr;
}

OSErr AEGetNthDesc(const AEDesc& list, long index, DescType desiredType, AEDesc& result)
{
    if (list.descriptorType != typeAEList)
        return errAEWrongDataType;
    if (index < 1 || std::size_t(index) > list.items.size())
        return errAEDescNotFound;
    return AECoerceDesc(list.items[std::size_t(index - 1)], desiredType, result);
}

OSErr AECoerceDesc(const AEDesc& desc, DescType toType, AEDesc& result)
{
    const bool same = toType == typeWildCard || toType == desc.descriptorType;
    const bool text = isText(desc.descriptorType) && isText(toType);
    const bool fromRecord = desc.descriptorType == typeAERecord
        && (toType == typeInsertionLoc || toType == typeObjectSpecifier);
    if (!same && !text && !fromRecord)
        return errAECoercionFail;
    result = desc;
    if (!same)
        result.descriptorType = toType;
    return noErr;
}

OSErr CreateObjSpecifier(DescType desiredClass, const AEDesc& container, DescType keyForm, const AEDesc& keyData,
                         AEDesc& result)
{
    AEDesc specifier = AECreateList(true);
    AEPutKeyDesc(specifier, fourCharCode("want"), descriptorWithCode(typeType, desiredClass));
    AEPutKeyDesc(specifier, fourCharCode("from"), container);
    AEPutKeyDesc(specifier, fourCharCode("form"), descriptorWithCode(typeEnumerated, keyForm));
    AEPutKeyDesc(specifier, fourCharCode("seld"), keyData);
    specifier.descriptorType = typeObjectSpecifier;
    result = std::move(specifier);
    return noErr;
}

void AEDisposeDesc(AEDesc& desc)
{
    desc = AEDesc{};
}

OSErr AECreateAppleEvent(AEEventClass eventClass, AEEventID eventID, const AEDesc& target, AppleEvent& result)
{
    result = AppleEvent{eventClass, eventID, target, AECreateList(true)};
    return noErr;
}

OSErr AEPutParamDesc(AppleEvent& event, AEKeyword key, const AEDesc& value)
{
    return AEPutKeyDesc(event.parameters, key, value);
}

OSErr AEGetParamDesc(const AppleEvent& event, AEKeyword key, DescType desiredType, AEDesc& result)
{
    return AEGetKeyDesc(event.parameters, key, desiredType, result);
}

std::optional<int32_t> int32Value(const AEDesc& desc)
{
    return scalarValue<int32_t>(desc);
}

std::optional<int16_t> int16Value(const AEDesc& desc)
{
    return scalarValue<int16_t>(desc);
}

std::optional<FourCharCode> codeValue(const AEDesc& desc)
{
    return scalarValue<FourCharCode>(desc);
}

std::optional<bool> booleanValue(const AEDesc& desc)
{
    const std::optional<uint8_t> value = scalarValue<uint8_t>(desc);
    return value ? std::optional<bool>(*value != 0) : std::nullopt;
}

QString textValue(const AEDesc& desc)
{
    return isText(desc.descriptorType) ? QString::fromUtf8(desc.data) : QString();
}

} // namespace platform
