#pragma once

#include "AppleEventDescriptor.h"

namespace platform {

// Reaching another application with Apple events: its process by signature (the Process
// Manager's walk), its start by creator (Launch Services), and the send itself.
class AppleEventSender {
public:
    virtual ~AppleEventSender() = default;

    // The process after `psn` in the process list ({0, 0} gives the first) and its signature;
    // procNotFound after the last.
    virtual OSErr GetNextProcess(ProcessSerialNumber& psn, OSType& signature) = 0;
    // Starts the application whose creator is `creator` and gives its process.
    virtual OSErr LaunchApplicationWithCreator(OSType creator, ProcessSerialNumber& psn) = 0;
    // Sends `event` to its target; with kAEWaitReply waits up to `timeoutTicks` (60 a second)
    // for the answer, which goes into `reply`.
    virtual OSErr AESend(const AppleEvent& event, AppleEvent& reply, AESendMode mode, long timeoutTicks) = 0;
};

} // namespace platform
