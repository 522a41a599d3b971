#include "ConvertSize2String.h"

#include "platform/text/StringFormat.h"

QString convertSize2String(uint64_t n)
{
    if (n <= 999)
        return platform::stringWithFormat("%llu byte", static_cast<unsigned long long>(n));
    const float bytes = static_cast<float>(n);
    if (n <= 999'999)
        return platform::stringWithFormat("%0.2f KB", double(bytes / 1000.0f));
    if (n <= 999'999'999)
        return platform::stringWithFormat("%0.2f MB", double(bytes / 1000000.0f));
    return platform::stringWithFormat("%0.2f GB", double(bytes / 1000000000.0f));
}
