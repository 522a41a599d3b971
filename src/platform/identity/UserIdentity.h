#pragma once

namespace platform {

// The user's login name, full name and picture.
class UserIdentity {
public:
    virtual ~UserIdentity() = default;
};

} // namespace platform
