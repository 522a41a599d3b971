#include "MTBluetooth.h"

#include "platform/Platform.h"
#include "platform/bluetooth/Bluetooth.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/dispatch/Lifetime.h"

namespace {

constexpr std::chrono::milliseconds kSettleTime{1000};

platform::Bluetooth& bluetooth()
{
    return *platform::Platform::current().bluetooth;
}

} // namespace

bool MTBluetooth::isAvaliable()
{
    return bluetooth().IOBluetoothPreferencesAvailable();
}

bool MTBluetooth::isPower()
{
    return isAvaliable() && bluetooth().IOBluetoothPreferenceGetControllerPowerState() == 1;
}

void MTBluetooth::openBluetooth(Then then)
{
    BTSetPowerState(1, std::move(then));
}

void MTBluetooth::closeBluetooth(Then then)
{
    BTSetPowerState(0, std::move(then));
}

int BTSetParamState(int state, const std::function<int()>& get, std::function<void(int)> set, MTBluetooth::Then then)
{
    if (!then)
        then = [] {};
    if (get() == state) {
        platform::dispatchAsyncMain(std::move(then));
        return 0;
    }
    platform::dispatchAsyncGlobal([state, set = std::move(set), then = std::move(then)] {
        set(state);
        platform::Platform::current().dispatcher->asyncMain(
            [then] { platform::Platform::current().dispatcher->afterMain(kSettleTime, then); });
    });
    return 0;
}

int BTSetPowerState(int state, MTBluetooth::Then then)
{
    return BTSetParamState(
        state, [] { return bluetooth().IOBluetoothPreferenceGetControllerPowerState(); },
        [](int value) { bluetooth().IOBluetoothPreferenceSetControllerPowerState(value); }, std::move(then));
}

int BTSetDiscoverableState(int state, MTBluetooth::Then then)
{
    return BTSetParamState(
        state, [] { return bluetooth().IOBluetoothPreferenceGetDiscoverableState(); },
        [](int value) { bluetooth().IOBluetoothPreferenceSetDiscoverableState(value); }, std::move(then));
}
