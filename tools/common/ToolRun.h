#pragma once

#include "platform/Platform.h"

#include <QStringList>

namespace tools {

// One run of a stand-in tool: its arguments, recorded as `recordInvocation` does, and a platform
// whose log holds what the readers it calls have to say. The program reads a tool's standard
// output and error together and searches them for words and digits, so no dated log line may
// reach them: a failure to read is said on one line with the readers' reasons, and the lines
// left over are printed after the tool's name when the run ends.
class ToolRun {
public:
    ToolRun(int argc, char** argv);
    ~ToolRun();
    ToolRun(const ToolRun&) = delete;
    ToolRun& operator=(const ToolRun&) = delete;

    const QStringList& arguments() const { return arguments_; }

    // Says "<tool>: could not read <what>" on one line, with what the readers logged, and gives
    // the tool's exit status for it.
    int cannotRead(const QString& what);
    // The same for the simulated Mac's state file "<name>.plist".
    int cannotReadState(const QString& name);

private:
    class HeldLog;

    QString name_;
    QStringList arguments_;
    HeldLog* log_ = nullptr;
    platform::Platform platform_;
    platform::ScopedPlatform scope_;
};

} // namespace tools
