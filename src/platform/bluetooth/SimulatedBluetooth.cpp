#include "SimulatedBluetooth.h"

#include "platform/dispatch/Lifetime.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/power/PowerAssertions.h"
#include "platform/simulated/SimulatedMac.h"

#include <QVariantList>

namespace platform {

namespace {

const QString kFile = QStringLiteral("Bluetooth");
const QString kDevices = QStringLiteral("Devices");
const QString kAddress = QStringLiteral("Address");
const QString kConnected = QStringLiteral("Connected");

} // namespace

QVariantMap SimulatedBluetooth::state() const
{
    return mac_.stateFile(kFile);
}

bool SimulatedBluetooth::IOBluetoothPreferencesAvailable() const
{
    return state().value(QStringLiteral("Available"), true).toBool();
}

int SimulatedBluetooth::IOBluetoothPreferenceGetControllerPowerState() const
{
    return state().value(QStringLiteral("Power")).toBool() ? 1 : 0;
}

void SimulatedBluetooth::IOBluetoothPreferenceSetControllerPowerState(int state)
{
    const bool on = state != 0;
    const QVariantMap current = this->state();
    if (current.value(QStringLiteral("Power")).toBool() == on)
        return;
    mac_.setStateValue(kFile, QStringLiteral("Power"), on);
    if (!current.value(QStringLiteral("NotifiesPowerChanges"), true).toBool())
        return;
    dispatchAsyncMain([on] {
        NotificationCenter::defaultCenter().postNotificationName(
            on ? kPoweredOnNotification : kPoweredOffNotification, nullptr);
    });
}

int SimulatedBluetooth::IOBluetoothPreferenceGetDiscoverableState() const
{
    return state().value(QStringLiteral("Discoverable")).toBool() ? 1 : 0;
}

void SimulatedBluetooth::IOBluetoothPreferenceSetDiscoverableState(int state)
{
    mac_.setStateValue(kFile, QStringLiteral("Discoverable"), state != 0);
}

int SimulatedBluetooth::powerState() const
{
    return IOBluetoothPreferenceGetControllerPowerState();
}

std::vector<Bluetooth::Device> SimulatedBluetooth::pairedDevices() const
{
    std::vector<Device> devices;
    for (const QVariant& entry : state().value(kDevices).toList()) {
        const QVariantMap device = entry.toMap();
        devices.push_back({device.value(kAddress).toString(), device.value(QStringLiteral("Name")).toString()});
    }
    return devices;
}

std::optional<QVariantMap> SimulatedBluetooth::device(const QString& address) const
{
    for (const QVariant& entry : state().value(kDevices).toList()) {
        if (entry.toMap().value(kAddress).toString().compare(address, Qt::CaseInsensitive) == 0)
            return entry.toMap();
    }
    return std::nullopt;
}

std::optional<Bluetooth::Device> SimulatedBluetooth::deviceWithAddressString(const QString& address) const
{
    if (const auto found = device(address))
        return Device{found->value(kAddress).toString(), found->value(QStringLiteral("Name")).toString()};
    return std::nullopt;
}

bool SimulatedBluetooth::isConnected(const QString& address) const
{
    return powerState() != 0 && device(address).value_or(QVariantMap()).value(kConnected).toBool();
}

int SimulatedBluetooth::openConnection(const QString& address)
{
    const auto found = device(address);
    if (!found || powerState() == 0)
        return kIOReturnNotFound;
    const int result = found->value(QStringLiteral("ConnectionResult"), 0).toInt();
    if (result == 0)
        setConnected(address, true);
    return result;
}

int SimulatedBluetooth::closeConnection(const QString& address)
{
    return setConnected(address, false) ? kIOReturnSuccess : kIOReturnNotFound;
}

bool SimulatedBluetooth::setConnected(const QString& address, bool connected)
{
    QVariantList devices = state().value(kDevices).toList();
    for (QVariant& entry : devices) {
        QVariantMap device = entry.toMap();
        if (device.value(kAddress).toString().compare(address, Qt::CaseInsensitive) != 0)
            continue;
        device.insert(kConnected, connected);
        entry = device;
        return mac_.setStateValue(kFile, kDevices, devices);
    }
    return false;
}

} // namespace platform
