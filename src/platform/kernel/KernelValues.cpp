#include "KernelValues.h"

#include <cerrno>
#include <cstring>

namespace platform {

int KernelValues::sysctlbyname(const char* name, void* oldp, std::size_t* oldlenp)
{
    if (!name || !oldlenp)
        return EINVAL;
    const std::optional<QByteArray> bytes = value(QByteArray(name));
    if (!bytes)
        return ENOENT;
    const auto size = std::size_t(bytes->size());
    if (oldp) {
        if (*oldlenp < size)
            return ENOMEM;
        std::memcpy(oldp, bytes->constData(), size);
    }
    *oldlenp = size;
    return 0;
}

} // namespace platform
