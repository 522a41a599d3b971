#pragma once

namespace platform {

// Runs AppleScript source and compiled scripts.
class ScriptRunner {
public:
    virtual ~ScriptRunner() = default;
};

} // namespace platform
