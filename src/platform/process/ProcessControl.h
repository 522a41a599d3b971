#pragma once

namespace platform {

// Signals to other processes.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
};

} // namespace platform
