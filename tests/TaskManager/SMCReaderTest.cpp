#include "TaskManager/SMCReader/CpuTemperature.h"
#include "TaskManager/SMCReader/SMCReader.h"
#include "platform/smc/SimulatedSmcConnection.h"
#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ProbeFakes.h"
#include "TestPlatform.h"
#include <QLocale>
#include <QMap>
#include <cstring>
#include <gtest/gtest.h>

using namespace platform;
using test::FakeSmcConnection;

namespace {

struct Key {
    uint32_t dataSize;
    QByteArray type, bytes;
};

// An SMC that knows these keys and answers others as absent: success with the key-not-found
// result, no size, no type.
FakeSmcConnection::Answer keyTable(QMap<QByteArray, Key> keys)
{
    return [keys](uint32_t, const QByteArray& input, QByteArray& output) {
        if (input.size() != sizeof(SMCKeyRecord) || output.size() < qsizetype(sizeof(SMCKeyRecord)))
            return kIOReturnBadArgument;
        SMCKeyRecord in, out{};
        std::memcpy(&in, input.constData(), sizeof in);
        out.key = in.key;
        char name[5];
        SMCReader::_ultostr(name, in.key);
        const auto key = keys.constFind(QByteArray(name, 4));
        if (key != keys.constEnd() && in.command == SMCReader::kSMCReadKeyInfo) {
            out.dataSize = key->dataSize;
            out.dataType = SMCReader::_strtoul(key->type.constData(), 4, 16);
        } else if (key != keys.constEnd() && in.command == SMCReader::kSMCReadBytes) {
            std::memcpy(out.bytes, key->bytes.constData(), std::min<std::size_t>(key->bytes.size(), sizeof out.bytes));
        } else {
            out.result = 132;
        }
        std::memcpy(output.data(), &out, sizeof out);
        return kIOReturnSuccess;
    };
}

QString text(SMCReader& reader, const char* key)
{
    QString value;
    reader.readKey(key, value);
    return value;
}

} // namespace

TEST(SMCReaderTest, KeyPackingAndValueTexts)
{
    EXPECT_EQ(SMCReader::_strtoul("TC0P", 4, 16), 0x54433050u);
    EXPECT_EQ(SMCReader::_strtoul("\xFF\x80", 2, 10), 0xFF80u); // bytes are unsigned
    EXPECT_EQ(SMCReader::_strtoul("TC0P", -1, 16), 0u);
    // More than four bytes: the first ones are shifted out, never shifted by 32 or more.
    EXPECT_EQ(SMCReader::_strtoul("\x01\x02\x03\x04\x05\x06", 6, 10), 0x03040506u);
    char type[5] = {'x', 'x', 'x', 'x', 'x'};
    SMCReader::_ultostr(type, SMCReader::_strtoul("sp78", 4, 16));
    EXPECT_STREQ(type, "sp78");
    const struct {
        const char* type;
        QByteArray bytes; // the rest of the 32 bytes is zero
        uint32_t size;
        const char* text;
    } cases[] = {
        {"sp78", "\x2D\x80", 2, "45.500 "}, {"sp78", "\xFF", 2, "-1.000 "},   {"fpe2", "\x01", 2, "64.00 "},
        {"{pwm", "\x80", 2, "50.0% "},      {"si16", "\xFF\xFF", 2, "65535 "}, {"si8 ", "\xFF", 1, "-1 "},
        {"ui16", "\x01\x02", 2, "258 "},    {"ui8 ", "\x07", 1, "7 "},        {"ui8 ", "", 0, "0 "},
        {"ui32", "\xFF\xFF\xFF\xFF", 4, "4294967295 "}, {"spf0", "\x01\x02", 2, "258 "},
        // No row matches: another size, or a type outside the table.
        {"sp78", "\x2D\x80", 1, ""},        {"sp78", "\x2D\x80", 3, ""},      {"si8 ", "\xFF", 2, ""},
        {"flag", "\x01", 1, ""},            {"\0\0\0\0", "", 0, ""},
    };
    for (const auto& c : cases) {
        QByteArray bytes = c.bytes;
        bytes.resize(32, '\0');
        EXPECT_EQ(SMCReader::getStringRepresentation(bytes, c.size, QByteArrayView(c.type, 4)), QByteArray(c.text))
            << c.type << " size " << c.size;
    }
    // A size past the data is held to what there is.
    EXPECT_EQ(SMCReader::getStringRepresentation(QByteArray(40, '\x01'), 200, "ui32"), QByteArray("16843009 "));
    EXPECT_EQ(SMCReader::getStringRepresentation(QByteArray("\x01\x02", 2), 4, "ui32"), QByteArray("258 "));
}

TEST(SMCReaderTest, WithoutAProcessorZoneTheSimulatedSensorDriftsSlowly)
{
    double now = 0;
    SimulatedSmcConnection smc(test::fixturePath(QStringLiteral("thermal/no-cpu")), [&] { return now; });
    SMCReader reader(smc);
    const std::pair<double, const char*> readings[] = {
        {0, "46.0\u00b0C"}, {2, "46.1\u00b0C"}, {150, "52.0\u00b0C"}, {450, "40.0\u00b0C"}, {600, "46.0\u00b0C"}};
    for (const auto& [seconds, expected] : readings) {
        now = seconds;
        const std::optional<float> celsius = cpuTemperature(reader);
        ASSERT_TRUE(celsius) << seconds;
        EXPECT_EQ(temperatureText(*celsius), QString::fromUtf8(expected)) << seconds;
    }
}

TEST(SMCReaderTest, FailedAndOddAnswers)
{
    FakeSmcConnection smc;
    const auto answer = keyTable({{"TC0P", {2, "sp78", "\x2D\x80"}}, {"BIG!", {200, "ui32", QByteArray(32, '\x01')}}});
    SMCReader reader(smc);
    // The kernel refuses the first call: its code comes back, and no second call is made.
    smc.answer = [](uint32_t, const QByteArray&, QByteArray&) { return kIOReturnError; };
    SMCValue value;
    EXPECT_EQ(reader.SMCReadKey("TC0P", value), kIOReturnError);
    EXPECT_EQ(smc.calls.size(), 1u);
    QString textValue = QStringLiteral("old");
    EXPECT_FALSE(reader.readKey("TC0P", textValue));
    EXPECT_EQ(textValue, QString());
    std::optional<double> number;
    EXPECT_FALSE(reader.readKey("TC0P", number));
    EXPECT_EQ(number, 0.0);
    EXPECT_FALSE(cpuTemperature(reader));
    // It refuses the second.
    int calls = 0;
    smc.answer = [&](uint32_t selector, const QByteArray& input, QByteArray& output) {
        return ++calls == 2 ? kIOReturnBadArgument : answer(selector, input, output);
    };
    EXPECT_EQ(reader.SMCReadKey("TC0P", value), kIOReturnBadArgument);
    // A data size beyond the 32 data bytes is held to them.
    smc.answer = answer;
    smc.calls.clear();
    ASSERT_EQ(reader.SMCReadKey("BIG!", value), kIOReturnSuccess);
    EXPECT_EQ(value.dataSize, 32u);
    SMCKeyRecord sent;
    std::memcpy(&sent, smc.calls[1].input.constData(), sizeof sent);
    EXPECT_EQ(sent.dataSize, 32u);
    EXPECT_EQ(text(reader, "BIG!"), QStringLiteral("16843009 "));
    // A key the SMC lacks fails, though the call succeeded: no temperature, where 0.0 was shown.
    smc.calls.clear();
    EXPECT_FALSE(reader.readKey("TB0T", number));
    EXPECT_EQ(number, 0.0);
    EXPECT_EQ(smc.calls.size(), 1u) << "no bytes asked of a key it lacks";
    EXPECT_EQ(reader.SMCReadKey("", value), kIOReturnError);
    smc.answer = keyTable({});
    EXPECT_FALSE(cpuTemperature(reader));
}

TEST(SMCReaderTest, TemperatureRuleWhateverTheUsersLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto temperature = [](Key key) -> std::optional<QString> {
        FakeSmcConnection smc;
        smc.answer = keyTable({{"TC0P", key}});
        SMCReader reader(smc);
        const auto celsius = cpuTemperature(reader);
        return celsius ? std::optional(temperatureText(*celsius)) : std::nullopt;
    };
    const std::pair<Key, const char*> cases[] = {
        {{2, "sp78", "\x2D\x80"}, "45.5"}, {{2, "sp78", "\x64\x00"}, "100.0"},
        {{2, "sp78", "\x65\x00"}, "0.0"}, // 101 is no reading
        {{2, "sp78", "\x64\x01"}, "0.0"}, // nor is 100.004
        {{2, "sp78", "\xFF\x00"}, "-1.0"}, {{2, "sp78", "\x2D\x40"}, "45.2"}, // 45.25, tie to even
        {{2, "{pwm", "\x80\x00"}, "0.0"},                                       // no number
        {{0, QByteArray(4, '\0'), {}}, "0.0"},                                   // absent
    };
    for (const auto& [key, shown] : cases)
        EXPECT_EQ(temperature(key), QString::fromUtf8(shown) + QChar(0xb0) + QLatin1Char('C')) << key.bytes.toHex().data();
    QLocale::setDefault(previous);
}

TEST(SMCReaderTest, OpeningFailures)
{
    test::TestPlatform platform;
    for (const auto prepare : {+[](FakeSmcConnection& smc) { smc.matchingResult = kIOReturnError; },
                               +[](FakeSmcConnection& smc) { smc.serviceFound = false; },
                               +[](FakeSmcConnection& smc) { smc.openResult = kIOReturnBadArgument; }}) {
        FakeSmcConnection smc;
        prepare(smc);
        testing::internal::CaptureStdout(); // each failure is printed as well
        {
            SMCReader reader(smc);
            EXPECT_FALSE(cpuTemperature(reader));
        }
        EXPECT_TRUE(testing::internal::GetCapturedStdout().starts_with("Error: "));
        EXPECT_TRUE(smc.calls.empty());
        EXPECT_EQ(smc.closes, 0);
    }
    EXPECT_EQ(platform.log().messages(), QStringList(3, QStringLiteral("Unable to open SMC.")));
}

TEST(SMCReaderTest, SharedReaderFollowsTheInstalledPlatform)
{
    FakeSmcConnection* first = nullptr;
    {
        test::TestPlatform platform;
        first = test::install<FakeSmcConnection>(platform->smc);
        SMCReader& reader = SMCReader::sharedReader();
        EXPECT_EQ(&SMCReader::sharedReader(), &reader);
        EXPECT_EQ(first->opens, 1);
        // Another platform while this one lives: its reader closes this connection.
        Platform other;
        FakeSmcConnection& second = *test::install<FakeSmcConnection>(other.smc);
        {
            ScopedPlatform scope(other);
            SMCReader::sharedReader();
            EXPECT_EQ(second.opens, 1);
            EXPECT_EQ(first->closes, 1);
        }
        SMCReader::sharedReader();
        EXPECT_EQ(first->opens, 2);
    }
    // The first platform is gone: a new one gets a new reader, and the old connection is
    // never touched (the address sanitizer would say so).
    test::TestPlatform platform;
    FakeSmcConnection& third = *test::install<FakeSmcConnection>(platform->smc);
    third.answer = keyTable({{"TC0P", {2, "sp78", "\x2D\x80"}}});
    const auto celsius = cpuTemperature(SMCReader::sharedReader());
    EXPECT_EQ(celsius, 45.5f);
    EXPECT_EQ(third.opens, 1);
}
