#include "SimulatedSystemEvents.h"

#include "platform/loginitems/FileURL.h"
#include "platform/loginitems/LoginItemList.h"

#include <QFileInfo>

#include <cstring>

namespace platform {

namespace {

constexpr OSType kFinder = fourCharCode("MACS");
constexpr OSType kSystemEvents = fourCharCode("sevs");
constexpr ProcessSerialNumber kFinderProcess{0, 1};
constexpr ProcessSerialNumber kSystemEventsProcess{0, 2};
constexpr DescType kLoginItem = fourCharCode("logi");
constexpr DescType kProperty = fourCharCode("prop");
constexpr AEKeyword kPath = fourCharCode("ppth");
constexpr AEKeyword kHidden = fourCharCode("hidn");

// The class and the container of an object specifier.
DescType wantedClass(const AEDesc& specifier)
{
    AEDesc want;
    if (specifier.descriptorType != typeObjectSpecifier
        || AEGetKeyDesc(specifier, fourCharCode("want"), typeType, want) != noErr)
        return 0;
    return codeValue(want).value_or(0);
}

std::optional<ProcessSerialNumber> processValue(const AEDesc& desc)
{
    if (desc.descriptorType != typeProcessSerialNumber || desc.data.size() != qsizetype(sizeof(ProcessSerialNumber)))
        return std::nullopt;
    ProcessSerialNumber psn;
    std::memcpy(&psn, desc.data.constData(), sizeof psn);
    return psn;
}

AEDesc keyed(const AEDesc& record, AEKeyword key)
{
    AEDesc value;
    AEGetKeyDesc(record, key, typeWildCard, value);
    return value;
}

} // namespace

SimulatedSystemEvents::SimulatedSystemEvents(std::function<LoginItemList&()> loginItems)
    : loginItems_(std::move(loginItems))
{
}

OSErr SimulatedSystemEvents::GetNextProcess(ProcessSerialNumber& psn, OSType& signature)
{
    std::lock_guard lock(mutex_);
    if (psn == ProcessSerialNumber{}) {
        psn = kFinderProcess;
        signature = kFinder;
        return noErr;
    }
    if (psn == kFinderProcess && systemEventsRunning_) {
        psn = kSystemEventsProcess;
        signature = kSystemEvents;
        return noErr;
    }
    return procNotFound;
}

OSErr SimulatedSystemEvents::LaunchApplicationWithCreator(OSType creator, ProcessSerialNumber& psn)
{
    std::lock_guard lock(mutex_);
    if (creator == kFinder) {
        psn = kFinderProcess;
        return noErr;
    }
    if (creator != kSystemEvents)
        return fnfErr;
    systemEventsRunning_ = true;
    psn = kSystemEventsProcess;
    return noErr;
}

OSErr SimulatedSystemEvents::AESend(const AppleEvent& event, AppleEvent& reply, AESendMode mode, long)
{
    {
        std::lock_guard lock(mutex_);
        const std::optional<ProcessSerialNumber> target = processValue(event.target);
        if (!target || (*target != kFinderProcess && !(*target == kSystemEventsProcess && systemEventsRunning_)))
            return connectionInvalid;
        if (*target == kFinderProcess)
            return errAEEventNotHandled;
    }
    AEDesc result;
    const OSErr error = handle(event, result);
    if (mode != kAEWaitReply)
        return noErr;
    AECreateAppleEvent(fourCharCode("aevt"), fourCharCode("ansr"), {}, reply);
    if (error != noErr)
        AEPutParamDesc(reply, keyErrorNumber, descriptorWithInt16(int16_t(error)));
    else if (result.descriptorType != typeNull)
        AEPutParamDesc(reply, keyDirectObject, result);
    return noErr;
}

OSErr SimulatedSystemEvents::handle(const AppleEvent& event, AEDesc& result)
{
    if (event.eventClass != fourCharCode("core"))
        return errAEEventNotHandled;
    switch (event.eventID) {
    case fourCharCode("getd"):
        return getLoginItems(event, result);
    case fourCharCode("crel"):
        return createLoginItem(event);
    case fourCharCode("delo"):
        return deleteLoginItem(event);
    default:
        return errAEEventNotHandled;
    }
}

OSErr SimulatedSystemEvents::getLoginItems(const AppleEvent& event, AEDesc& result)
{
    // The properties of every login item: a property specifier around all 'logi' elements.
    AEDesc properties;
    if (AEGetParamDesc(event, keyDirectObject, typeWildCard, properties) != noErr
        || wantedClass(properties) != kProperty || wantedClass(keyed(properties, fourCharCode("from"))) != kLoginItem)
        return errAEEventNotHandled;
    const std::optional<std::vector<LoginItemList::Item>> items = loginItems_().copySnapshot();
    if (!items)
        return errAEEventFailed;
    result = AECreateList(false);
    for (const LoginItemList::Item& item : *items) {
        AEDesc record = AECreateList(true);
        AEPutKeyDesc(record, kPath, descriptorWithText(typeUnicodeText, item.path));
        AEPutKeyDesc(record, kHidden, descriptorWithBoolean(false));
        AEPutDesc(result, record);
    }
    return noErr;
}

OSErr SimulatedSystemEvents::createLoginItem(const AppleEvent& event)
{
    AEDesc type;
    AEDesc properties;
    AEDesc path;
    if (AEGetParamDesc(event, fourCharCode("kocl"), typeType, type) != noErr || codeValue(type) != kLoginItem
        || AEGetParamDesc(event, fourCharCode("prdt"), typeAERecord, properties) != noErr
        || AEGetKeyDesc(properties, kPath, typeUTF8Text, path) != noErr)
        return errAEEventNotHandled;
    const QString text = textValue(path);
    if (!QFileInfo::exists(text))
        return fnfErr;
    return loginItems_().insertItemURL(fileURLFromPath(text)) ? noErr : errAEEventFailed;
}

OSErr SimulatedSystemEvents::deleteLoginItem(const AppleEvent& event)
{
    AEDesc specifier;
    AEDesc position;
    if (AEGetParamDesc(event, keyDirectObject, typeWildCard, specifier) != noErr || wantedClass(specifier) != kLoginItem
        || AEGetKeyDesc(specifier, fourCharCode("seld"), typeSInt32, position) != noErr)
        return errAEEventNotHandled;
    const std::optional<int32_t> index = int32Value(position);
    if (!index)
        return errAEWrongDataType;
    LoginItemList& list = loginItems_();
    const std::optional<std::vector<LoginItemList::Item>> items = list.copySnapshot();
    if (!items)
        return errAEEventFailed;
    if (*index < 1 || std::size_t(*index) > items->size())
        return errAENoSuchObject;
    return list.removeItem((*items)[std::size_t(*index - 1)]) ? noErr : errAEEventFailed;
}

} // namespace platform
