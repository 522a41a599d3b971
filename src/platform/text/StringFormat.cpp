#include "StringFormat.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace platform {

namespace {

// The "C" locale, made once; switching to it per call affects only the calling thread.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

} // namespace

QString stringWithFormat(const char* format, ...)
{
    const locale_t previous = uselocale(cLocale());
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    char small[256];
    const int length = std::vsnprintf(small, sizeof small, format, arguments);
    va_end(arguments);
    QString result;
    if (length >= 0 && length < int(sizeof small)) {
        result = QString::fromUtf8(small, length);
    } else if (length > 0) {
        std::vector<char> large(size_t(length) + 1);
        std::vsnprintf(large.data(), large.size(), format, copy);
        result = QString::fromUtf8(large.data(), length);
    }
    va_end(copy);
    uselocale(previous);
    return result;
}

} // namespace platform
