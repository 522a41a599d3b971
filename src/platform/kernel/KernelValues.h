#pragma once

namespace platform {

// Kernel values by name, as sysctlbyname answers them.
class KernelValues {
public:
    virtual ~KernelValues() = default;
};

} // namespace platform
