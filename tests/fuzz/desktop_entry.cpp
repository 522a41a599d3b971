// Desktop entries as found in the application and autostart folders. A value written by the
// program reads back unchanged, whatever it holds.
#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/ApplicationEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto application = platform::ApplicationEntry::parse(text, QStringLiteral("de_CH.UTF-8@euro:fr")))
        application->launchArguments();

    const QString value = QString::fromUtf8(text);
    const auto entry = platform::DesktopEntry::parse(platform::DesktopEntry::format({{QStringLiteral("Name"), value}}));
    if (!entry || entry->value(QStringLiteral("Name")) != value)
        std::abort();
    return 0;
}
