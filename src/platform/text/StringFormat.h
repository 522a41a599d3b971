#pragma once

#include <QString>

namespace platform {

// printf-style formatting as the Mac's string formatting does it: the C library's rules
// (rounding half to even, for one) and never the user's locale, so "%.1f" always writes a
// point. Arguments are C values, as with printf.
QString stringWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace platform
