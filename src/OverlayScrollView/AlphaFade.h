#pragma once

#include <chrono>

// One run of an alpha animation: straight from `from` to `to` over `duration`.
struct AlphaFade {
    using Interval = std::chrono::milliseconds;

    double from = 1;
    double to = 1;
    Interval duration{};

    // The alpha once `elapsed` has passed; the target from the end on (at once without a
    // duration).
    double alphaAt(Interval elapsed) const;
    bool isFinishedAt(Interval elapsed) const { return elapsed >= duration; }
};
