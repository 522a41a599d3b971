#include "Bundle.h"

namespace platform {

QString Bundle::bundleIdentifier() const
{
    return objectForInfoDictionaryKey(QStringLiteral("CFBundleIdentifier")).toString();
}

} // namespace platform
