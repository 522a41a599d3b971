#pragma once

#include <cstdint>

namespace platform {

// The kernel's scalar types and return codes, as the host and SMC areas use them.
using kern_return_t = int32_t;
using natural_t = uint32_t;
using mach_port_t = uint32_t;
using host_t = mach_port_t;

constexpr kern_return_t KERN_SUCCESS = 0;
constexpr kern_return_t KERN_INVALID_ARGUMENT = 4;
constexpr kern_return_t KERN_FAILURE = 5;

} // namespace platform
