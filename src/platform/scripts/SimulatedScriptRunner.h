#pragma once

#include "ScriptRunner.h"

#include "SystemEventsScripts.h"

#include <QMutex>

#include <memory>
#include <optional>
#include <vector>

namespace platform {

// This machine has no AppleScript, and what the program's scripts ask for (shut down, restart,
// sleep, the Finder's and System Events' settings) must never reach it. So every request is
// recorded and logged, nothing runs, and it succeeds, as the scripts do on a Mac; a script file
// that is not there fails as it would there. The same class serves tests, which read the record
// and can make requests fail. Given a simulated System Events, the scripts that talk to it
// change the simulated Mac as they would change a Mac.
class SimulatedScriptRunner : public ScriptRunner {
public:
    SimulatedScriptRunner() = default;
    explicit SimulatedScriptRunner(std::unique_ptr<SystemEventsScripts> systemEvents)
        : systemEvents_(std::move(systemEvents)) {}

    struct Request {
        enum class Kind { Source, File } kind;
        QString text;  // the source text, or the file's path
    };

    Result executeSource(const QString& source) override;
    Result executeFile(const QString& path) override;

    std::vector<Request> requests() const;
    // Every later request fails with `errorInfo`, until `succeed`.
    void failWith(QVariantMap errorInfo);
    void succeed();

private:
    Result answer(Request request);

    mutable QMutex mutex_;
    std::vector<Request> requests_;
    std::optional<QVariantMap> failure_;
    std::unique_ptr<SystemEventsScripts> systemEvents_;
};

} // namespace platform
