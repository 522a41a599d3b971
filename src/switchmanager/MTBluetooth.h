#pragma once

#include <functional>

// Bluetooth power for the Switch Manager.
class MTBluetooth {
public:
    using Then = std::function<void()>;

    static bool isAvaliable();
    // Available and powered.
    static bool isPower();
    // Each switches the power and calls `then` on the main queue once the change has settled.
    static void openBluetooth(Then then = {});
    static void closeBluetooth(Then then = {});
};

// Sets the controller's power unless it already has that state, then lets a second pass for
// the change to settle before `then` runs on the main queue. The change and the pause happen
// off the main thread, so the window goes on answering. Gives 0.
int BTSetPowerState(int state, MTBluetooth::Then then = {});
// The same for the controller's discoverable state (nothing switches it).
int BTSetDiscoverableState(int state, MTBluetooth::Then then = {});
// The same for any getter and setter pair; the setter runs on the background queue.
int BTSetParamState(int state, const std::function<int()>& get, std::function<void(int)> set, MTBluetooth::Then then = {});
