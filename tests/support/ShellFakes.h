#pragma once

#include "platform/identity/UserIdentity.h"
#include "platform/ioregistry/IORegistry.h"
#include "platform/loginitems/LoginItemList.h"
#include "platform/process/InstanceLock.h"
#include "platform/process/ProcessInfo.h"
#include "platform/scripts/SimulatedScriptRunner.h"

#include <QFileInfo>
#include <QStringList>

namespace test {

using RecordingScriptRunner = platform::SimulatedScriptRunner;

// Login items in memory; inserting a path already listed gives that item back.
class FakeLoginItemList : public platform::LoginItemList {
public:
    std::optional<std::vector<Item>> copySnapshot() const override { return items; }
    std::optional<Item> insertItemURL(const QUrl& url) override
    {
        insertedUrls << url;
        const QString path = url.toLocalFile();
        for (const Item& item : items)
            if (item.path == path)
                return item;
        items.push_back({QStringLiteral("item-%1").arg(items.size()), QFileInfo(path).fileName(), path, {}});
        return items.back();
    }
    bool removeItem(const Item&) override { return false; }
    std::optional<QUrl> resolveItem(const Item&) const override { return std::nullopt; }
    std::unique_ptr<Observation> addObserver(std::function<void()>) override { return std::make_unique<Observation>(); }

    std::vector<Item> items;
    QList<QUrl> insertedUrls;
};

class FakeUserIdentity : public platform::UserIdentity {
public:
    QString userName() const override { return name; }
    QString fullName() const override { return name; }
    QString imagePath() const override { return {}; }
    QByteArray imageData() const override { return data; }
    QStringList accountHomes() const override { return homes; }

    QString name = QStringLiteral("ada");
    QByteArray data;
    QStringList homes;
};

// `activate` plays a later copy asking this one to come to the front.
class FakeInstanceLock : public platform::InstanceLock {
public:
    Result tryLock(const QString& bundleIdentifier) override
    {
        requestedIdentifiers << bundleIdentifier;
        return result;
    }
    void setActivationHandler(std::function<void()> activate) override { handler_ = std::move(activate); }
    void activate() { handler_(); }

    Result result = Result::Acquired;
    QStringList requestedIdentifiers;

private:
    std::function<void()> handler_;
};

// Only the root entry (with the serial number, if set) and the processors are known.
class FakeIORegistry : public platform::IORegistry {
public:
    std::optional<platform::IORegistryEntry> entryFromPath(const QString& path) const override
    {
        if (path != QLatin1String("IOService:/"))
            return std::nullopt;
        platform::IORegistryEntry root;
        root.name = QStringLiteral("Root");
        if (serialNumber)
            root.properties.insert(QStringLiteral("IOPlatformSerialNumber"), *serialNumber);
        return root;
    }
    platform::kern_return_t getMatchingServicesByName(const QString& name,
                                                      std::vector<platform::IORegistryEntry>* services) const override
    {
        if (matchingFailure == 0 && services)
            *services = name == QLatin1String("processor") ? processors : std::vector<platform::IORegistryEntry>{};
        return matchingFailure;
    }

    std::optional<QString> serialNumber;
    std::vector<platform::IORegistryEntry> processors;
    int32_t matchingFailure = 0;
};

class FakeProcessInfo : public platform::ProcessInfo {
public:
    QString processName() const override { return QStringLiteral("Tavrin"); }
    int processIdentifier() const override { return 4242; }
    QString globallyUniqueString() const override { return QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF-4242-0000000000000001"); }
    QString operatingSystemVersionString() const override { return QStringLiteral("Version 10.15.7 (Build 19H2026)"); }
    unsigned processorCount() const override { return 8; }
    unsigned activeProcessorCount() const override { return 8; }
    uint64_t physicalMemory() const override { return memory; }

    uint64_t memory = 17179869184ULL;
};

} // namespace test
