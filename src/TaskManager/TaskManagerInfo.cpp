#include "TaskManagerInfo.h"

#include "platform/workspace/Workspace.h"

#include <limits>

TaskManagerInfo TaskManagerInfo::fromApplication(const QVariantMap& application)
{
    TaskManagerInfo info;
    info.name = application.value(platform::NSApplicationName).toString();
    bool isNumber = false;
    const qlonglong pid = application.value(platform::NSApplicationProcessIdentifier).toLongLong(&isNumber);
    if (isNumber && pid >= 0 && pid <= std::numeric_limits<int32_t>::max())
        info.pID = int32_t(pid);
    info.startTime = application.value(platform::TavrinProcessStartTime).toLongLong();
    return info;
}
