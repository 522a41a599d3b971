#include "SimulatedSmcConnection.h"

#include "ThermalZones.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

// The driver's view of the 80-byte key record.
constexpr std::size_t kRecordSize = 80;
constexpr std::size_t kKeyAt = 0;
constexpr std::size_t kDataSizeAt = 28;
constexpr std::size_t kDataTypeAt = 32;
constexpr std::size_t kResultAt = 40;
constexpr std::size_t kCommandAt = 42;
constexpr std::size_t kBytesAt = 48;

constexpr uint32_t kSelector = 2;
constexpr uint8_t kReadKeyInfo = 9;
constexpr uint8_t kReadBytes = 5;
constexpr uint8_t kKeyNotFound = 132;

constexpr uint32_t packed(const char (&code)[5])
{
    return uint32_t(uint8_t(code[0])) << 24 | uint32_t(uint8_t(code[1])) << 16 | uint32_t(uint8_t(code[2])) << 8
        | uint32_t(uint8_t(code[3]));
}

uint32_t wordAt(const unsigned char* record, std::size_t offset)
{
    uint32_t word;
    std::memcpy(&word, record + offset, sizeof word);
    return word;
}

void putWord(unsigned char* record, std::size_t offset, uint32_t word)
{
    std::memcpy(record + offset, &word, sizeof word);
}

} // namespace

SimulatedSmcConnection::SimulatedSmcConnection(QString thermalRoot, Clock clock)
    : thermalRoot_(std::move(thermalRoot)), clock_(std::move(clock))
{
    if (!clock_)
        clock_ = [] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
        };
}

double SimulatedSmcConnection::simulatedTemperature(double seconds)
{
    constexpr double kPeriod = 600;
    return 46.0 + 6.0 * std::sin(2 * M_PI * std::fmod(seconds, kPeriod) / kPeriod);
}

kern_return_t SimulatedSmcConnection::firstMatchingService(const char* className, io_service_t* service)
{
    if (!className || !service)
        return kIOReturnBadArgument;
    *service = std::strcmp(className, "AppleSMC") == 0 ? kService : IO_OBJECT_NULL;
    return kIOReturnSuccess;
}

kern_return_t SimulatedSmcConnection::serviceOpen(io_service_t service, uint32_t type, io_connect_t* connect)
{
    if (service != kService || type != 0 || !connect)
        return kIOReturnBadArgument;
    open_ = true;
    *connect = kConnection;
    return kIOReturnSuccess;
}

kern_return_t SimulatedSmcConnection::objectRelease(io_object_t object)
{
    return object == kService ? kIOReturnSuccess : kIOReturnBadArgument;
}

kern_return_t SimulatedSmcConnection::serviceClose(io_connect_t connect)
{
    if (connect != kConnection || !open_)
        return kIOReturnNotOpen;
    open_ = false;
    return kIOReturnSuccess;
}

kern_return_t SimulatedSmcConnection::connectCallStructMethod(io_connect_t connect, uint32_t selector,
                                                              const void* input, std::size_t inputSize,
                                                              void* output, std::size_t* outputSize)
{
    if (connect != kConnection || !open_)
        return kIOReturnNotOpen;
    if (selector != kSelector || !input || inputSize != kRecordSize || !output || !outputSize
        || *outputSize < kRecordSize)
        return kIOReturnBadArgument;

    const auto* in = static_cast<const unsigned char*>(input);
    unsigned char out[kRecordSize] = {};
    const uint32_t key = wordAt(in, kKeyAt);
    putWord(out, kKeyAt, key);
    const uint8_t command = in[kCommandAt];
    if (command != kReadKeyInfo && command != kReadBytes)
        return kIOReturnUnsupported;

    std::optional<double> celsius;
    if (key == packed("TC0P"))
        celsius = cpuZoneTemperature(thermalRoot_).value_or(simulatedTemperature(clock_()));
    if (!celsius) {
        out[kResultAt] = kKeyNotFound;
    } else if (command == kReadKeyInfo) {
        putWord(out, kDataSizeAt, 2);
        putWord(out, kDataTypeAt, packed("sp78"));
    } else {
        encodeSp78(*celsius, out + kBytesAt);
    }
    std::memcpy(output, out, kRecordSize);
    *outputSize = kRecordSize;
    return kIOReturnSuccess;
}

void SimulatedSmcConnection::encodeSp78(double celsius, unsigned char bytes[2])
{
    const double scaled = std::clamp(std::round(celsius * 256.0), -32768.0, 32767.0);
    const auto raw = uint16_t(int16_t(scaled));
    bytes[0] = uint8_t(raw >> 8);
    bytes[1] = uint8_t(raw & 0xff);
}

} // namespace platform
