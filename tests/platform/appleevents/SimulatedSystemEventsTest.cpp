#include "platform/appleevents/SimulatedSystemEvents.h"
#include "platform/loginitems/FileURL.h"
#include "platform/loginitems/XdgLoginItemList.h"
#include "platform/plist/LibplistSerialization.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr ProcessSerialNumber kSystemEvents{0, 2};

AEDesc position(const QByteArray& data, DescType type = typeSInt32, DescType objectClass = fourCharCode("logi"))
{
    AEDesc specifier;
    CreateObjSpecifier(objectClass, AEDesc{}, fourCharCode("indx"), AECreateDesc(type, data), specifier);
    return specifier;
}

QByteArray int32Bytes(int32_t value)
{
    return descriptorWithInt32(value).data;
}

} // namespace

TEST(SimulatedSystemEventsTest, AnswersOnlyWellFormedDeletionsAndOnlyOnceStarted)
{
    const QString base = test::makeTemporaryFolder("system-events");
    LibplistSerialization plists;
    XdgLoginItemList list(base + "/autostart", plists);
    for (const char* name : {"/one", "/two"}) {
        test::writeFile(base + name, "x");
        ASSERT_TRUE(list.insertItemURL(fileURLFromPath(base + name)));
    }
    SimulatedSystemEvents events([&]() -> LoginItemList& { return list; });
    const auto send = [&](AEEventClass eventClass, const AEDesc& specifier) {
        AppleEvent event;
        AECreateAppleEvent(eventClass, fourCharCode("delo"), descriptorWithProcess(kSystemEvents), event);
        AEPutParamDesc(event, keyDirectObject, specifier);
        AppleEvent reply;
        const OSErr sent = events.AESend(event, reply, kAEWaitReply, 300);
        AEDesc number;
        return sent != noErr || AEGetParamDesc(reply, keyErrorNumber, typeSInt16, number) != noErr
            ? sent : int16Value(number).value_or(1);
    };

    // Only the Finder runs until System Events is started; events to it go nowhere.
    ProcessSerialNumber psn;
    OSType signature = 0;
    EXPECT_EQ(events.GetNextProcess(psn, signature), noErr);
    EXPECT_EQ(signature, fourCharCode("MACS"));
    EXPECT_EQ(events.GetNextProcess(psn, signature), procNotFound);
    EXPECT_EQ(send(fourCharCode("core"), position(int32Bytes(1))), connectionInvalid);
    ASSERT_EQ(events.LaunchApplicationWithCreator(fourCharCode("sevs"), psn), noErr);
    EXPECT_EQ(psn, kSystemEvents);

    const struct {
        AEEventClass eventClass;
        AEDesc specifier;
        OSErr expected;
    } refused[] = {
        {fourCharCode("core"), position(int32Bytes(0)), errAENoSuchObject},
        {fourCharCode("core"), position(int32Bytes(3)), errAENoSuchObject},
        {fourCharCode("core"), position(int32Bytes(-1)), errAENoSuchObject},
        // A 64-bit position under the 32-bit type is no position at all.
        {fourCharCode("core"), position(QByteArray::fromHex("0200000000000000")), errAEWrongDataType},
        {fourCharCode("core"), position(int32Bytes(1), fourCharCode("shor")), errAEEventNotHandled},
        {fourCharCode("core"), position(int32Bytes(1), typeSInt32, fourCharCode("prop")), errAEEventNotHandled},
        {fourCharCode("misc"), position(int32Bytes(1)), errAEEventNotHandled},
    };
    for (const auto& c : refused)
        EXPECT_EQ(send(c.eventClass, c.specifier), c.expected);
    EXPECT_EQ(list.copySnapshot()->size(), 2u);
    EXPECT_EQ(send(fourCharCode("core"), position(int32Bytes(2))), noErr);
    ASSERT_EQ(list.copySnapshot()->size(), 1u);
    EXPECT_EQ(list.copySnapshot()->front().path, base + "/one");
}
