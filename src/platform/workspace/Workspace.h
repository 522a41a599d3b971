#pragma once

namespace platform {

// Opening files and addresses, application icons, and the running applications with their launch and quit notifications.
class Workspace {
public:
    virtual ~Workspace() = default;
};

} // namespace platform
