#pragma once

#include <QByteArray>

#include <cstddef>
#include <optional>

namespace platform {

// Kernel values by name, as sysctlbyname answers them: integers in native byte order at their
// own width, texts with their terminating zero.
class KernelValues {
public:
    virtual ~KernelValues() = default;

    // The value of `name` (such as "hw.memsize"), or nothing when the kernel has none.
    virtual std::optional<QByteArray> value(const QByteArray& name) = 0;

    // sysctlbyname(name, oldp, oldlenp, NULL, 0). With `oldp` null, *oldlenp becomes the size of
    // the value. Otherwise the value is copied into `oldp` when *oldlenp bytes hold it, and
    // *oldlenp becomes the size copied. Returns 0 or the error number: ENOENT for a name without
    // a value, ENOMEM for a buffer too small (nothing is copied), EINVAL without `oldlenp`.
    int sysctlbyname(const char* name, void* oldp, std::size_t* oldlenp);
};

} // namespace platform
