#pragma once

namespace platform {

// The user's session login items.
class LoginItemList {
public:
    virtual ~LoginItemList() = default;
};

} // namespace platform
