#pragma once

#include "PropertyListSerialization.h"

namespace platform {

// What a property list may grow to once parsed, a shared object counted once per reference.
// Text and data are bounded like the file itself: expanded, a list holds no more than the largest
// accepted file could.
struct PropertyListBounds {
    int depth = PropertyListSerialization::kMaximumDepth;
    qint64 nodes = PropertyListSerialization::kMaximumNodes;
    qint64 bytes = PropertyListSerialization::kMaximumSize;
};

// Whether a property list may be handed to the parser, and why not.
enum class PropertyListVerdict {
    Accepted,
    Malformed,
    TooDeep,
    TooManyNodes,
    TooLarge,
    Cyclic,
    ZeroCharacter, // in a key (binary) or anywhere (XML, where it is not allowed at all)
};

} // namespace platform
