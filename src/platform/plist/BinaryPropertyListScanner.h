#pragma once

#include "PropertyListBounds.h"

#include <QByteArray>

namespace platform {

// Checks a binary property list ("bplist00") before libplist builds it. libplist follows nesting
// by recursion and copies a shared object once per reference, so a few hundred bytes can exhaust
// the stack or the memory. The scan walks the object graph without recursion, counts each object
// once per reference (memoized), refuses cycles, and refuses keys holding a zero character, which
// this libplist cannot read without failing an assertion.
class BinaryPropertyListScanner {
public:
    static PropertyListVerdict scan(const QByteArray& data, const PropertyListBounds& bounds = {});
};

} // namespace platform
