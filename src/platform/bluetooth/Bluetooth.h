#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace platform {

// IOBluetooth, reduced to what the program uses: the controller's power, with the powered-on
// and powered-off notifications posted on the default notification centre from the main
// queue, and the paired devices, known by their address text.
class Bluetooth {
public:
    struct Device {
        QString address;
        QString name;
    };

    static inline const QString kPoweredOnNotification = QStringLiteral("IOBluetoothHostControllerPoweredOnNotification");
    static inline const QString kPoweredOffNotification = QStringLiteral("IOBluetoothHostControllerPoweredOffNotification");

    virtual ~Bluetooth() = default;

    virtual bool IOBluetoothPreferencesAvailable() const = 0;
    virtual int IOBluetoothPreferenceGetControllerPowerState() const = 0;
    virtual void IOBluetoothPreferenceSetControllerPowerState(int state) = 0;
    virtual int IOBluetoothPreferenceGetDiscoverableState() const = 0;
    virtual void IOBluetoothPreferenceSetDiscoverableState(int state) = 0;
    // The default host controller's `powerState`.
    virtual int powerState() const = 0;

    virtual std::vector<Device> pairedDevices() const = 0;
    virtual std::optional<Device> deviceWithAddressString(const QString& address) const = 0;
    virtual bool isConnected(const QString& address) const = 0;
    // 0 on success, else an IOReturn code.
    virtual int openConnection(const QString& address) = 0;
    virtual int closeConnection(const QString& address) = 0;
};

} // namespace platform
