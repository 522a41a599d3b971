#pragma once

#include "platform/MacTypes.h"
#include "platform/files/FileCatalog.h" // fnfErr

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace platform {

using FourCharCode = OSType;
using DescType = FourCharCode;
using AEKeyword = FourCharCode;
using AEEventClass = FourCharCode;
using AEEventID = FourCharCode;
using AESendMode = int32_t;

// Results of the Apple Event Manager and its neighbours.
constexpr OSErr procNotFound = -600;
constexpr OSErr connectionInvalid = -609;
constexpr OSErr errAECoercionFail = -1700;
constexpr OSErr errAEDescNotFound = -1701;
constexpr OSErr errAEWrongDataType = -1703;
constexpr OSErr errAEEventNotHandled = -1708;
constexpr OSErr errAETimeout = -1712;
constexpr OSErr errAENoSuchObject = -1728;
constexpr OSErr coreFoundationUnknownErr = -4960;
constexpr OSErr errAEEventFailed = -10000;

constexpr AESendMode kAENoReply = 1;
constexpr AESendMode kAEWaitReply = 3;

inline constexpr DescType typeNull = fourCharCode("null");
inline constexpr DescType typeWildCard = fourCharCode("****");
inline constexpr DescType typeAEList = fourCharCode("list");
inline constexpr DescType typeAERecord = fourCharCode("reco");
inline constexpr DescType typeObjectSpecifier = fourCharCode("obj ");
inline constexpr DescType typeInsertionLoc = fourCharCode("insl");
inline constexpr DescType typeUTF8Text = fourCharCode("utf8");
inline constexpr DescType typeUnicodeText = fourCharCode("utxt");
inline constexpr DescType typeBoolean = fourCharCode("bool");
inline constexpr DescType typeType = fourCharCode("type");
inline constexpr DescType typeEnumerated = fourCharCode("enum");
inline constexpr DescType typeSInt32 = fourCharCode("long");
inline constexpr DescType typeSInt16 = fourCharCode("shor");
inline constexpr DescType typeAbsoluteOrdinal = fourCharCode("abso");
inline constexpr DescType typeProcessSerialNumber = fourCharCode("psn ");
inline constexpr AEKeyword keyDirectObject = fourCharCode("----");
inline constexpr AEKeyword keyErrorNumber = fourCharCode("errn");

// A descriptor: typed data, a list of descriptors ('list') or keyed descriptors (a record and
// what is built as one: object specifiers, insertion locations). Text is kept as UTF-8 under
// both text types.
struct AEKeyedDesc;

struct AEDesc {
    DescType descriptorType = typeNull;
    QByteArray data;
    std::vector<AEDesc> items;
    std::vector<AEKeyedDesc> fields;
};

// One field of a record.
struct AEKeyedDesc {
    AEKeyword key = 0;
    AEDesc desc;
};

// An event, or the reply to one (a null reply has no class).
struct AppleEvent {
    AEEventClass eventClass = 0;
    AEEventID eventID = 0;
    AEDesc target;
    AEDesc parameters{typeAERecord, {}, {}, {}};

    bool isNull() const { return eventClass == 0; }
};

struct ProcessSerialNumber {
    uint32_t highLongOfPSN = 0;
    uint32_t lowLongOfPSN = 0;
    bool operator==(const ProcessSerialNumber&) const = default;
};

AEDesc AECreateDesc(DescType type, const QByteArray& data);
AEDesc AECreateList(bool isRecord);
// Each of these holds its value as the Mac lays it out (numbers in the machine's byte order).
AEDesc descriptorWithCode(DescType type, FourCharCode code);
AEDesc descriptorWithBoolean(bool value);
AEDesc descriptorWithInt32(int32_t value);
AEDesc descriptorWithInt16(int16_t value);
AEDesc descriptorWithText(DescType type, const QString& text);
AEDesc descriptorWithProcess(const ProcessSerialNumber& psn);

// Puts a keyed descriptor into a record (replacing one under the same key).
OSErr AEPutKeyDesc(AEDesc& record, AEKeyword key, const AEDesc& value);
// The keyed descriptor coerced to `desiredType` (typeWildCard: as it is).
OSErr AEGetKeyDesc(const AEDesc& record, AEKeyword key, DescType desiredType, AEDesc& result);
OSErr AEPutDesc(AEDesc& list, const AEDesc& value);
OSErr AECountItems(const AEDesc& list, long& count);
// The 1-based `index`th item coerced to `desiredType`.
OSErr AEGetNthDesc(const AEDesc& list, long index, DescType desiredType, AEDesc& result);
// Same type, text to text, and a record to an insertion location or object specifier.
OSErr AECoerceDesc(const AEDesc& desc, DescType toType, AEDesc& result);
OSErr CreateObjSpecifier(DescType desiredClass, const AEDesc& container, DescType keyForm, const AEDesc& keyData,
                         AEDesc& result);
void AEDisposeDesc(AEDesc& desc);

OSErr AECreateAppleEvent(AEEventClass eventClass, AEEventID eventID, const AEDesc& target, AppleEvent& result);
OSErr AEPutParamDesc(AppleEvent& event, AEKeyword key, const AEDesc& value);
OSErr AEGetParamDesc(const AppleEvent& event, AEKeyword key, DescType desiredType, AEDesc& result);

// The values of scalar descriptors; nothing when the data does not have the type's size.
std::optional<int32_t> int32Value(const AEDesc& desc);
std::optional<int16_t> int16Value(const AEDesc& desc);
std::optional<FourCharCode> codeValue(const AEDesc& desc);
std::optional<bool> booleanValue(const AEDesc& desc);
QString textValue(const AEDesc& desc);

} // namespace platform
