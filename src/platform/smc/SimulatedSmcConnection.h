#pragma once

#include "SmcConnection.h"

#include <QString>

#include <functional>

namespace platform {

// The SMC as Linux can give it: one driver service whose user client answers the key-info (9)
// and read-bytes (5) commands of selector 2 for the processor's temperature "TC0P" (type
// "sp78", two bytes) from the thermal zones under `thermalRoot` (the package sensor first, then
// the other processor sensors, "acpitz" last); where no processor zone reads, from a sensor of
// its own that drifts slowly between 40 and 52 degrees. Every other key is absent: the call
// succeeds with the SMC's key-not-found result, no data size, no type and no bytes, as the SMC
// answers for a key it lacks, and the reader takes it as a failed read.
class SimulatedSmcConnection final : public SmcConnection {
public:
    using Clock = std::function<double()>; // seconds, from any fixed start

    explicit SimulatedSmcConnection(QString thermalRoot = QStringLiteral("/sys/class/thermal"), Clock clock = {});

    kern_return_t firstMatchingService(const char* className, io_service_t* service) override;
    kern_return_t serviceOpen(io_service_t service, uint32_t type, io_connect_t* connect) override;
    kern_return_t objectRelease(io_object_t object) override;
    kern_return_t serviceClose(io_connect_t connect) override;
    kern_return_t connectCallStructMethod(io_connect_t connect, uint32_t selector, const void* input,
                                          std::size_t inputSize, void* output, std::size_t* outputSize) override;

    // The "sp78" bytes (signed 8.8 fixed point, big-endian) of a temperature, saturated at the
    // ends of the range.
    static void encodeSp78(double celsius, unsigned char bytes[2]);
    // The sensor of its own at that time: a ten-minute swing around 46 degrees.
    static double simulatedTemperature(double seconds);

    static constexpr io_service_t kService = 0x2203;
    static constexpr io_connect_t kConnection = 0x2307;

private:
    QString thermalRoot_;
    Clock clock_;
    bool open_ = false;
};

} // namespace platform
