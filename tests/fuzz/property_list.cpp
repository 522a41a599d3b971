// Property lists, XML and binary, as read from a bundle or a settings file; whatever reads is
// written back in both formats, as the settings store does.
#include "platform/Platform.h"
#include "platform/plist/LibplistSerialization.h"

namespace {
// The reader logs what it refuses; a platform without a log takes those lines.
platform::Platform quiet;
platform::ScopedPlatform installed(quiet);
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const platform::LibplistSerialization plist;
    const QVariant value = plist.propertyListFromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (value.isValid()) {
        plist.dataFromPropertyList(value, platform::PropertyListSerialization::Format::Xml);
        plist.dataFromPropertyList(value, platform::PropertyListSerialization::Format::Binary);
    }
    return 0;
}
