#include "DiskColumnLayout.h"

#include <cmath>

using platform::ui::Rect;

DiskColumnLayout DiskColumnLayout::forCounts(int internalCount, int externalCount)
{
    DiskColumnLayout layout;
    const int all = internalCount + externalCount;
    layout.height = 44.0 * all + 50 <= 520 ? 520 : 44.0 * all + 50;
    const double h = layout.height;
    layout.internalHeader = Rect(0, h - 18, 384, 18);
    const double y0 = std::trunc(h - 22);
    for (int i = 0; i < internalCount; ++i)
        layout.internalBoxes.append(Rect(0, y0 - 40 - 44.0 * i, 384, 40));
    if (externalCount > 0) {
        layout.externalHeader = Rect(0, y0 - 44.0 * internalCount - 22, 384, 18);
        for (int j = 0; j < externalCount; ++j)
            layout.externalBoxes.append(Rect(0, y0 - 44.0 * internalCount - 68 - 44.0 * j, 384, 40));
    }
    return layout;
}
