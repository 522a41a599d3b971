#pragma once

#include "platform/ui/Geometry.h"

#include <QList>

#include <optional>

// Where the column's headers and boxes go, in the document view's coordinates (origin at the
// bottom left): 44 points per box, at least 520 points high.
struct DiskColumnLayout {
    double height = 520;
    platform::ui::Rect internalHeader;
    QList<platform::ui::Rect> internalBoxes;
    std::optional<platform::ui::Rect> externalHeader;
    QList<platform::ui::Rect> externalBoxes;

    static DiskColumnLayout forCounts(int internalCount, int externalCount);
};
