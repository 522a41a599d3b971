#include "AlphaFade.h"

#include <algorithm>

double AlphaFade::alphaAt(Interval elapsed) const
{
    if (duration.count() <= 0 || isFinishedAt(elapsed))
        return to;
    const double done = std::max(0.0, double(elapsed.count()) / double(duration.count()));
    return from + (to - from) * done;
}
