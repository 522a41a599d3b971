#pragma once

#include "PropertyListBounds.h"

#include <QByteArray>

namespace platform {

// Checks an XML property list before libplist builds it: libplist follows nesting by recursion,
// so the element depth and count are bounded first, without recursion. A zero byte is refused
// (XML does not allow it, and libplist would keep it inside a key it then cannot read).
class XmlPropertyListScanner {
public:
    static PropertyListVerdict scan(const QByteArray& data, const PropertyListBounds& bounds = {});
};

} // namespace platform
