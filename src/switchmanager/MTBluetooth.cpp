#include "MTBluetooth.h"

#include "platform/Platform.h"
#include "platform/bluetooth/Bluetooth.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/dispatch/Lifetime.h"

namespace {
constexpr std::chrono::milliseconds kSettleTime{1000};
}

bool MTBluetooth::isAvaliable()
{
    return platform::Platform::current().bluetooth->IOBluetoothPreferencesAvailable();
}

bool MTBluetooth::isPower()
{
    return isAvaliable() && platform::Platform::current().bluetooth->IOBluetoothPreferenceGetControllerPowerState() == 1;
}

void MTBluetooth::openBluetooth(Then then)
{
    BTSetPowerState(1, std::move(then));
}

void MTBluetooth::closeBluetooth(Then then)
{
    BTSetPowerState(0, std::move(then));
}

int BTSetPowerState(int state, MTBluetooth::Then then)
{
    if (!then)
        then = [] {};
    if (platform::Platform::current().bluetooth->IOBluetoothPreferenceGetControllerPowerState() == state) {
        platform::dispatchAsyncMain(std::move(then));
        return 0;
    }
    platform::dispatchAsyncGlobal([state, then = std::move(then)] {
        platform::Platform& platform = platform::Platform::current();
        platform.bluetooth->IOBluetoothPreferenceSetControllerPowerState(state);
        platform.dispatcher->asyncMain([then] { platform::Platform::current().dispatcher->afterMain(kSettleTime, then); });
    });
    return 0;
}
