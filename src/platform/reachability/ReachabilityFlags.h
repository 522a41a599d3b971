#pragma once

#include <cstdint>

namespace platform {

// Whether a target can be reached, in the Mac's reachability flags and values.
using ReachabilityFlags = uint32_t;

constexpr ReachabilityFlags kReachabilityFlagsTransientConnection = 1u << 0;
constexpr ReachabilityFlags kReachabilityFlagsReachable = 1u << 1;
constexpr ReachabilityFlags kReachabilityFlagsConnectionRequired = 1u << 2;
constexpr ReachabilityFlags kReachabilityFlagsConnectionOnTraffic = 1u << 3;
constexpr ReachabilityFlags kReachabilityFlagsInterventionRequired = 1u << 4;
constexpr ReachabilityFlags kReachabilityFlagsConnectionOnDemand = 1u << 5;
constexpr ReachabilityFlags kReachabilityFlagsIsLocalAddress = 1u << 16;
constexpr ReachabilityFlags kReachabilityFlagsIsDirect = 1u << 17;

} // namespace platform
