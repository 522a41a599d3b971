#include "ProgressBarWidth.h"

#include <cmath>

float progressBarWidth(float trackWidth, float value)
{
    float bar = float(double(trackWidth) * (double(value) / 100.0));
    if (trackWidth - 1 < bar)
        bar = trackWidth;
    if (!(bar > 0)) // negative, zero or NaN
        bar = 0;
    return bar;
}
