#pragma once

#include "SystemLog.h"

namespace platform {

// One line per message on standard error: date, time, "Tavrin[pid]" and the message.
class StandardErrorLog final : public SystemLog {
public:
    void write(const QString& message) override;
};

} // namespace platform
