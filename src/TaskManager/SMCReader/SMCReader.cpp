#include "SMCReader.h"

#include "platform/Platform.h"
#include "platform/log/SystemLog.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

using namespace platform;

namespace {

constexpr uint32_t kDataBytes = sizeof(SMCValue::bytes);
constexpr qsizetype kTextLimit = 15 - 1; // the C buffer's limit, less its terminating zero

QByteArray fixedText(double value, int precision)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
    return QByteArray(text, result.ptr - text);
}

// The rows of the value table that scale the first two bytes: divisor, signed, decimals.
struct FixedPointRow {
    const char* type;
    double divisor;
    bool isSigned;
    int precision;
};

constexpr FixedPointRow kFixedPointRows[] = {
    {"fp1f", 32768, false, 5}, {"fp4c", 4096, false, 5}, {"fp5b", 2048, false, 5},
    {"fp6a", 1024, false, 4},  {"fp79", 512, false, 4},  {"fp88", 256, false, 3},
    {"fpa6", 64, false, 2},    {"fpc4", 16, false, 2},   {"fpe2", 4, false, 2},
    {"sp1e", 16384, true, 5},  {"sp3c", 4096, true, 5},  {"sp4b", 2048, true, 4},
    {"sp5a", 1024, true, 4},   {"sp69", 512, true, 3},   {"sp78", 256, true, 3},
    {"sp87", 128, true, 3},    {"sp96", 64, true, 2},    {"spb4", 16, true, 2},
    {"spf0", 1, false, 0},
};

QByteArray valueText(QByteArrayView bytes, uint32_t size, QByteArrayView type)
{
    if (type == "ui8 " || type == "ui16" || type == "ui32")
        return QByteArray::number(SMCReader::_strtoul(bytes.data(), int(size), 10)) + ' ';
    if (type == "si8 ")
        return size == 1 ? QByteArray::number(int(int8_t(bytes[0]))) + ' ' : QByteArray();
    if (size != 2)
        return {};
    const auto word = uint16_t(uint8_t(bytes[0]) << 8 | uint8_t(bytes[1]));
    if (type == "si16")
        return QByteArray::number(int(word)) + ' ';
    if (type == "{pwm")
        return fixedText(double(word) * 100.0 / 65536.0, 1) + "% ";
    for (const FixedPointRow& row : kFixedPointRows) {
        if (type == row.type) {
            const double raw = row.isSigned ? double(int16_t(word)) : double(word);
            return fixedText(raw / row.divisor, row.precision) + ' ';
        }
    }
    return {};
}

std::optional<double> decimalNumber(const QString& text)
{
    bool ok = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? std::optional(number) : std::nullopt;
}

} // namespace

SMCReader::SMCReader(SmcConnection& smc)
    : smc_(smc)
    , smcLifetime_(smc.lifetime())
{
    if (!SMCOpen())
        NSLog(QStringLiteral("Unable to open SMC."));
}

SMCReader::~SMCReader()
{
    SMCClose();
}

SMCReader& SMCReader::sharedReader()
{
    // One reader for the process. When another platform has been installed since (tests do),
    // the reader of the old one is replaced; it closes its connection only while that lives.
    static std::unique_ptr<SMCReader> shared;
    SmcConnection& smc = *Platform::current().smc;
    if (!shared || &shared->smc_ != &smc || !shared->connectionAlive())
        shared = std::make_unique<SMCReader>(smc);
    return *shared;
}

bool SMCReader::connectionAlive() const
{
    return !smcLifetime_.expired();
}

bool SMCReader::SMCOpen()
{
    if (!connectionAlive())
        return false;
    io_service_t service = IO_OBJECT_NULL;
    kern_return_t result = smc_.firstMatchingService("AppleSMC", &service);
    if (result != kIOReturnSuccess) {
        std::printf("Error: IOServiceGetMatchingServices() = %08x\n", unsigned(result));
        std::fflush(stdout);
        return false;
    }
    if (service == IO_OBJECT_NULL) {
        std::printf("Error: no SMC found");
        std::fflush(stdout);
        return false;
    }
    io_connect_t connection = 0;
    result = smc_.serviceOpen(service, 0, &connection);
    smc_.objectRelease(service);
    if (result != kIOReturnSuccess) {
        std::printf("Error: IOServiceOpen() = %08x\n", unsigned(result));
        std::fflush(stdout);
        return false;
    }
    conn_ = connection;
    open_ = true;
    return true;
}

void SMCReader::SMCClose()
{
    if (open_ && connectionAlive())
        smc_.serviceClose(conn_);
    open_ = false;
}

kern_return_t SMCReader::SMCCall(uint32_t index, const SMCKeyRecord& input, SMCKeyRecord& output)
{
    if (!open_ || !connectionAlive())
        return kIOReturnNotOpen;
    // What the driver leaves unwritten reads as zero, never as an earlier answer.
    output = SMCKeyRecord{};
    std::size_t outputSize = sizeof output;
    return smc_.connectCallStructMethod(conn_, index, &input, sizeof input, &output, &outputSize);
}

kern_return_t SMCReader::SMCReadKey(QByteArrayView key, SMCValue& value)
{
    SMCKeyRecord input{};
    SMCKeyRecord output{};
    value = SMCValue{};

    input.key = _strtoul(key.data(), int(std::min<qsizetype>(key.size(), 4)), 16);
    input.command = kSMCReadKeyInfo;
    if (const kern_return_t result = SMCCall(kKernelIndexSmc, input, output); result != kIOReturnSuccess)
        return result;
    // The call carries the SMC's own answer: a key it lacks comes back from a successful call.
    if (output.result != kSMCSuccess)
        return kIOReturnError;

    value.dataSize = std::min(output.dataSize, kDataBytes);
    _ultostr(value.dataType, output.dataType);

    input.dataSize = value.dataSize;
    input.command = kSMCReadBytes;
    if (const kern_return_t result = SMCCall(kKernelIndexSmc, input, output); result != kIOReturnSuccess)
        return result;
    if (output.result != kSMCSuccess)
        return kIOReturnError;

    std::memcpy(value.bytes, output.bytes, sizeof value.bytes);
    return kIOReturnSuccess;
}

bool SMCReader::readKey(QByteArrayView key, QString& text)
{
    SMCValue value;
    if (SMCReadKey(key, value) != kIOReturnSuccess) {
        text = QString();
        return false;
    }
    text = QString::fromUtf8(getStringRepresentation(QByteArrayView(value.bytes, sizeof value.bytes), value.dataSize,
                                                     QByteArrayView(value.dataType, 4)));
    return true;
}

bool SMCReader::readKey(QByteArrayView key, std::optional<double>& number)
{
    QString text;
    if (!readKey(key, text)) {
        number = 0.0;
        return false;
    }
    number = decimalNumber(text);
    return true;
}

QByteArray SMCReader::getStringRepresentation(QByteArrayView bytes, uint32_t size, QByteArrayView type)
{
    // Never past the data: at most the 32 data bytes, and no more than were given.
    size = std::min({size, kDataBytes, uint32_t(bytes.size())});
    return valueText(bytes, size, type).left(kTextLimit);
}

uint32_t SMCReader::_strtoul(const char* bytes, int count, int /*base*/)
{
    uint32_t total = 0;
    for (int i = 0; i < count; ++i)
        total = total << 8 | uint8_t(bytes[i]);
    return total;
}

void SMCReader::_ultostr(char* text, uint32_t value)
{
    text[0] = char(value >> 24);
    text[1] = char(value >> 16 & 0xff);
    text[2] = char(value >> 8 & 0xff);
    text[3] = char(value & 0xff);
    text[4] = '\0';
}
