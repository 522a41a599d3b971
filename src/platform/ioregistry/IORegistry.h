#pragma once

namespace platform {

// Values of the I/O registry: platform serial number, processor IDs.
class IORegistry {
public:
    virtual ~IORegistry() = default;
};

} // namespace platform
