#include "SSMemoryInfo.h"

#include "platform/text/StringFormat.h"

QString SSMemoryInfo::covertMemory(uint64_t bytes)
{
    constexpr uint64_t kMebibyte = 1048576;
    constexpr uint64_t kGibibyte = 1073741824;
    if (bytes < kMebibyte)
        return platform::stringWithFormat("%0.2f KB", double(float(bytes) / 1024.0f));
    if (bytes < kGibibyte)
        return platform::stringWithFormat("%0.2f MB", double(float(bytes) / float(kMebibyte)));
    return platform::stringWithFormat("%0.2f GB", double(float(bytes) / float(kGibibyte)));
}
