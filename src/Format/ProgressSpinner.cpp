#include "ProgressSpinner.h"

#include "platform/Platform.h"

#include "platform/ui/BezierPath.h"
#include "platform/ui/Color.h"

#include <chrono>
#include <cmath>
#include <numbers>

using namespace platform::ui;

void ProgressSpinner::startAnimation()
{
    if (timer_)
        return;
    timer_ = platform::Platform::current().dispatcher->scheduledTimer(std::chrono::milliseconds(80), true, [this] {
        phase_ = (phase_ + 1) % 12;
        setNeedsDisplay();
    });
}

void ProgressSpinner::stopAnimation()
{
    timer_.reset();
}

void ProgressSpinner::drawRect(const Rect&)
{
    const Rect box = bounds();
    const double cx = box.width() / 2, cy = box.height() / 2;
    const double outer = std::min(cx, cy) - 1, inner = outer * 0.5;
    for (int spoke = 0; spoke < 12; ++spoke) {
        const double angle = std::numbers::pi / 2 - spoke * std::numbers::pi / 6;
        const int age = (phase_ - spoke + 12) % 12;
        Color::colorWithDeviceRed(0.2, 0.22, 0.32, 1.0 - age * 0.07).setStroke();
        BezierPath path;
        path.setLineWidth(2);
        path.moveToPoint({cx + inner * std::cos(angle), cy + inner * std::sin(angle)});
        path.lineToPoint({cx + outer * std::cos(angle), cy + outer * std::sin(angle)});
        path.stroke();
    }
}
