#pragma once

#include <QtGlobal>

namespace platform {

// Signals to other processes.
class ProcessControl {
public:
    enum class Outcome {
        Killed,            // the signal reached the listed process
        InvalidIdentifier, // below 2 (the kernel's own and init) or out of range
        NoSuchProcess,     // it has ended already
        NotTheSameProcess, // the identifier now names another process, or the start is unknown
        NotPermitted,
        Failed,
    };

    virtual ~ProcessControl() = default;

    // Force-quits (SIGKILL) process `pid`, but only while it is still the process that started
    // at `startTime` (clock ticks since boot, as the workspace lists it). Says truthfully what
    // happened; never runs a program or a shell to do it.
    virtual Outcome forceQuit(qint64 pid, qint64 startTime) = 0;
};

} // namespace platform
