#pragma once

namespace platform {

// Facts about this process and the machine it runs on.
class ProcessInfo {
public:
    virtual ~ProcessInfo() = default;
};

} // namespace platform
