#pragma once

#include "Bluetooth.h"

#include <QVariantMap>

namespace platform {

class SimulatedMac;

// This machine's Bluetooth is left alone: the controller and the paired devices are the
// simulated Mac's "Bluetooth" state ("Power", "Discoverable", "Available", "Devices" with "Address", "Name",
// "Connected" and "ConnectionResult", the code a connection attempt gives). A power change posts
// its notification unless "NotifiesPowerChanges" is false, as a controller that never answers.
class SimulatedBluetooth final : public Bluetooth {
public:
    explicit SimulatedBluetooth(SimulatedMac& mac) : mac_(mac) {}

    bool IOBluetoothPreferencesAvailable() const override;
    int IOBluetoothPreferenceGetControllerPowerState() const override;
    void IOBluetoothPreferenceSetControllerPowerState(int state) override;
    int IOBluetoothPreferenceGetDiscoverableState() const override;
    void IOBluetoothPreferenceSetDiscoverableState(int state) override;
    int powerState() const override;

    std::vector<Device> pairedDevices() const override;
    std::optional<Device> deviceWithAddressString(const QString& address) const override;
    bool isConnected(const QString& address) const override;
    int openConnection(const QString& address) override;
    int closeConnection(const QString& address) override;

private:
    QVariantMap state() const;
    std::optional<QVariantMap> device(const QString& address) const;
    bool setConnected(const QString& address, bool connected);

    SimulatedMac& mac_;
};

} // namespace platform
