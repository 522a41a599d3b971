#pragma once

#include "AppleEventSender.h"

#include <functional>
#include <mutex>

namespace platform {

class LoginItemList;

// The processes of the simulated Mac that answer Apple events: the Finder, and System Events
// once it has been started. Descriptors are values (`AppleEventDescriptor`). System Events
// answers the login-item events ('core' events about 'logi' elements: get all properties,
// create at the end, delete by position) from the platform's login-items list, the one the
// Startup Items tab shows. A login item's "hidden" flag has no counterpart in an autostart
// entry: it is read as false and not kept. The scripts' System Events (the Dock's autohide, dark
// mode) is `SystemEventsScripts`, behind the script runner.
class SimulatedSystemEvents final : public AppleEventSender {
public:
    explicit SimulatedSystemEvents(std::function<LoginItemList&()> loginItems);

    OSErr GetNextProcess(ProcessSerialNumber& psn, OSType& signature) override;
    OSErr LaunchApplicationWithCreator(OSType creator, ProcessSerialNumber& psn) override;
    OSErr AESend(const AppleEvent& event, AppleEvent& reply, AESendMode mode, long timeoutTicks) override;

private:
    // The answer's direct object, or the error the reply carries.
    OSErr handle(const AppleEvent& event, AEDesc& result);
    OSErr getLoginItems(const AppleEvent& event, AEDesc& result);
    OSErr createLoginItem(const AppleEvent& event);
    OSErr deleteLoginItem(const AppleEvent& event);

    std::function<LoginItemList&()> loginItems_;
    std::mutex mutex_;
    bool systemEventsRunning_ = false;
};

} // namespace platform
