#include "SystemEventsLoginItems.h"

#include "platform/Platform.h"
#include "platform/appleevents/AppleEventSender.h"
#include "platform/loginitems/FileURL.h"

#include <QFileInfo>
#include <QtGlobal>

using namespace platform;

namespace {

constexpr OSType kSystemEventsCreator = fourCharCode("sevs");
constexpr DescType kLoginItem = fourCharCode("logi");
constexpr DescType kProperty = fourCharCode("prop");
constexpr DescType kIndexForm = fourCharCode("indx");
constexpr AEKeyword kPath = fourCharCode("ppth");
constexpr AEKeyword kHidden = fourCharCode("hidn");
// Five seconds, in ticks of a sixtieth of a second.
constexpr long kTimeoutTicks = 300;

OSErr findSystemEvents(AppleEventSender& sender, ProcessSerialNumber& psn)
{
    ProcessSerialNumber current;
    OSType signature = 0;
    OSErr error = noErr;
    while ((error = sender.GetNextProcess(current, signature)) == noErr) {
        if (signature == kSystemEventsCreator) {
            psn = current;
            return noErr;
        }
    }
    if (error != procNotFound)
        return error;
    return sender.LaunchApplicationWithCreator(kSystemEventsCreator, psn);
}

} // namespace

QUrl urlOfPath(const QString& path)
{
    FileReference ref;
    if (FSPathMakeRef(path, ref) == noErr)
        return fileURLFromPath(ref.path, QFileInfo(ref.path).isDir());
    return fileURLFromPath(path, false);
}

void AEDisposeDescQ(AEDesc& desc)
{
    AEDisposeDesc(desc);
}

OSStatus SendEventToSystemEventsWithParameters(bool, AEEventID eventID, AppleEvent* reply,
                                               std::initializer_list<AEParameter> parameters)
{
    AppleEventSender& sender = *Platform::current().appleEvents;
    ProcessSerialNumber psn;
    OSErr error = findSystemEvents(sender, psn);
    if (error != noErr)
        return error;
    AppleEvent event;
    AECreateAppleEvent(fourCharCode("core"), eventID, descriptorWithProcess(psn), event);
    for (const auto& [key, desc] : parameters) {
        if (!desc)
            qFatal("A parameter of an event to System Events has no descriptor");
        AEPutParamDesc(event, key, *desc);
    }
    AppleEvent answer;
    error = sender.AESend(event, answer, kAEWaitReply, kTimeoutTicks);
    if (error == noErr && !answer.isNull()) {
        AEDesc number;
        if (AEGetParamDesc(answer, keyErrorNumber, typeSInt16, number) == noErr)
            error = int16Value(number).value_or(errAEWrongDataType);
    }
    if (reply && error == noErr)
        *reply = std::move(answer);
    return error;
}

OSStatus SELICopyLoginItems(QList<QVariantMap>& items)
{
    if (!items.isEmpty())
        qFatal("SELICopyLoginItems needs an empty list");
    AEDesc every;
    AEDesc properties;
    CreateObjSpecifier(kLoginItem, AEDesc{}, kIndexForm, descriptorWithCode(typeAbsoluteOrdinal, fourCharCode("all ")),
                       every);
    CreateObjSpecifier(kProperty, every, kProperty, descriptorWithCode(typeType, fourCharCode("pALL")), properties);
    AppleEvent reply;
    OSStatus error = SendEventToSystemEventsWithParameters(false, fourCharCode("getd"), &reply,
                                                           {{keyDirectObject, &properties}});
    AEDesc list;
    if (error == noErr)
        error = AEGetParamDesc(reply, keyDirectObject, typeAEList, list);
    long count = 0;
    if (error == noErr)
        error = AECountItems(list, count);
    QList<QVariantMap> found;
    for (long n = 1; error == noErr && n <= count; ++n) {
        AEDesc record;
        AEDesc path;
        error = AEGetNthDesc(list, n, typeAERecord, record);
        if (error == noErr)
            error = AEGetKeyDesc(record, kPath, typeUTF8Text, path);
        if (error != noErr)
            break;
        // Paths are read whole: one cut at a buffer's end would name another file.
        const QUrl url = urlOfPath(textValue(path));
        if (!url.isValid()) {
            error = coreFoundationUnknownErr;
            break;
        }
        AEDesc hidden;
        const bool hide =
            AEGetKeyDesc(record, kHidden, typeBoolean, hidden) == noErr && booleanValue(hidden).value_or(false);
        found.append({{QStringLiteral("URL"), url}, {QStringLiteral("Hidden"), hide}});
    }
    if (error == noErr)
        items = std::move(found);
    return error;
}

OSStatus SELIAddRefAtEnd(const FileReference& item, bool hideIt)
{
    QString path;
    OSStatus error = FSRefMakePath(item, path);
    if (error != noErr)
        return error;
    const AEDesc type = descriptorWithCode(typeType, kLoginItem);
    AEDesc properties = AECreateList(true);
    AEDesc text;
    error = AECoerceDesc(descriptorWithText(typeUTF8Text, path), typeUnicodeText, text);
    if (error != noErr)
        return error;
    AEPutKeyDesc(properties, kPath, text);
    AEPutKeyDesc(properties, kHidden, descriptorWithBoolean(hideIt));
    AEDesc record = AECreateList(true);
    AEPutKeyDesc(record, fourCharCode("kobj"), AECreateDesc(typeNull, {}));
    AEPutKeyDesc(record, fourCharCode("kpos"), descriptorWithCode(typeEnumerated, fourCharCode("end ")));
    AEDesc location;
    error = AECoerceDesc(record, typeInsertionLoc, location);
    if (error != noErr)
        return error;
    return SendEventToSystemEventsWithParameters(
        false, fourCharCode("crel"), nullptr,
        {{fourCharCode("kocl"), &type}, {fourCharCode("prdt"), &properties}, {fourCharCode("insh"), &location}});
}

OSStatus SELIAddURLAtEnd(const QUrl& item, bool hideIt)
{
    FileReference ref;
    if (FSPathMakeRef(pathFromFileURL(item), ref) != noErr)
        return fnfErr;
    return SELIAddRefAtEnd(ref, hideIt);
}

OSStatus SELIRemove(long itemIndex)
{
    if (itemIndex < 0 || itemIndex >= INT32_MAX)
        qFatal("SELIRemove needs a position from 0");
    // The position as the 32-bit number its type says.
    AEDesc specifier;
    CreateObjSpecifier(kLoginItem, AEDesc{}, kIndexForm, descriptorWithInt32(int32_t(itemIndex + 1)), specifier);
    return SendEventToSystemEventsWithParameters(false, fourCharCode("delo"), nullptr, {{keyDirectObject, &specifier}});
}
