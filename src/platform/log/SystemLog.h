#pragma once

#include <QString>

namespace platform {

// The system log.
class SystemLog {
public:
    virtual ~SystemLog() = default;
    virtual void write(const QString& message) = 0;
};

// Writes one message to the installed platform's log, as NSLog does.
void NSLog(const QString& message);

} // namespace platform
