#pragma once

namespace platform {

// A connection to the system management controller's driver.
class SmcConnection {
public:
    virtual ~SmcConnection() = default;
};

} // namespace platform
