#pragma once

#include "platform/identity/UserIdentity.h"
#include "platform/ioregistry/IORegistry.h"
#include "platform/loginitems/LoginItemList.h"
#include "platform/process/InstanceLock.h"
#include "platform/process/ProcessInfo.h"
#include "platform/scripts/SimulatedScriptRunner.h"

#include <QSet>
#include <QStringList>

#include <map>

namespace test {

// Records every script request and runs nothing; tests read `requests()` and can make
// requests fail.
using RecordingScriptRunner = platform::SimulatedScriptRunner;

// Login items in memory. Every path resolves unless the test marks it unresolvable; a test
// announces an outside change with `notifyChange`.
class FakeLoginItemList : public platform::LoginItemList {
public:
    std::optional<std::vector<Item>> copySnapshot() const override;
    std::optional<Item> insertItemURL(const QUrl& url) override;
    bool removeItem(const Item& item) override;
    std::optional<QUrl> resolveItem(const Item& item) const override;
    std::unique_ptr<Observation> addObserver(std::function<void()> changed) override;

    // Adds an item as another program would (duplicates allowed), without telling observers.
    Item addItem(const QString& path, const QString& displayName = {});
    void notifyChange();
    int observerCount() const { return int(observers_->size()); }

    std::vector<Item> items;
    QSet<QString> unresolvablePaths;
    bool failSnapshot = false;
    bool failInsert = false;
    mutable int snapshotCount = 0;
    QList<QUrl> insertedUrls;
    QStringList removedIdentifiers;

private:
    // Shared with the observations, which may outlive the list.
    std::shared_ptr<std::map<int, std::function<void()>>> observers_ =
        std::make_shared<std::map<int, std::function<void()>>>();
    int nextId_ = 1;
};

class FakeUserIdentity : public platform::UserIdentity {
public:
    QString userName() const override { return name; }
    QString fullName() const override { return full.isEmpty() ? name : full; }
    QString imagePath() const override { return image; }
    QByteArray imageData() const override { return data; }

    QString name = QStringLiteral("ada");
    QString full = QStringLiteral("Ada Lovelace");
    QString image;
    QByteArray data;
};

// Answers `tryLock` with `result`; `activate` plays a later copy asking to come to the front.
class FakeInstanceLock : public platform::InstanceLock {
public:
    Result tryLock(const QString& bundleIdentifier) override;
    void setActivationHandler(std::function<void()> activate) override { handler_ = std::move(activate); }
    void activate();

    Result result = Result::Acquired;
    QStringList requestedIdentifiers;

private:
    std::function<void()> handler_;
};

class FakeIORegistry : public platform::IORegistry {
public:
    std::optional<platform::IORegistryEntry> entryFromPath(const QString& path) const override;
    platform::kern_return_t getMatchingServicesByName(const QString& name,
                                      std::vector<platform::IORegistryEntry>* services) const override;

    std::optional<QString> serialNumber;
    std::vector<platform::IORegistryEntry> processors;
    int32_t matchingFailure = 0;  // returned instead of listing when not 0
};

class FakeProcessInfo : public platform::ProcessInfo {
public:
    QString processName() const override { return name; }
    int processIdentifier() const override { return pid; }
    QString globallyUniqueString() const override { return guid; }
    QString operatingSystemVersionString() const override { return osVersion; }
    unsigned processorCount() const override { return processors; }
    unsigned activeProcessorCount() const override { return activeProcessors; }
    uint64_t physicalMemory() const override { return memory; }

    QString name = QStringLiteral("Tavrin");
    int pid = 4242;
    QString guid = QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF-4242-0000000000000001");
    QString osVersion = QStringLiteral("Version 10.15.7 (Build 19H2026)");
    unsigned processors = 8;
    unsigned activeProcessors = 8;
    uint64_t memory = 17179869184ULL;
};

} // namespace test
