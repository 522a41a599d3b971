#pragma once

#include "platform/ui/Image.h"

#include <QString>
#include <QVariantMap>

#include <cstdint>

// One row of the Task Manager: a running application and its checkbox.
struct TaskManagerInfo {
    platform::ui::Image image;
    QString name;
    int32_t pID = 0;
    // When the process started (clock ticks since boot): with pID it names one process, so a
    // force quit never reaches another process that took over the identifier.
    qint64 startTime = 0;
    float memSize = 0; // kept for the record; nothing sets or reads it
    bool bIsSelected = false;

    // A row, without its icon, for one of the workspace's running-application dictionaries.
    // An identifier that is missing, no number or beyond 32 bits gives 0, which no force quit
    // accepts.
    static TaskManagerInfo fromApplication(const QVariantMap& application);
};
