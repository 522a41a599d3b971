// Exec lines of desktop entries written by other programs, and arguments (split at NUL bytes)
// quoted by the program: a quoted list splits back into the same arguments.
#include "platform/xdg/ExecLine.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString line = QString::fromUtf8(bytes);
    // Percent signs aside, both readings split a line alike.
    const auto expanded = platform::ExecLine::split(line);
    const auto unexpanded = platform::ExecLine::splitUnexpanded(line);
    if (!line.contains(QLatin1Char('%')) && expanded != unexpanded)
        std::abort();

    QStringList arguments;
    for (const QByteArray& argument : bytes.split('\0'))
        arguments << QString::fromUtf8(argument);
    if (platform::ExecLine::split(platform::ExecLine::quote(arguments)) != arguments)
        std::abort();
    return 0;
}
