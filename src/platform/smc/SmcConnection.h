#pragma once

#include "platform/kernel/MachTypes.h"

#include <cstddef>
#include <memory>

namespace platform {

using IOReturn = kern_return_t;
using io_object_t = mach_port_t;
using io_service_t = io_object_t;
using io_connect_t = io_object_t;

constexpr io_object_t IO_OBJECT_NULL = 0;
constexpr IOReturn kIOReturnSuccess = 0;
constexpr IOReturn kIOReturnError = IOReturn(0xe00002bc);
constexpr IOReturn kIOReturnBadArgument = IOReturn(0xe00002c2);
constexpr IOReturn kIOReturnUnsupported = IOReturn(0xe00002c7);
constexpr IOReturn kIOReturnNotOpen = IOReturn(0xe00002cd);

// A connection to the system management controller's driver ("AppleSMC"): finding the
// service, opening and closing its user client, and the struct call that carries the SMC's
// 80-byte key records.
class SmcConnection {
public:
    virtual ~SmcConnection() = default;

    // IOServiceGetMatchingServices for IOServiceMatching(className), then the first service of
    // the iterator (IO_OBJECT_NULL when none matched); the iterator is released.
    virtual kern_return_t firstMatchingService(const char* className, io_service_t* service) = 0;
    // IOServiceOpen(service, mach_task_self(), type, connect).
    virtual kern_return_t serviceOpen(io_service_t service, uint32_t type, io_connect_t* connect) = 0;
    // IOObjectRelease.
    virtual kern_return_t objectRelease(io_object_t object) = 0;
    // IOServiceClose.
    virtual kern_return_t serviceClose(io_connect_t connect) = 0;
    // IOConnectCallStructMethod: `inputSize` bytes in, at most *outputSize bytes out; *outputSize
    // becomes the count written.
    virtual kern_return_t connectCallStructMethod(io_connect_t connect, uint32_t selector, const void* input,
                                                  std::size_t inputSize, void* output, std::size_t* outputSize) = 0;

    // Expires when this connection is destroyed. A client that outlives the platform it was
    // opened on (a process-wide reader) holds it, so that it never calls into a connection that
    // is gone.
    std::weak_ptr<const void> lifetime() const { return lifetime_; }

private:
    std::shared_ptr<const int> lifetime_ = std::make_shared<const int>(0);
};

} // namespace platform
