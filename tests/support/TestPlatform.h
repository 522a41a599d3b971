#pragma once

#include "platform/Platform.h"

#include <QString>

#include <memory>

namespace test {

class ManualDispatcher;
class RecordingLog;

// A platform for one test, installed while it lives: the Linux areas on a fresh copy of the built
// bundle (its property lists copied, everything else linked), a fresh simulated Mac, a recording
// log and a manual dispatcher. A test replaces any area with a fake through `platform()`.
class TestPlatform {
public:
    TestPlatform();
    ~TestPlatform();
    TestPlatform(const TestPlatform&) = delete;
    TestPlatform& operator=(const TestPlatform&) = delete;

    platform::Platform& platform() { return *platform_; }
    platform::Platform* operator->() { return platform_.get(); }
    RecordingLog& log() { return *log_; }
    ManualDispatcher& dispatcher() { return *dispatcher_; }
    // Holds bundle/, data/ and root/.
    const QString& folder() const { return folder_; }
    QString bundlePath() const { return folder_ + QStringLiteral("/bundle/Tavrin.app"); }
    QString resourcePath(const QString& fileName) const { return bundlePath() + QStringLiteral("/Contents/Resources/") + fileName; }

private:
    QString folder_;
    std::unique_ptr<platform::Platform> platform_;
    RecordingLog* log_ = nullptr;
    ManualDispatcher* dispatcher_ = nullptr;
    std::unique_ptr<platform::ScopedPlatform> scope_;
};

// Puts a new fake in place of a platform area and gives it back, still owned by the platform.
template <typename Fake, typename Area>
Fake* install(std::unique_ptr<Area>& area)
{
    area = std::make_unique<Fake>();
    return static_cast<Fake*>(area.get());
}

} // namespace test
