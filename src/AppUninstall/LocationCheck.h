#pragma once

#include "platform/files/ItemLocation.h"

// What became of an item since the search found it, told from its location, never by following
// a path that something swapped in could redirect.
class LocationCheck {
public:
    enum class Result {
        Unchanged, // the same item through the same folders, or out of sight behind permissions
        Gone,      // no longer in its folder, which is still the one seen
        Changed,   // a folder on the way, or the item, is not what was seen
    };
    static Result check(const platform::ItemLocation& location);
};
