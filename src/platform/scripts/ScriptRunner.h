#pragma once

#include <QString>
#include <QVariantMap>

namespace platform {

// Runs AppleScript (`NSAppleScript`): source text, compiled on the spot, or a compiled script
// file such as a bundle resource. Runs on the caller's thread.
class ScriptRunner {
public:
    struct Result {
        bool succeeded = false;
        QString value;          // the script's result as text, empty when it gave none
        QVariantMap errorInfo;  // when it failed: "NSAppleScriptErrorMessage", "NSAppleScriptErrorNumber", ...
    };

    virtual ~ScriptRunner() = default;

    virtual Result executeSource(const QString& source) = 0;
    // A script file that does not exist or cannot be read fails with error number -43.
    virtual Result executeFile(const QString& path) = 0;
};

} // namespace platform
